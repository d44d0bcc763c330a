#pragma once
// The splash window's layout: a frameless panel with one message, centred.

#include <QWidget>

namespace quoddle {

class EffectLabel;
class Panel;

class SplashWindowForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 393;
    static constexpr int kHeight = 161;

    explicit SplashWindowForm(QWidget* parent = nullptr);

    Panel* sPanel1 = nullptr;
    EffectLabel* sLabelFX1 = nullptr;
};

} // namespace quoddle
