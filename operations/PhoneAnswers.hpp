#pragma once
// Reading what the phone's tools answered, for the tools that exit 0 whether
// or not they did what was asked (bmgr, service, am, pm before Android 5):
// their answer alone tells. Each reader takes the output pane's lines.
//
//   pm, verb unknown:    "Unknown command: getInstallLocation"        (pm as cmd package, Android 9 and later)
//                        "Error: unknown command 'getInstallLocation'" (Pm.java, Android 4.0 to 8.1)
//   bmgr enable BOOL:    "Backup Manager now enabled" / "Backup Manager now disabled"
//   bmgr refusing:       "Unknown command" or its usage, "usage: bmgr ..."
//   service call:        "Result: Parcel(00000000    '....')" when nothing was thrown;
//                        a thrown exception starts the reply with its code, ffffffff
//                        (SecurityException), on one line or on the next ones:
//                        "Result: Parcel(" then "  0x00000000: ffffffff 0000001e ..."
//   am start:            "Starting: Intent { act=... dat=... }", then "Error: ..." on failure

#include <QStringList>

namespace quoddle {

// pm said that it does not know the verb.
bool IsUnknownVerb(const QStringList& lines);
// bmgr said that backup is now on (`enabled`) or off.
bool BackupWriteConfirmed(const QStringList& lines, bool enabled);
// service call's reply Parcel carries no exception.
bool ServiceCallConfirmed(const QStringList& lines);
// am said that it started the activity and reported no error.
bool ActivityStartConfirmed(const QStringList& lines);
// A tool that prints nothing on success (pm setInstallLocation) printed nothing.
bool SilentWriteConfirmed(const QStringList& lines);

} // namespace quoddle
