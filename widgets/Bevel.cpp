#include "widgets/Bevel.hpp"

namespace quoddle {

Bevel::Bevel(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(1);
    setAttribute(Qt::WA_TransparentForMouseEvents); // a decoration, not a control
}

} // namespace quoddle
