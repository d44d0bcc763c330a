#pragma once
// Reading "pm list packages -f": one line per package,
//   package:/data/app/com.example.notes-1.apk=com.example.notes                    (before Android 5)
//   package:/data/app/~~Zm9v==/com.example.notes-YmFy==/base.apk=com.example.notes  (Android 11 and later)
//   package:/system/app/Browser.apk=com.android.browser
//   package:/system/priv-app/Settings/Settings.apk=com.android.settings  (also /product/, /system_ext/,
//                                                                        /vendor/, /odm/, /oem/, /apex/)
//   package:/mnt/asec/com.example.game-1/pkg.apk=com.example.game

#include <QString>

namespace quoddle {

// The program name shown for a package file name: the dot-separated field
// before ".apk" ("com.example.notes-1.apk" gives "notes-1"), else the last field.
QString ProgramName(const QString& fileName);

struct PackageLine {
    enum Kind { Ignored, UserApp, SystemApp, SdCardApp };
    Kind kind = Ignored;
    QString apk;         // user app: the file name below /data/app/
    QString packageName; // user app: the package name; empty when the line has no "="
    bool hasPackageName = false;
    QString program;     // user app: the program name
    QString listText;    // system and SD-card apps: the list item; the file below /system/app/,
                         // or below its partition's root ("priv-app/Settings/Settings.apk=...")
};

PackageLine ClassifyPackageLine(const QString& line);

} // namespace quoddle
