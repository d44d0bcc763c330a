// The smaller controls: glyph button, effect label, radio group, picture.
#include "widgets/Bevel.hpp"
#include "widgets/EffectLabel.hpp"
#include "widgets/GlyphButton.hpp"
#include "widgets/Panel.hpp"
#include "widgets/Picture.hpp"
#include "widgets/RadioGroup.hpp"

#include "WidgetTestSupport.hpp"

#include <QGraphicsDropShadowEffect>
#include <QPainter>
#include <QRadioButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using quoddle::GlyphButton;

QPixmap SolidGlyph(int size)
{
    QPixmap glyph(size, size);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setBrush(Qt::red);
    painter.drawEllipse(glyph.rect().adjusted(1, 1, -1, -1));
    return glyph;
}

// Whether anything but the button's own background was painted in `area`.
bool PaintedSomethingIn(const QImage& image, const QRect& area)
{
    const QRgb background = image.pixel(1, image.height() / 2);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != background)
                return true;
    return false;
}

struct WrapCase {
    const char* name;
    QString caption;
    QSize button;
    int glyph;
    int minLines;
    int maxLines;
};

void PrintTo(const WrapCase& c, std::ostream* os) { *os << c.name; }

class GlyphButtonWrap : public testing::TestWithParam<WrapCase> {};

TEST_P(GlyphButtonWrap, CentresTheCaptionRightOfTheGlyphAndWrapsIt)
{
    const auto& c = GetParam();
    GlyphButton button(c.caption);
    QFont font("Liberation Sans"); // Arial's widths, close to the Windows dialog font
    font.setPixelSize(11);
    button.setFont(font);
    button.setGlyph(SolidGlyph(c.glyph));
    button.resize(c.button);

    EXPECT_EQ(c.caption, button.text()) << "blanks in the caption are kept";
    EXPECT_EQ(QSize(c.glyph, c.glyph), button.glyphRect().size());
    EXPECT_LT(button.glyphRect().right(), button.captionRect().left());
    EXPECT_GE(button.captionLineCount(), c.minLines);
    EXPECT_LE(button.captionLineCount(), c.maxLines);
    const QRect bounds = button.captionBoundingRect();
    const QRect area = button.captionRect();
    EXPECT_GE(bounds.left(), area.left() - 1) << "no line runs past the caption's space";
    EXPECT_LE(bounds.right(), area.right() + 1);
    EXPECT_NEAR(area.center().x(), bounds.center().x(), 1.0) << "centred";
    EXPECT_TRUE(button.rect().contains(bounds));

    const QImage image = button.grab().toImage();
    EXPECT_TRUE(PaintedSomethingIn(image, button.glyphRect()));
    EXPECT_TRUE(PaintedSomethingIn(image, bounds));
}

INSTANTIATE_TEST_SUITE_P(Captions, GlyphButtonWrap, testing::Values(
    WrapCase{"short_caption_one_line", "Numéroter", {104, 38}, 36, 1, 1},
    WrapCase{"long_caption_wraps", "Supprimer les temporaires du dossier \"/data/local/tmp\"", {169, 57}, 48, 2, 4},
    WrapCase{"leading_blanks_push_second_part_down", "      Désinstaller       (garde les réglages)", {144, 41}, 32, 2, 2}));

TEST(GlyphButton, GlyphAloneStandsInTheMiddle)
{
    GlyphButton button;
    button.setGlyph(SolidGlyph(16));
    button.resize(18, 18);
    EXPECT_EQ(QRect(1, 1, 16, 16), button.glyphRect());
    EXPECT_TRUE(button.captionRect().isEmpty());
    button.setEnabled(false);
    EXPECT_FALSE(button.grab().isNull());
    button.setEnabled(true);
    button.setDown(true);
    EXPECT_FALSE(button.grab().isNull());
}

TEST(GlyphButton, SizeHintHoldsGlyphAndCaptionOnOneLine)
{
    GlyphButton button("Appliquer");
    button.setGlyph(SolidGlyph(32));
    const QSize hint = button.sizeHint();
    EXPECT_GE(hint.width(), 32 + button.fontMetrics().horizontalAdvance("Appliquer"));
    EXPECT_GE(hint.height(), 32);
    button.resize(hint);
    EXPECT_EQ(1, button.captionLineCount());
}

TEST(EffectLabel, CastsASoftBlackShadowInDarkGreyText)
{
    quoddle::EffectLabel label("Remarques importantes :");
    QGraphicsDropShadowEffect* shadow = label.shadowEffect();
    ASSERT_NE(nullptr, shadow);
    EXPECT_EQ(4, label.shadowBlurPasses());
    EXPECT_EQ(QPointF(1, 1), shadow->offset());
    EXPECT_EQ(QColor(Qt::black).rgb(), shadow->color().rgb());
    EXPECT_EQ(QColor(0x21, 0x21, 0x21), label.palette().color(QPalette::WindowText));
    const qreal fourPasses = shadow->blurRadius();
    label.setShadow(1, 0);
    EXPECT_EQ(QPointF(0, 0), shadow->offset());
    EXPECT_LT(shadow->blurRadius(), fourPasses);
    label.resize(162, 24);
    EXPECT_FALSE(label.grab().isNull());
}

TEST(RadioGroup, OneColumnWithOneOrNoItemSelected)
{
    quoddle::RadioGroup group;
    group.resize(321, 81);
    group.setItems({"Mode Auto (défaut)", "Forcer l'installation sur le téléphone", "Forcer l'installation sur Micro SD"});
    QSignalSpy changed(&group, &quoddle::RadioGroup::itemIndexChanged);
    EXPECT_EQ(-1, group.itemIndex());
    group.setItemIndex(0);
    EXPECT_EQ(0, group.itemIndex());
    group.button(2)->click();
    EXPECT_EQ(2, group.itemIndex());
    EXPECT_FALSE(group.button(0)->isChecked());
    group.setItemIndex(-1);
    EXPECT_EQ(-1, group.itemIndex());
    EXPECT_EQ((QList<int>{0, 2, -1}), [&] {
        QList<int> seen;
        for (const auto& args : changed)
            seen.push_back(args.at(0).toInt());
        return seen;
    }());
    for (int i = 0; i < 3; ++i) {
        const QRect place = group.button(i)->geometry();
        EXPECT_EQ(8, place.left());
        EXPECT_TRUE(group.rect().contains(place)) << i;
        if (i > 0) {
            EXPECT_GE(place.top(), group.button(i - 1)->geometry().bottom());
        }
    }
}

TEST(Picture, ClicksOnlyOnLeftReleaseInside)
{
    quoddle::Picture picture;
    picture.setPixmap(SolidGlyph(20));
    picture.resize(20, 20);
    QSignalSpy clicked(&picture, &quoddle::Picture::clicked);
    QTest::mouseClick(&picture, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&picture, Qt::LeftButton, {}, QPoint(30, 5));
    EXPECT_EQ(0, clicked.count());
    QTest::mouseClick(&picture, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(1, clicked.count());
}

TEST(PanelAndBevel, DrawRaisedFrames)
{
    quoddle::Panel panel;
    quoddle::Bevel bevel(&panel);
    panel.resize(100, 60);
    bevel.setGeometry(40, 4, 9, 50);
    EXPECT_EQ(QFrame::Raised, panel.frameShadow());
    EXPECT_EQ(QFrame::Raised, bevel.frameShadow());
    EXPECT_EQ(&panel, bevel.parentWidget());
    EXPECT_FALSE(panel.grab().isNull());
}

} // namespace
