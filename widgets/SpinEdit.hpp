#pragma once
// A number edit with up and down arrows that, unlike QSpinBox, keeps whatever
// text the user left in it. Typed characters other than the digits, '+', '-'
// and the locale's decimal separator are refused with a beep (Enter too, as
// the classic spin edit does); on focus loss a number outside the range is
// replaced by the nearer bound while a text that is no number stays as it is.
// The arrows and the Up/Down keys step by one within the range, starting from
// the lower bound when the text is no number.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace quoddle {

class SpinEdit : public QWidget {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    void setMaxLength(int length);
    int maxLength() const;

    // The text read as a whole number; the lower bound when it is none.
    int value() const;
    // Shows the value, clamped into the range.
    void setValue(int value);

    // The text as shown, which need not be a number.
    QString text() const;
    void setText(const QString& text);

    QLineEdit* lineEdit() const { return edit_; }
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

    QSize sizeHint() const override;

public slots:
    void stepUp();
    void stepDown();

signals:
    // A typed character was refused (the beep has sounded).
    void keyRefused();
    void textChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int clamped(int value) const;
    bool acceptsTypedCharacter(QChar c) const;
    void refuseKey();

    QLineEdit* edit_;
    QToolButton* up_;
    QToolButton* down_;
    int minimum_ = 0;
    int maximum_ = 100;
};

} // namespace quoddle
