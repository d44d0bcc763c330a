#pragma once
// Fonts of the window data. The windows are laid out for Windows fonts
// ("MS Shell Dlg 2", "MS Sans Serif", "Tahoma", "Arial", "Arial Black",
// "Tw Cen MT", "Tw Cen MT Condensed", "Lucida Sans"); where a machine lacks
// one, a substitute is chosen once, by measured width, so that captions still
// fit the fixed boxes the layout gives them.

#include <QFont>
#include <QString>

namespace quoddle {

// The font for a control: `specName` as the window data names it and
// `pixelHeight` its character height in pixels at 96 dpi, without internal
// leading (which is what QFont's pixel size means too). With the real font
// installed that is the font itself at that pixel size. A substitute is made
// as wide as the real font would be: when it runs wider, its pixel size is
// scaled down in proportion (a slight synthetic condensing takes up what
// rounding to whole pixels leaves), never up. The result is cached.
QFont WindowFont(const QString& specName, int pixelHeight, bool bold = false, bool italic = false,
                 bool underline = false);

// The installed family WindowFont uses for `specName`: the real one when it is
// installed, else the chosen substitute. Names the window data does not use
// resolve to themselves when installed, else to the system's general font.
QString WindowFontFamily(const QString& specName);

} // namespace quoddle
