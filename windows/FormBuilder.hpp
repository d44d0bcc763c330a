#pragma once
// Small helpers that place controls the way window data describes them:
// name, parent, geometry, tab place, caption, hint, font and skin section.

#include <QRect>
#include <QString>
#include <QWidget>

namespace quoddle {

struct FontSpec {
    const char* name = nullptr; // nullptr: the window's font
    int pixelHeight = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// Names, parents and places a control; `tab` < 0 keeps it out of the tab order.
template <class Widget>
Widget* Place(Widget* widget, const char* name, const QRect& geometry, int tab = -1)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    widget->setProperty("tabIndex", tab);
    if (tab < 0)
        widget->setFocusPolicy(Qt::NoFocus);
    return widget;
}

void SetFont(QWidget* widget, const FontSpec& font);
void SetSkinSection(QWidget* widget, const char* section);

// Chains the keyboard tab order of everything under `root`: the children of
// each parent by their tab place, each followed by its own children.
void ApplyTabOrder(QWidget* root);

} // namespace quoddle
