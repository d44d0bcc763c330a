#pragma once
// Where a caption would be cut: the text needs more room than its box gives,
// measured with the fonts the controls use. Only what is visible now is checked.

#include "widgets/GlyphButton.hpp"
#include "widgets/Picture.hpp"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStringList>
#include <QTabBar>

namespace quoddle::test {

// One entry per cut caption: the control's name and its text.
inline QStringList ClippedCaptions(QWidget* window)
{
    QStringList clipped;
    const auto note = [&](const QWidget* w, const QString& text) {
        clipped << w->objectName() + QStringLiteral(" \"") + text + QLatin1Char('"');
    };
    for (GlyphButton* button : window->findChildren<GlyphButton*>()) {
        if (!button->isVisible() || button->text().isEmpty())
            continue;
        // Each line within the caption's width, all of them inside the bevel's border.
        const QRect room = button->captionRect();
        bool fits = button->rect().adjusted(1, 1, -1, -1).contains(button->captionBoundingRect());
        for (const QRect& line : button->captionLineRects())
            fits = fits && line.left() >= room.left() && line.right() <= room.right();
        if (!fits)
            note(button, button->text());
    }
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty() || qobject_cast<Picture*>(label))
            continue;
        const QRect box = label->contentsRect();
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = label->fontMetrics().boundingRect(box, flags, label->text());
        if (needed.width() > box.width() || needed.height() > box.height())
            note(label, label->text());
    }
    for (QAbstractButton* box : window->findChildren<QAbstractButton*>()) {
        if (!box->isVisible() || !(qobject_cast<QCheckBox*>(box) || qobject_cast<QRadioButton*>(box)))
            continue;
        if (box->sizeHint().width() > box->width() || box->sizeHint().height() > box->height() + 2)
            note(box, box->text());
    }
    for (QGroupBox* group : window->findChildren<QGroupBox*>()) {
        if (group->isVisible()
            && group->fontMetrics().horizontalAdvance(group->title()) + 24 > group->width())
            note(group, group->title());
    }
    for (QTabBar* tabs : window->findChildren<QTabBar*>()) {
        if (!tabs->isVisible())
            continue;
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)) > tabs->tabRect(i).width())
                note(tabs, tabs->tabText(i));
        }
    }
    for (QComboBox* list : window->findChildren<QComboBox*>()) {
        if (list->isVisible()
            && list->fontMetrics().horizontalAdvance(list->currentText()) + 24 > list->width())
            note(list, list->currentText());
    }
    return clipped;
}

} // namespace quoddle::test
