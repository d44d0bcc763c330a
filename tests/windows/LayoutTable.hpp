#pragma once
// A window's layout written down as a table, row by row as the window data
// gives it, and the check of one row against the live widget of that name.

#include "resources/Fonts.hpp"
#include "support/RecordingServices.hpp"
#include "widgets/Bevel.hpp"
#include "widgets/EffectLabel.hpp"
#include "widgets/GlyphButton.hpp"
#include "widgets/MaskEdit.hpp"
#include "widgets/Panel.hpp"
#include "widgets/Picture.hpp"
#include "widgets/RadioGroup.hpp"
#include "widgets/SpinEdit.hpp"
#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"
#include "windows/OutputPane.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quoddle::test {

enum class Kind {
    GlyphButton,    // picture left of the caption
    SkinnedButton,  // caption only, skinned
    StandardButton, // caption only
    CheckBox,
    DropDown,
    ListBox,
    Grid,
    PageControl,
    RadioGroup,
    MaskEdit,
    SpinEdit,
    Edit,
    Memo,
    Panel,
    Picture,
    Label,
    SkinnedLabel,
    EffectLabel,
    Bevel,
};

inline bool IsKind(const QWidget* w, Kind kind)
{
    switch (kind) {
    case Kind::GlyphButton:
        return qobject_cast<const GlyphButton*>(w);
    case Kind::SkinnedButton:
    case Kind::StandardButton:
        return qobject_cast<const QPushButton*>(w) && !qobject_cast<const GlyphButton*>(w);
    case Kind::CheckBox:
        return qobject_cast<const QCheckBox*>(w);
    case Kind::DropDown:
        return qobject_cast<const QComboBox*>(w);
    case Kind::ListBox:
        return qobject_cast<const TextListBox*>(w);
    case Kind::Grid:
        return qobject_cast<const StringGrid*>(w);
    case Kind::PageControl:
        return qobject_cast<const QTabWidget*>(w);
    case Kind::RadioGroup:
        return qobject_cast<const RadioGroup*>(w);
    case Kind::MaskEdit:
        return qobject_cast<const MaskEdit*>(w);
    case Kind::SpinEdit:
        return qobject_cast<const SpinEdit*>(w);
    case Kind::Edit:
        return qobject_cast<const QLineEdit*>(w) && !qobject_cast<const MaskEdit*>(w);
    case Kind::Memo:
        return qobject_cast<const OutputPane*>(w);
    case Kind::Panel:
        return qobject_cast<const Panel*>(w);
    case Kind::Picture:
        return qobject_cast<const Picture*>(w);
    case Kind::Label:
    case Kind::SkinnedLabel:
        return qobject_cast<const QLabel*>(w) && !qobject_cast<const EffectLabel*>(w)
            && !qobject_cast<const Picture*>(w);
    case Kind::EffectLabel:
        return qobject_cast<const EffectLabel*>(w);
    case Kind::Bevel:
        return qobject_cast<const Bevel*>(w);
    }
    return false;
}

struct FontEntry {
    const char* name = nullptr; // nullptr: the window's font
    int pixelHeight = 0;
    bool bold = false;
    bool italic = false;
};

enum class Start { Shown, Hidden, Disabled };

// One control: as the window data describes it.
struct Control {
    const char* name;
    Kind kind;
    const char* parent;   // object name of the parent; a window's name stands for its client area
    QRect geometry;
    int tab;              // place among its siblings; -1: none
    const char* caption;  // nullptr: nothing to read (lists, pictures, ...)
    const char* hint;     // "" when none
    FontEntry font;       // name nullptr: the window's font
    Start start;
    const char* skin;     // skin section, nullptr when none is named
};

// The caption as the control shows it, for the kinds that have one.
inline QString CaptionOf(const QWidget* w)
{
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        return button->text();
    if (auto* label = qobject_cast<const QLabel*>(w))
        return label->text();
    if (auto* group = qobject_cast<const QGroupBox*>(w))
        return group->title();
    if (auto* mask = qobject_cast<const MaskEdit*>(w))
        return mask->maskedText();
    if (auto* spin = qobject_cast<const SpinEdit*>(w))
        return spin->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(w))
        return edit->text();
    return {};
}

// The widget a control's geometry is relative to: the client area of a window,
// the page of a page control, or the panel.
inline QString ParentName(const QWidget* w, const QWidget* window, const QWidget* clientArea)
{
    const QWidget* parent = w->parentWidget();
    if (parent == clientArea)
        return window->objectName();
    return parent ? parent->objectName() : QString();
}

// Checks a row against the widget of that name under `window`. `windowFont`
// is the font of controls without a font entry.
inline void ExpectControl(const Control& c, QWidget* window, QWidget* clientArea, const FontEntry& windowFont)
{
    SCOPED_TRACE(c.name);
    auto* w = window->findChild<QWidget*>(QString::fromLatin1(c.name));
    ASSERT_NE(nullptr, w) << "no control named " << c.name;
    EXPECT_TRUE(IsKind(w, c.kind)) << "class " << w->metaObject()->className();
    EXPECT_EQ(QString::fromLatin1(c.parent), ParentName(w, window, clientArea));
    EXPECT_EQ(c.geometry, w->geometry());
    if (c.caption)
        EXPECT_EQ(QString::fromUtf8(c.caption), CaptionOf(w));
    EXPECT_EQ(QString::fromUtf8(c.hint), w->toolTip());

    const FontEntry& f = c.font.name ? c.font : windowFont;
    const QFont font = w->font();
    EXPECT_EQ(WindowFontFamily(QString::fromLatin1(f.name)), QFontInfo(font).family()) << f.name;
    EXPECT_EQ(WindowFont(QString::fromLatin1(f.name), f.pixelHeight, f.bold, f.italic).pixelSize(), font.pixelSize())
        << f.name << ' ' << f.pixelHeight;
    EXPECT_EQ(f.bold, font.bold());
    EXPECT_EQ(f.italic, font.italic());

    EXPECT_EQ(c.start == Start::Hidden, w->isHidden());
    EXPECT_EQ(c.start == Start::Disabled, !w->isEnabled());
    if (c.skin)
        EXPECT_EQ(QString::fromLatin1(c.skin), w->property("skinSection").toString());
    if (c.tab < 0)
        EXPECT_FALSE(w->focusPolicy() & Qt::TabFocus) << "takes the focus by Tab";
}

inline void ExpectLayout(const std::vector<Control>& table, QWidget* window, QWidget* clientArea,
                         const FontEntry& windowFont)
{
    for (const Control& c : table)
        ExpectControl(c, window, clientArea, windowFont);
}

// The name of the table's control that `w` is or lies in (a spin edit's field,
// a page control's tab bar...); empty when none.
inline QString OwningControl(QWidget* w, const std::vector<Control>& table)
{
    for (; w; w = w->parentWidget()) {
        for (const Control& c : table) {
            if (w->objectName() == QLatin1String(c.name))
                return w->objectName();
        }
    }
    return {};
}

} // namespace quoddle::test
