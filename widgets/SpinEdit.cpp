#include "widgets/SpinEdit.hpp"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <limits>
#include <optional>

namespace quoddle {

namespace {

constexpr int kButtonWidth = 15;

// A whole number as the classic runtime reads one: leading blanks, an
// optional sign, then decimal digits only, within the range of int.
std::optional<int> ParseWholeNumber(const QString& text)
{
    int i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    if (i == text.size())
        return std::nullopt;
    qint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (text[i].unicode() - u'0');
        if (magnitude > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    const qint64 number = negative ? -magnitude : magnitude;
    if (number > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(number);
}

} // namespace

SpinEdit::SpinEdit(QWidget* parent)
    : QWidget(parent), edit_(new QLineEdit(this)), up_(new QToolButton(edit_)), down_(new QToolButton(edit_))
{
    // Input methods would insert text past the key filter.
    edit_->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit_->setTextMargins(0, 0, kButtonWidth, 0);
    edit_->installEventFilter(this);
    setFocusProxy(edit_);
    setFocusPolicy(edit_->focusPolicy());

    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {up_, down_}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setCursor(Qt::ArrowCursor);
        // The arrows work on the edit: pressing one takes the focus there.
        connect(button, &QToolButton::pressed, edit_, [this] { edit_->setFocus(Qt::MouseFocusReason); });
    }
    connect(up_, &QToolButton::clicked, this, &SpinEdit::stepUp);
    connect(down_, &QToolButton::clicked, this, &SpinEdit::stepDown);
    connect(edit_, &QLineEdit::textChanged, this, &SpinEdit::textChanged);
}

void SpinEdit::setRange(int minimum, int maximum)
{
    minimum_ = minimum;
    maximum_ = maximum;
}

void SpinEdit::setMaxLength(int length) { edit_->setMaxLength(length); }

int SpinEdit::maxLength() const { return edit_->maxLength(); }

int SpinEdit::value() const { return ParseWholeNumber(edit_->text()).value_or(minimum_); }

void SpinEdit::setValue(int value) { edit_->setText(QString::number(clamped(value))); }

QString SpinEdit::text() const { return edit_->text(); }

void SpinEdit::setText(const QString& text) { edit_->setText(text); }

int SpinEdit::clamped(int value) const
{
    if (minimum_ == maximum_) // an empty range sets no bounds
        return value;
    return std::clamp(value, std::min(minimum_, maximum_), std::max(minimum_, maximum_));
}

void SpinEdit::stepUp()
{
    if (edit_->isReadOnly()) {
        refuseKey();
        return;
    }
    setValue(value() == std::numeric_limits<int>::max() ? value() : value() + 1);
}

void SpinEdit::stepDown()
{
    if (edit_->isReadOnly()) {
        refuseKey();
        return;
    }
    setValue(value() == std::numeric_limits<int>::min() ? value() : value() - 1);
}

bool SpinEdit::acceptsTypedCharacter(QChar c) const
{
    if (c >= u'0' && c <= u'9')
        return true;
    if (c == u'+' || c == u'-')
        return true;
    return QLocale().decimalPoint().contains(c);
}

void SpinEdit::refuseKey()
{
    QApplication::beep();
    emit keyRefused();
}

bool SpinEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != edit_)
        return QWidget::eventFilter(watched, event);

    if (event->type() == QEvent::FocusOut) {
        // Only a number is corrected; any other text is left for the reader.
        if (const auto number = ParseWholeNumber(edit_->text()); number && clamped(*number) != *number)
            setValue(*number);
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;

    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
        key->key() == Qt::Key_Up ? stepUp() : stepDown();
        return true;
    }
    // Ctrl or Alt chords are commands, not typing (Ctrl+Alt is AltGr on Windows).
    const auto chord = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (chord == Qt::ControlModifier || chord == Qt::AltModifier || (chord & Qt::MetaModifier))
        return false;
    const QString typed = key->text();
    if (typed.isEmpty())
        return false;
    if (typed == u"\r" || typed == u"\n") { // the classic control beeps on Enter
        refuseKey();
        return false;
    }
    bool printable = false;
    for (QChar c : typed) {
        if (c.unicode() < 32 || c.unicode() == 127)
            continue;
        printable = true;
        if (!acceptsTypedCharacter(c)) {
            refuseKey();
            return true;
        }
    }
    if (printable && !edit_->hasSelectedText() && edit_->text().size() + typed.size() > edit_->maxLength()) {
        refuseKey(); // the edit is full
        return true;
    }
    return false;
}

void SpinEdit::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    edit_->setGeometry(rect());
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit_);
    const int inner = height() - 2 * frame;
    const int upHeight = (inner + 1) / 2;
    up_->setGeometry(width() - frame - kButtonWidth, frame, kButtonWidth, upHeight);
    down_->setGeometry(width() - frame - kButtonWidth, frame + upHeight, kButtonWidth, inner - upHeight);
}

QSize SpinEdit::sizeHint() const { return {65, 22}; }

} // namespace quoddle
