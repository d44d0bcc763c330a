#pragma once
// A push button with a picture (the glyph) at its own size left of the
// caption. The caption is centred in the width that the glyph leaves and
// wraps at blanks onto further lines where it does not fit; blanks in the
// caption are kept, so leading blanks can push a word onto the next line. Without a
// caption the glyph stands alone in the middle. The bevel is the style's
// (and the style sheet's) push button.

#include <QIcon>
#include <QPushButton>

namespace quoddle {

class GlyphButton : public QPushButton {
    Q_OBJECT
public:
    explicit GlyphButton(QWidget* parent = nullptr);
    explicit GlyphButton(const QString& caption, QWidget* parent = nullptr);

    void setGlyph(const QPixmap& glyph);
    // An icon drawn at `size` (an SVG renders sharp at any scale).
    void setGlyph(const QIcon& glyph, const QSize& size);
    QIcon glyph() const { return glyph_; }
    QSize glyphSize() const { return glyphSize_; }

    // Where the glyph and the caption go inside the button as it is now
    // (not shifted for the pressed look).
    QRect glyphRect() const;
    QRect captionRect() const;
    // Where each line of the wrapped caption is drawn, and all of them together.
    QList<QRect> captionLineRects() const;
    QRect captionBoundingRect() const;
    int captionLineCount() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Blank between the bevel and the content, and between glyph and caption.
    static constexpr int kMargin = 3;
    static constexpr int kSpacing = 4;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect contentRect() const;
    QStringList wrappedLines(int width) const;

    QIcon glyph_;
    QSize glyphSize_;
};

} // namespace quoddle
