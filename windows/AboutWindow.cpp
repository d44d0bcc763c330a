#include "AboutWindow.hpp"

#include "FormBuilder.hpp"
#include "HandlerGuard.hpp"
#include "Services.hpp"
#include "resources/Pictures.hpp"
#include "widgets/EffectLabel.hpp"
#include "widgets/Picture.hpp"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace quoddle {

namespace {
const FontSpec kTitleFont{"Arial Black", 21, true, true};
}

Tfm_apropos::Tfm_apropos(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("fm_apropos"));
    setWindowTitle(tr("A propos..."));
    setFixedSize(kClientWidth, kClientHeight);
    SetFont(this, {"MS Sans Serif", 11});

    Image1 = Place(new Picture(this), "Image1", {8, 27, 133, 150});
    Image1->setPixmap(LoadPicture(QStringLiteral("mascot")));
    const auto effectLabel = [this](const char* name, const QRect& geometry, const QString& text, const FontSpec& font) {
        auto* label = Place(new EffectLabel(this), name, geometry);
        label->setText(text);
        label->setAlignment(Qt::AlignCenter);
        SetFont(label, font);
        return label;
    };
    sLabelFX1 = effectLabel("sLabelFX1", {160, 16, 257, 34}, QStringLiteral("Quoddle"), kTitleFont);
    sLabelFX2 = effectLabel("sLabelFX2", {160, 48, 257, 34}, tr("V 0.6 Beta"), kTitleFont);
    sLabelFX3 = effectLabel("sLabelFX3", {160, 80, 257, 34}, tr("par l'équipe Quoddle"), kTitleFont);
    Label1 = Place(new QLabel(QString::fromLatin1(kWebAddress), this), "Label1", {184, 120, 229, 16});
    SetFont(Label1, {"MS Sans Serif", 13, true, true, true});
    Label1->setStyleSheet(QStringLiteral("color: blue;"));
    Label1->setCursor(Qt::PointingHandCursor);
    sLabelFX4 = effectLabel("sLabelFX4", {168, 144, 257, 49},
                            tr("Logiciel libre : vous pouvez le copier et le distribuer gratuitement."),
                            {"Arial Black", 11, true, true});
    sLabelFX4->setWordWrap(true);

    for (auto* label : {sLabelFX1, sLabelFX2, sLabelFX3, sLabelFX4})
        connect(label, &EffectLabel::clicked, this, [this] { RunGuarded([this] { FormClick(); }); });
    connect(Image1, &Picture::clicked, this, [this] { RunGuarded([this] { FormClick(); }); });
    // The link is a plain label: its clicks reach the window's own handler below.
}

void Tfm_apropos::FormClick() { close(); }

void Tfm_apropos::Label1Click() { services().OpenUrl(QString::fromLatin1(kWebAddress)); }

void Tfm_apropos::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (Label1->geometry().contains(event->position().toPoint()))
        RunGuarded([this] { Label1Click(); });
    else
        RunGuarded([this] { FormClick(); });
}

void Tfm_apropos::keyPressEvent(QKeyEvent* event)
{
    // Escape does not close it; the close box and the system shortcut do.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Tfm_apropos::showEvent(QShowEvent* event)
{
    if (!placed_) {
        // Centred on the desktop the first time (the whole window, frame
        // included); afterwards where it was last.
        const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
        QRect frame = frameGeometry();
        frame.moveCenter(desktop.center());
        move(frame.topLeft());
        placed_ = true;
    } else {
        move(lastPosition_);
    }
    QDialog::showEvent(event);
}

void Tfm_apropos::hideEvent(QHideEvent* event)
{
    lastPosition_ = pos();
    QDialog::hideEvent(event);
}

} // namespace quoddle
