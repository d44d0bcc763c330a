#include "widgets/Panel.hpp"

namespace quoddle {

Panel::Panel(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    // A panel hides what lies behind it.
    setAutoFillBackground(true);
}

} // namespace quoddle
