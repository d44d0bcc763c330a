#pragma once
// The program's pictures: flat SVG drawings compiled into the binary under
// :/pictures/<name>.svg, each with its own size (the viewBox), drawn with an
// alpha channel and transparent surroundings.
//
// Names: phone_err, phone_ok (176 x 340), close_small (16), usb (25), power,
// power_warning, joystick, console, refresh_blue, uninstall, uninstall_keep
// (32), install_app, desk_phone (36), wifi (38), trash_full, refresh_grey,
// microsd, memory_chip (48), mascot (133 x 150), quoddle (the program icon).
//
// The resources live in a static library: call InitResources() once before the
// first use of ":/..." paths from outside these functions (the functions below
// call it themselves, so code that only uses them need not).

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace quoddle {

// Registers the library's compiled-in resources (Q_INIT_RESOURCE); idempotent.
void InitResources();

// The named picture at its natural size, rendered for the primary screen's
// device pixel ratio so it stays crisp on hi-DPI screens. Null (with a
// warning) for an unknown name. Not called Picture: widgets/ has a class of
// that name in the same namespace.
QPixmap LoadPicture(const QString& name);

// The named picture rendered at its natural size times `devicePixelRatio`,
// premultiplied ARGB, with that ratio set on the image. Null if unknown.
QImage RenderPicture(const QString& name, qreal devicePixelRatio = 1.0);

// The natural size of the named picture (its viewBox); empty if unknown.
QSize PictureSize(const QString& name);

// Every picture name, sorted.
QStringList PictureNames();

// The program icon at every size a window manager or taskbar asks for.
QIcon ProgramIcon();

} // namespace quoddle
