#include "MessageBoxes.hpp"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace quoddle {

namespace {

// What a plain message box shows whole on the smallest screens the program
// meets (1024 × 768). Its label wraps at blanks; a longer word than this
// would stand cut at the box's edge.
constexpr qsizetype kShortMaxLines = 25;
constexpr qsizetype kShortMaxCharacters = 2000;
constexpr qsizetype kShortMaxWord = 100;

// The share of the screen's free area that the text area may take.
constexpr double kAreaWidthShare = 0.6;
constexpr double kAreaHeightShare = 0.5;

// Characters of the longest line measured for the box's width; a longer one
// needs the widest box anyway.
constexpr qsizetype kMeasuredCharacters = 400;

struct TextShape {
    qsizetype lines = 0;
    qsizetype longestLine = 0;
    qsizetype longestLineStart = 0;
    qsizetype longestWord = 0;
};

// One pass over the text; CR, LF and CR LF each end a line, as the text area counts them.
TextShape ShapeOf(const QString& text)
{
    TextShape shape;
    qsizetype lineStart = 0, word = 0;
    const auto endLine = [&](qsizetype end) {
        if (end - lineStart > shape.longestLine) {
            shape.longestLine = end - lineStart;
            shape.longestLineStart = lineStart;
        }
    };
    const QChar* const chars = text.constData();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = chars[i];
        if (c == u'\r' || c == u'\n') {
            endLine(i);
            ++shape.lines;
            if (c == u'\r' && i + 1 < size && chars[i + 1] == u'\n')
                ++i;
            lineStart = i + 1;
            word = 0;
            continue;
        }
        word = c.isSpace() ? 0 : word + 1;
        shape.longestWord = std::max(shape.longestWord, word);
    }
    endLine(size);
    if (lineStart < size || text.isEmpty())
        ++shape.lines;
    return shape;
}

QRect AvailableArea(const QWidget* parent)
{
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

bool IsLongMessage(const QString& text)
{
    if (text.size() > kShortMaxCharacters)
        return true;
    const TextShape shape = ShapeOf(text);
    return shape.lines > kShortMaxLines || shape.longestWord > kShortMaxWord;
}

LongMessageBox::LongMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text, QWidget* parent)
    : QDialog(parent), text_(text), textArea_(new QPlainTextEdit(this)), okButton_(nullptr)
{
    setWindowTitle(title);
    setModal(true);
    setSizeGripEnabled(true);

    textArea_->setReadOnly(true);
    textArea_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    textArea_->setLineWrapMode(QPlainTextEdit::NoWrap);
    textArea_->setTabChangesFocus(true);
    textArea_->setUndoRedoEnabled(false);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    okButton_ = buttons->button(QDialogButtonBox::Ok);
    okButton_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    if (icon != QMessageBox::NoIcon) {
        auto* iconLabel = new QLabel(this);
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        iconLabel->setPixmap(QMessageBox::standardIcon(icon).scaled(size, size, Qt::KeepAspectRatio,
                                                                    Qt::SmoothTransformation));
        iconLabel->setAlignment(Qt::AlignTop);
        row->addWidget(iconLabel);
    }
    row->addWidget(textArea_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row, 1);
    layout->addWidget(buttons);

    // As large as the text asks for, within a share of the screen; the user
    // may resize it afterwards.
    const TextShape shape = ShapeOf(text_);
    const QFontMetrics metrics(textArea_->font());
    const QRect screen = AvailableArea(parent);
    const int chrome = 2 * textArea_->frameWidth() + 2 * static_cast<int>(textArea_->document()->documentMargin())
        + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, textArea_);
    const auto bounded = [](qsizetype wanted, int low, int high) {
        return static_cast<int>(std::clamp<qsizetype>(wanted, low, std::max(low, high)));
    };
    const QString widest = text_.mid(shape.longestLineStart, std::min(shape.longestLine, kMeasuredCharacters));
    const int width = bounded(metrics.horizontalAdvance(widest) + metrics.averageCharWidth() + chrome, 360,
                              static_cast<int>(screen.width() * kAreaWidthShare));
    const int height = bounded(metrics.lineSpacing() * (shape.lines + 1) + chrome, 120,
                               static_cast<int>(screen.height() * kAreaHeightShare));
    textArea_->setMinimumSize(width, height);
    adjustSize();
    textArea_->setMinimumSize(160, 80);
    // Once the area has its size; only the lines in view are laid out, so
    // even 100,000 lines show at once.
    textArea_->setPlainText(text_);
    okButton_->setFocus();
}

std::unique_ptr<QDialog> BuildMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                                         QWidget* parent)
{
    if (IsLongMessage(text))
        return std::make_unique<LongMessageBox>(icon, title, text, parent);
    return std::make_unique<QMessageBox>(icon, title, text, QMessageBox::Ok, parent);
}

} // namespace quoddle
