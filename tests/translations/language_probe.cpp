// Chooses the language from this process's environment as the program does,
// then prints the choice, a caption of the program and a string of Qt's own
// (the Cancel button) as they read after it.

#include "operations/Texts.hpp"
#include "startup/Translations.hpp"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    using namespace quoddle;
    QCoreApplication app(argc, argv);
    const Language language = SystemLanguage();
    const bool installed = InstallTranslations(app, language);
    std::printf("language=%s installed=%d\ncaption=%s\nqt=%s\n", language == Language::English ? "English" : "French",
                int(installed), texts::Tr(texts::kCaptionApplied).toUtf8().constData(),
                QCoreApplication::translate("QPlatformTheme", "Cancel").toUtf8().constData());
    return 0;
}
