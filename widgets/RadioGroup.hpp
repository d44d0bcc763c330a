#pragma once
// A framed group with a caption and one column of radio buttons, spread
// evenly over the group's height below the caption. At most
// one item is selected; itemIndex() is -1 when none is.

#include <QGroupBox>
#include <QList>

class QButtonGroup;
class QRadioButton;

namespace quoddle {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(QWidget* parent = nullptr);

    void setItems(const QStringList& items);
    QStringList items() const;
    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton* button(int index) const;

signals:
    // The selected item changed, by a click or by setItemIndex().
    void itemIndexChanged(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void arrangeButtons();

    QButtonGroup* group_;
    QList<QRadioButton*> buttons_;
};

} // namespace quoddle
