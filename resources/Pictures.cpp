#include "Pictures.hpp"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QtDebug>

#include <cmath>
#include <mutex>

// Q_INIT_RESOURCE declares a function at the point of use, so it must be
// called from the global namespace.
static void RegisterQuoddleResources()
{
    Q_INIT_RESOURCE(quoddle_resources);
}

namespace quoddle {

namespace {

QString PicturePath(const QString& name)
{
    return QStringLiteral(":/pictures/%1.svg").arg(name);
}

qreal PrimaryScreenRatio()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

} // namespace

void InitResources()
{
    static std::once_flag once;
    std::call_once(once, RegisterQuoddleResources);
}

QImage RenderPicture(const QString& name, qreal devicePixelRatio)
{
    InitResources();
    QSvgRenderer renderer(PicturePath(name));
    if (!renderer.isValid()) {
        qWarning("Unknown picture %s", qUtf8Printable(name));
        return {};
    }
    const QSize natural = renderer.defaultSize();
    const QSize device(int(std::ceil(natural.width() * devicePixelRatio - 0.01)),
                       int(std::ceil(natural.height() * devicePixelRatio - 0.01)));
    QImage image(device, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(natural) * devicePixelRatio));
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

QPixmap LoadPicture(const QString& name)
{
    const QImage image = RenderPicture(name, PrimaryScreenRatio());
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QSize PictureSize(const QString& name)
{
    InitResources();
    QSvgRenderer renderer(PicturePath(name));
    return renderer.isValid() ? renderer.defaultSize() : QSize();
}

QStringList PictureNames()
{
    InitResources();
    QStringList names;
    const QStringList files = QDir(QStringLiteral(":/pictures")).entryList({QStringLiteral("*.svg")}, QDir::Files,
                                                                          QDir::Name);
    for (const QString& file : files)
        names << file.chopped(4);
    return names;
}

QIcon ProgramIcon()
{
    QIcon icon;
    QSvgRenderer renderer((InitResources(), PicturePath(QStringLiteral("quoddle"))));
    for (int side : {16, 20, 24, 32, 40, 48, 64, 128, 256}) {
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, side, side));
        painter.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace quoddle
