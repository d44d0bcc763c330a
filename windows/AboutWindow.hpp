#pragma once
// The about window: product name, version, author, the maker's web page and a
// distribution notice beside the mascot. Any click closes it, except on the link.

#include <QDialog>

class QLabel;

namespace quoddle {

class EffectLabel;
class Picture;

class Tfm_apropos : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 440;
    static constexpr int kClientHeight = 200;
    static constexpr const char* kWebAddress = "https://quoddle.example.org";

    explicit Tfm_apropos(QWidget* parent = nullptr);

    Picture* Image1 = nullptr;
    EffectLabel* sLabelFX1 = nullptr;
    EffectLabel* sLabelFX2 = nullptr;
    EffectLabel* sLabelFX3 = nullptr;
    QLabel* Label1 = nullptr;
    EffectLabel* sLabelFX4 = nullptr;

    void FormClick();
    void Label1Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool placed_ = false;
    QPoint lastPosition_;
};

} // namespace quoddle
