#include "widgets/EffectLabel.hpp"

#include <QGraphicsDropShadowEffect>
#include <QMouseEvent>

namespace quoddle {

EffectLabel::EffectLabel(QWidget* parent) : EffectLabel(QString(), parent) {}

EffectLabel::EffectLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor::fromRgba(kTextColour));
    setPalette(colours);
    auto* effect = new QGraphicsDropShadowEffect(this);
    effect->setColor(QColor(0, 0, 0, 150));
    setGraphicsEffect(effect);
    setShadow(4, 1);
}

QGraphicsDropShadowEffect* EffectLabel::shadowEffect() const
{
    return qobject_cast<QGraphicsDropShadowEffect*>(graphicsEffect());
}

void EffectLabel::setShadow(int blurPasses, int offset)
{
    blurPasses_ = blurPasses;
    offset_ = offset;
    if (QGraphicsDropShadowEffect* effect = shadowEffect()) {
        effect->setBlurRadius(blurPasses * kBlurPerPass);
        effect->setOffset(offset, offset);
    }
}

void EffectLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace quoddle
