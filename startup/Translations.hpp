#pragma once
// Qt's own strings (the open dialog, the standard buttons of message boxes,
// the context menus of edit fields) in French, beside the program's French
// captions, whatever the user's locale.

#include <QString>

class QCoreApplication;

namespace quoddle {

// The path of Qt's French catalogue (qtbase_fr.qm): in Qt's translations folder,
// else in a "translations" folder beside the program, where a Windows bundle
// keeps it. Empty when neither has it.
QString QtFrenchCatalogPath();

// Makes French the default locale (sizes, dates, numbers in the dialogs) and
// loads that catalogue into the application; call it right after the
// application is created, before any dialog or standard button exists.
// Returns false, and Qt stays in English, when the catalogue is missing.
bool InstallQtFrench(QCoreApplication& app);

} // namespace quoddle
