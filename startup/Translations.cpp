#include "Translations.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quoddle {

namespace {
const QString kCatalogFile = QStringLiteral("qtbase_fr.qm");
}

QString QtFrenchCatalogPath()
{
    const QString folders[] = {
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
    };
    for (const QString& folder : folders) {
        const QFileInfo catalog(QDir(folder), kCatalogFile);
        if (catalog.isFile())
            return catalog.absoluteFilePath();
    }
    return {};
}

bool InstallQtFrench(QCoreApplication& app)
{
    // Sizes, dates and numbers in the dialogs read the French way too.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const QString catalog = QtFrenchCatalogPath();
    if (catalog.isEmpty())
        return false;
    auto* translator = new QTranslator(&app);
    if (!translator->load(catalog) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace quoddle
