#include "Translations.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quoddle {

namespace {

const QString kQtFrenchCatalogFile = QStringLiteral("qtbase_fr.qm");

bool LoadCatalog(QCoreApplication& app, const QString& path)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(path) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace

Language ChooseLanguage(const QStringList& uiLanguages)
{
    for (const QString& name : uiLanguages) {
        switch (QLocale(name).language()) {
        case QLocale::French:
            return Language::French;
        case QLocale::English:
            return Language::English;
        default:
            break;
        }
    }
    return Language::French;
}

Language SystemLanguage() { return ChooseLanguage(QLocale::system().uiLanguages()); }

bool InstallTranslations(QCoreApplication& app, Language language)
{
    if (language == Language::English) {
        // The pictures with words in them (the phone's screen) follow the default
        // locale: English, though the desktop's own locale may be another one.
        if (QLocale().language() != QLocale::English)
            QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        return LoadCatalog(app, QString::fromLatin1(kEnglishCatalog));
    }
    return InstallQtFrench(app);
}

QString QtFrenchCatalogPath()
{
    const QString folders[] = {
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
    };
    for (const QString& folder : folders) {
        const QFileInfo catalog(QDir(folder), kQtFrenchCatalogFile);
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
    return !catalog.isEmpty() && LoadCatalog(app, catalog);
}

} // namespace quoddle
