#pragma once
// Static text in dark grey (#212121) drawn over a soft black shadow. The
// shadow is given as the skin gives it: a number of blur passes (how soft)
// and an offset down and to the right in pixels.

#include <QLabel>

class QGraphicsDropShadowEffect;

namespace quoddle {

class EffectLabel : public QLabel {
    Q_OBJECT
public:
    explicit EffectLabel(QWidget* parent = nullptr);
    explicit EffectLabel(const QString& text, QWidget* parent = nullptr);

    void setShadow(int blurPasses, int offset);
    int shadowBlurPasses() const { return blurPasses_; }
    int shadowOffset() const { return offset_; }
    QGraphicsDropShadowEffect* shadowEffect() const;

    static constexpr QRgb kTextColour = 0xFF212121;
    // Blur radius in pixels per pass.
    static constexpr qreal kBlurPerPass = 1.5;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int blurPasses_ = 0;
    int offset_ = 0;
};

} // namespace quoddle
