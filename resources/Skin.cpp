#include "Skin.hpp"

#include "Fonts.hpp"
#include "Pictures.hpp"

#include <QApplication>
#include <QFile>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace quoddle {

namespace {

QPalette SkinPalette()
{
    const QColor text(0x21, 0x21, 0x21);
    const QColor disabledText(0xA0, 0xA8, 0xB3);
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0xF3, 0xF5, 0xF8));
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(0xF6, 0xF9, 0xFC));
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, QColor(0xF7, 0xF9, 0xFB));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Light, Qt::white);
    palette.setColor(QPalette::Midlight, QColor(0xE9, 0xED, 0xF2));
    palette.setColor(QPalette::Mid, QColor(0xB8, 0xC2, 0xCE));
    palette.setColor(QPalette::Dark, QColor(0x8A, 0x94, 0xA3));
    palette.setColor(QPalette::Shadow, QColor(0x5F, 0x6B, 0x7A));
    palette.setColor(QPalette::Highlight, QColor(0x1E, 0x88, 0xE5));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0x15, 0x65, 0xC0));
    palette.setColor(QPalette::LinkVisited, QColor(0x6A, 0x1B, 0x9A));
    palette.setColor(QPalette::ToolTipBase, Qt::white);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, QColor(0x8A, 0x94, 0xA3));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, QColor(0xF1, 0xF3, 0xF6));
    palette.setColor(QPalette::Disabled, QPalette::Button, QColor(0xF1, 0xF3, 0xF6));
    return palette;
}

} // namespace

QString SkinStyleSheet()
{
    InitResources();
    QFile file(QStringLiteral(":/skin/skin.qss"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll());
}

void ApplySkin(QApplication& application)
{
    InitResources();
    application.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    application.setPalette(SkinPalette());
    application.setFont(WindowFont(QStringLiteral("MS Shell Dlg 2"), 11));
    application.setStyleSheet(SkinStyleSheet());
}

void RefreshSkin(QWidget* widget)
{
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    widget->update();
}

} // namespace quoddle
