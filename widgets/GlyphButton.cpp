#include "widgets/GlyphButton.hpp"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace quoddle {

namespace {

// The caption as drawn: "&&" stands for '&', a single '&' marks the mnemonic.
QString DisplayCaption(const QString& caption)
{
    QString shown;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

// Breaks the caption into lines of at most `width` the way the classic
// word-break drawing does: only at blanks, the blanks at a break dropped,
// leading blanks of the caption kept; a word wider than a line stands alone.
QStringList WrapCaption(const QString& caption, const QFontMetrics& metrics, int width)
{
    QStringList lines;
    for (const QString& paragraph : caption.split(u'\n')) {
        QString line;
        bool lineStarted = false;
        int i = 0;
        while (i < paragraph.size()) {
            int wordStart = i;
            while (wordStart < paragraph.size() && paragraph[wordStart] == u' ')
                ++wordStart;
            int wordEnd = wordStart;
            while (wordEnd < paragraph.size() && paragraph[wordEnd] != u' ')
                ++wordEnd;
            const QString blanks = paragraph.mid(i, wordStart - i);
            const QString word = paragraph.mid(wordStart, wordEnd - wordStart);
            const QString joined = line + blanks + word;
            if (word.isEmpty()) { // blanks at the end stay only where they fit
                if (!lineStarted || metrics.horizontalAdvance(joined) <= width)
                    line = joined;
                break;
            }
            if (!lineStarted || metrics.horizontalAdvance(joined) <= width) {
                line = joined;
                lineStarted = true;
            } else {
                lines.push_back(line);
                line = word;
            }
            i = wordEnd;
        }
        lines.push_back(line);
    }
    return lines;
}

} // namespace

GlyphButton::GlyphButton(QWidget* parent) : QPushButton(parent) {}

GlyphButton::GlyphButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void GlyphButton::setGlyph(const QPixmap& glyph)
{
    setGlyph(QIcon(glyph), glyph.isNull() ? QSize() : glyph.deviceIndependentSize().toSize());
}

void GlyphButton::setGlyph(const QIcon& glyph, const QSize& size)
{
    glyph_ = glyph;
    glyphSize_ = glyph.isNull() ? QSize() : size;
    updateGeometry();
    update();
}

QRect GlyphButton::contentRect() const { return rect().adjusted(kMargin, kMargin, -kMargin, -kMargin); }

QRect GlyphButton::glyphRect() const
{
    if (glyphSize_.isEmpty())
        return {};
    QRect area(QPoint(0, 0), glyphSize_);
    if (text().isEmpty()) {
        area.moveCenter(rect().center());
        return area;
    }
    area.moveTop(rect().top() + (height() - glyphSize_.height()) / 2);
    area.moveLeft(contentRect().left());
    return area;
}

QRect GlyphButton::captionRect() const
{
    if (text().isEmpty())
        return {};
    QRect area = contentRect();
    if (!glyphSize_.isEmpty())
        area.setLeft(glyphRect().right() + 1 + kSpacing);
    return area;
}

QStringList GlyphButton::wrappedLines(int width) const
{
    return WrapCaption(DisplayCaption(text()), fontMetrics(), width);
}

QList<QRect> GlyphButton::captionLineRects() const
{
    const QRect area = captionRect();
    if (area.isEmpty())
        return {};
    const QFontMetrics metrics = fontMetrics();
    const QStringList lines = wrappedLines(area.width());
    const int lineHeight = metrics.height();
    int top = area.top() + (area.height() - lineHeight * int(lines.size())) / 2;
    QList<QRect> rects;
    for (const QString& line : lines) {
        const int width = metrics.horizontalAdvance(line);
        rects.push_back(QRect(area.left() + (area.width() - width) / 2, top, width, lineHeight));
        top += lineHeight;
    }
    return rects;
}

QRect GlyphButton::captionBoundingRect() const
{
    QRect bounds;
    for (const QRect& line : captionLineRects())
        bounds |= line;
    return bounds;
}

int GlyphButton::captionLineCount() const { return int(captionLineRects().size()); }

QSize GlyphButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    int width = 2 * kMargin;
    int height = 0;
    if (!glyphSize_.isEmpty()) {
        width += glyphSize_.width();
        height = glyphSize_.height();
    }
    if (!text().isEmpty()) {
        width += (glyphSize_.isEmpty() ? 0 : kSpacing) + metrics.horizontalAdvance(DisplayCaption(text()));
        height = std::max(height, metrics.height());
    }
    return {width, height + 2 * kMargin};
}

QSize GlyphButton::minimumSizeHint() const { return sizeHint(); }

void GlyphButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    QPoint shift;
    if (isDown() || isChecked())
        shift = {style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                 style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this)};

    if (!glyphSize_.isEmpty()) {
        const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
        glyph_.paint(&painter, glyphRect().translated(shift), Qt::AlignCenter, mode);
    }

    const QList<QRect> lineRects = captionLineRects();
    if (!lineRects.isEmpty()) {
        const QStringList lines = wrappedLines(captionRect().width());
        painter.setPen(option.palette.color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                            QPalette::ButtonText));
        const int ascent = fontMetrics().ascent();
        for (int i = 0; i < lines.size(); ++i)
            painter.drawText(lineRects[i].topLeft() + QPoint(0, ascent) + shift, lines[i]);
    }

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace quoddle
