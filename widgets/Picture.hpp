#pragma once
// A picture with an alpha channel drawn at its own size from the top left
// corner over whatever lies behind it; a left click reports clicked().

#include <QLabel>

namespace quoddle {

class Picture : public QLabel {
    Q_OBJECT
public:
    explicit Picture(QWidget* parent = nullptr);

signals:
    // The left button was released inside the picture.
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace quoddle
