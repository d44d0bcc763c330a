#pragma once
// A raised frame: light edges at the top and left, dark ones at the bottom
// and right; drawn narrow it makes a raised bar that divides an area.

#include <QFrame>

namespace quoddle {

class Bevel : public QFrame {
    Q_OBJECT
public:
    explicit Bevel(QWidget* parent = nullptr);
};

} // namespace quoddle
