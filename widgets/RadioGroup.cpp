#include "widgets/RadioGroup.hpp"

#include <QButtonGroup>
#include <QEvent>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace quoddle {

RadioGroup::RadioGroup(QWidget* parent) : QGroupBox(parent), group_(new QButtonGroup(this))
{
    group_->setExclusive(true);
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit itemIndexChanged(id);
    });
}

void RadioGroup::setItems(const QStringList& items)
{
    const int wanted = itemIndex();
    qDeleteAll(buttons_);
    buttons_.clear();
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        group_->addButton(button, i);
        buttons_.push_back(button);
        button->show();
    }
    arrangeButtons();
    if (wanted >= 0 && wanted < buttons_.size())
        buttons_[wanted]->setChecked(true);
}

QStringList RadioGroup::items() const
{
    QStringList result;
    for (const QRadioButton* button : buttons_)
        result.push_back(button->text());
    return result;
}

int RadioGroup::itemIndex() const { return group_->checkedId(); }

void RadioGroup::setItemIndex(int index)
{
    if (index >= 0 && index < buttons_.size()) {
        buttons_[index]->setChecked(true);
        return;
    }
    // An exclusive group will not let its checked button go.
    if (QAbstractButton* checked = group_->checkedButton()) {
        group_->setExclusive(false);
        checked->setChecked(false);
        group_->setExclusive(true);
        emit itemIndexChanged(-1);
    }
}

QRadioButton* RadioGroup::button(int index) const
{
    return index >= 0 && index < buttons_.size() ? buttons_[index] : nullptr;
}

void RadioGroup::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    arrangeButtons();
}

void RadioGroup::changeEvent(QEvent* event)
{
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        arrangeButtons();
}

// One column: the group's inner height, below its caption, is shared out
// evenly, the remainder split above and below; buttons 8 pixels in from the left.
void RadioGroup::arrangeButtons()
{
    if (buttons_.isEmpty())
        return;
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect inner = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, this);
    const int count = int(buttons_.size());
    const int available = std::max(count, inner.height() - 2);
    const int buttonHeight = available / count;
    const int top = inner.top() + 1 + (available % count) / 2;
    for (int i = 0; i < count; ++i)
        buttons_[i]->setGeometry(8, top + i * buttonHeight, width() - 10, buttonHeight);
}

} // namespace quoddle
