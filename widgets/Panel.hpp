#pragma once
// A framed area that holds other controls, placed relative to its top left
// corner. Its look comes from the style sheet (the skin's panel section).

#include <QFrame>

namespace quoddle {

class Panel : public QFrame {
    Q_OBJECT
public:
    explicit Panel(QWidget* parent = nullptr);
};

} // namespace quoddle
