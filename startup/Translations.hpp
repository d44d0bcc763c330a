#pragma once
// The language of the program's texts, chosen from the desktop's: French, the
// language the texts are written in, or English. Qt's own strings (the open
// dialog, the standard buttons of message boxes, the context menus of edit
// fields) follow the same choice.

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace quoddle {

enum class Language { French, English };

// The first language of the list (BCP 47 names, most wanted first, as
// QLocale::uiLanguages gives them) that the program speaks; French when the
// list names neither French nor English ("C", "de-DE", nothing).
Language ChooseLanguage(const QStringList& uiLanguages);

// The desktop's languages as Qt reads them: LANGUAGE, else LC_ALL, LC_MESSAGES, LANG.
Language SystemLanguage();

// The compiled English catalogue of the program's texts, built into the program.
inline constexpr const char* kEnglishCatalog = ":/translations/quoddle_en.qm";

// Loads the program's catalogue for that language (none for French, the texts'
// own language) and, for French, Qt's French catalogue; makes the default
// locale one of that language (the pictures with words follow it). Call it
// right after the application is created, before any window, dialog or
// standard button exists. Returns false when a catalogue that the language
// needs did not load; the texts then stay as written (Qt's in English).
bool InstallTranslations(QCoreApplication& app, Language language);

// The path of Qt's French catalogue (qtbase_fr.qm): in Qt's translations folder,
// else in a "translations" folder beside the program, where a Windows bundle
// keeps it. Empty when neither has it.
QString QtFrenchCatalogPath();

// Makes French the default locale (sizes, dates, numbers in the dialogs) and
// loads Qt's French catalogue into the application. Returns false, and Qt
// stays in English, when the catalogue is missing.
bool InstallQtFrench(QCoreApplication& app);

} // namespace quoddle
