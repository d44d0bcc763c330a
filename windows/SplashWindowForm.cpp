#include "SplashWindowForm.hpp"

#include "FormBuilder.hpp"
#include "widgets/EffectLabel.hpp"
#include "widgets/Panel.hpp"

#include <QGuiApplication>
#include <QScreen>

namespace quoddle {

SplashWindowForm::SplashWindowForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("SplashScreen"));
    setWindowTitle(QStringLiteral("SplashScreen"));
    setFixedSize(kWidth, kHeight);
    SetFont(this, {"MS Sans Serif", 11});
    SetSkinSection(this, "FORM");

    sPanel1 = Place(new Panel(this), "sPanel1", {0, 0, kWidth, kHeight});
    SetSkinSection(sPanel1, "PANEL");
    sLabelFX1 = Place(new EffectLabel(sPanel1), "sLabelFX1", {24, 30, 345, 105});
    sLabelFX1->setText(tr("Démarrage du serveur Adb pour communiquer avec le smartphone..."));
    sLabelFX1->setAlignment(Qt::AlignCenter);
    sLabelFX1->setWordWrap(true);
    SetFont(sLabelFX1, {"Lucida Sans", 24, true, true});

    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    move(desktop.center() - rect().center());
}

} // namespace quoddle
