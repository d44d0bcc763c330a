#include "LookOutput.hpp"
#include "resources/Pictures.hpp"

#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace quoddle {
namespace {

struct PictureSpec {
    const char* name;
    int width;
    int height;
};

// Every picture the windows use, at the size their controls give it.
const PictureSpec kPictures[] = {
    {"phone_err", 176, 340},  {"phone_ok", 176, 340},   {"close_small", 16, 16},  {"usb", 25, 25},
    {"power", 32, 32},        {"power_warning", 32, 32}, {"joystick", 32, 32},     {"console", 32, 32},
    {"refresh_blue", 32, 32}, {"uninstall", 32, 32},     {"uninstall_keep", 32, 32}, {"install_app", 36, 36},
    {"desk_phone", 36, 36},   {"wifi", 38, 38},          {"trash_full", 48, 48},   {"refresh_grey", 48, 48},
    {"microsd", 48, 48},      {"memory_chip", 48, 48},   {"mascot", 133, 150},     {"quoddle", 256, 256},
};

QString Name(const PictureSpec& picture)
{
    return QString::fromLatin1(picture.name);
}

TEST(Pictures, TheResourcesHoldExactlyTheExpectedPictures)
{
    QStringList expected;
    for (const PictureSpec& picture : kPictures)
        expected << Name(picture);
    expected.sort();
    EXPECT_EQ(PictureNames(), expected);
}

TEST(Pictures, EveryPictureRendersAtItsSizeWithTransparentSurroundings)
{
    for (const PictureSpec& picture : kPictures) {
        SCOPED_TRACE(picture.name);
        EXPECT_EQ(PictureSize(Name(picture)), QSize(picture.width, picture.height));
        for (qreal ratio : {1.0, 2.0}) {
            const QImage image = RenderPicture(Name(picture), ratio);
            ASSERT_FALSE(image.isNull());
            EXPECT_EQ(image.size(), QSize(picture.width, picture.height) * ratio);
            EXPECT_EQ(image.devicePixelRatio(), ratio);
            EXPECT_TRUE(image.hasAlphaChannel());
            // The top left corner lies outside every drawing: the surroundings stay transparent.
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
            qsizetype visible = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x)
                    visible += qAlpha(image.pixel(x, y)) > 0;
            }
            // A drawing, not a blank or a frame: at least a sixth of the area is covered.
            EXPECT_GT(visible, qsizetype(image.width()) * image.height() / 6);
        }
    }
}

// Pixels that differ between two drawings of the phone, inside its screen and outside it.
struct ScreenDifferences {
    qsizetype inside = 0;
    qsizetype outside = 0;
    qsizetype screenArea = 0;
};

ScreenDifferences CompareScreens(const QImage& a, const QImage& b, qreal ratio)
{
    const QRect screen(23, 63, 130, 100); // x 23..153, y 63..163
    const QRect scaledScreen(screen.topLeft() * ratio, screen.size() * ratio);
    ScreenDifferences differences;
    differences.screenArea = qsizetype(scaledScreen.width()) * scaledScreen.height();
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const bool differs = a.pixel(x, y) != b.pixel(x, y);
            (scaledScreen.contains(x, y) ? differences.inside : differences.outside) += differs;
        }
    }
    return differences;
}

TEST(Pictures, ThePhonePicturesDifferOnlyInsideTheScreen)
{
    for (qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        const QImage err = RenderPicture(QStringLiteral("phone_err"), ratio);
        const QImage ok = RenderPicture(QStringLiteral("phone_ok"), ratio);
        ASSERT_EQ(err.size(), ok.size());
        const ScreenDifferences differences = CompareScreens(err, ok, ratio);
        EXPECT_EQ(differences.outside, 0);
        // The screens have different colours throughout.
        EXPECT_GT(differences.inside, differences.screenArea * 9 / 10);
    }
}

// Where the default locale speaks English (an English desktop), the screens' words are English.
TEST(Pictures, ThePhonePicturesOfAnEnglishDesktopDifferOnlyInTheScreensWords)
{
    const QLocale before;
    for (const char* name : {"phone_err", "phone_ok"}) {
        SCOPED_TRACE(name);
        const QImage french = RenderPicture(QString::fromLatin1(name), 1.0);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const QImage english = RenderPicture(QString::fromLatin1(name), 1.0);
        QLocale::setDefault(before);
        ASSERT_EQ(french.size(), english.size());
        const ScreenDifferences differences = CompareScreens(french, english, 1.0);
        EXPECT_EQ(differences.outside, 0);
        EXPECT_GT(differences.inside, 0);
        EXPECT_LT(differences.inside, differences.screenArea / 4) << "more than the words differ";
    }
}

TEST(Pictures, LoadPictureIsCrispOnTheScreenAndNullForAnUnknownName)
{
    const QPixmap usb = LoadPicture(QStringLiteral("usb"));
    EXPECT_EQ(usb.devicePixelRatio(), QGuiApplication::primaryScreen()->devicePixelRatio());
    EXPECT_EQ(usb.deviceIndependentSize(), QSizeF(25, 25));
    EXPECT_TRUE(LoadPicture(QStringLiteral("no_such_picture")).isNull());
    EXPECT_TRUE(RenderPicture(QStringLiteral("no_such_picture")).isNull());
}

TEST(Pictures, TheProgramIconOffersEverySizeFrom16To256)
{
    const QIcon icon = ProgramIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    const QImage small = icon.pixmap(16, 16).toImage();
    EXPECT_GT(qAlpha(small.pixel(8, 8)), 200);
}

// Images of the committed quoddle.ico, read as Windows reads them: a directory
// of entries, each a PNG stream.
std::vector<QImage> ReadIcoImages(const QByteArray& ico)
{
    std::vector<QImage> images;
    if (ico.size() < 6 || qFromLittleEndian<quint16>(ico.constData() + 2) != 1)
        return images;
    const int count = qFromLittleEndian<quint16>(ico.constData() + 4);
    for (int i = 0; i < count; ++i) {
        const char* entry = ico.constData() + 6 + 16 * i;
        const quint32 size = qFromLittleEndian<quint32>(entry + 8);
        const quint32 offset = qFromLittleEndian<quint32>(entry + 12);
        const int side = quint8(entry[0]) == 0 ? 256 : quint8(entry[0]);
        QImage image = QImage::fromData(ico.mid(offset, size), "PNG");
        if (image.size() != QSize(side, side))
            return {};
        images.push_back(image.convertToFormat(QImage::Format_ARGB32));
    }
    return images;
}

TEST(Pictures, TheWindowsIconFileIsUpToDateWithTheProgramIcon)
{
    QFile file(QStringLiteral(QUODDLE_SOURCE_DIR "/resources/quoddle.ico"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::vector<QImage> images = ReadIcoImages(file.readAll());
    ASSERT_GE(images.size(), 6u);
    std::vector<int> sides;
    InitResources();
    QSvgRenderer renderer(QStringLiteral(":/pictures/quoddle.svg"));
    for (const QImage& stored : images) {
        sides.push_back(stored.width());
        QImage fresh(stored.size(), QImage::Format_ARGB32);
        fresh.fill(Qt::transparent);
        QPainter painter(&fresh);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), stored.size()));
        painter.end();
        int worst = 0;
        for (int y = 0; y < fresh.height(); ++y) {
            for (int x = 0; x < fresh.width(); ++x) {
                const QRgb a = stored.pixel(x, y);
                const QRgb b = fresh.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                  std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
            }
        }
        EXPECT_LE(worst, 8) << "quoddle.ico at " << stored.width() << " px is stale: run ninja regenerate_pictures";
    }
    for (int side : {16, 32, 48, 256})
        EXPECT_NE(std::find(sides.begin(), sides.end(), side), sides.end()) << side;
}

// Not a check: leaves every picture at 1x and 2x on one sheet for a person.
TEST(Pictures, ContactSheetForPeople)
{
    const int margin = 16;
    const int labelHeight = 18;
    QList<std::pair<QString, QImage>> cells;
    for (const PictureSpec& picture : kPictures) {
        for (qreal ratio : {1.0, 2.0})
            cells.append({QStringLiteral("%1 %2x").arg(Name(picture)).arg(ratio), RenderPicture(Name(picture), ratio)});
    }
    const QIcon icon = ProgramIcon();
    for (int side : {16, 24, 32, 48, 64})
        cells.append({QStringLiteral("icon %1").arg(side), icon.pixmap(side, side).toImage()});
    // Rows of pictures, wrapped at a fixed width.
    const int sheetWidth = 1400;
    QList<QList<int>> rows(1);
    int x = margin;
    for (int i = 0; i < cells.size(); ++i) {
        const int width = std::max(cells[i].second.width(), 110);
        if (x + width + margin > sheetWidth && !rows.last().isEmpty()) {
            rows.append(QList<int>());
            x = margin;
        }
        rows.last().append(i);
        x += width + margin;
    }
    int height = margin;
    for (const QList<int>& row : rows) {
        int tallest = 0;
        for (int i : row)
            tallest = std::max(tallest, cells[i].second.height());
        height += tallest + labelHeight + margin;
    }
    QImage sheet(sheetWidth, height, QImage::Format_ARGB32);
    sheet.fill(QColor(0xF3, 0xF5, 0xF8));
    QPainter painter(&sheet);
    int y = margin;
    for (const QList<int>& row : rows) {
        int tallest = 0;
        x = margin;
        for (int i : row) {
            QImage image = cells[i].second;
            image.setDevicePixelRatio(1.0); // drawn pixel for pixel
            painter.setPen(QColor(0x5F, 0x6B, 0x7A));
            painter.drawText(QRect(x, y, std::max(image.width(), 110), labelHeight), Qt::AlignLeft | Qt::AlignTop,
                             cells[i].first);
            painter.drawImage(x, y + labelHeight, image);
            tallest = std::max(tallest, image.height());
            x += std::max(image.width(), 110) + margin;
        }
        y += tallest + labelHeight + margin;
    }
    painter.end();
    EXPECT_TRUE(sheet.save(test::LookOutputPath(QStringLiteral("contact-sheet.png"))));
}

} // namespace
} // namespace quoddle
