// The keypad's face as the window data lays it out, checked against the live
// widgets.

#include "KeypadFixture.hpp"

#include "resources/Fonts.hpp"

#include <set>

using namespace quoddle;
using namespace quoddle::test;

namespace {

// Typed from the layout, group by group: a button is 49 x 25 unless its row says otherwise.
struct ExpectedButton {
    int number;
    const char* caption;
    int left, top;
    int width = 49, height = 25;
};

const ExpectedButton kExpected[] = {
    {1, "power", 104, 24}, {2, "clear", 176, 24}, {3, "search", 248, 24}, {4, "Sym", 416, 24},
    {5, "focus", 472, 24}, {6, "notification", 528, 24}, {7, "Menu", 592, 24}, {8, "grave", 656, 24},
    {11, "Headsethook player", 736, 24, 105}, {12, "coma ,", 856, 24}, {10, "Volume +", 1024, 24, 57},
    {13, "envelope", 8, 32}, {9, "Volume-", 1024, 56, 57}, {14, "explorer", 8, 64}, {15, "camera", 96, 64},
    {16, "at @", 168, 64}, {17, "semicolon ;", 368, 104, 73},

    {18, "'", 208, 224, 41}, {19, "\\", 424, 224}, {20, "=", 552, 224}, {21, "Retour", 616, 224},
    {22, "TAB", 24, 256}, {23, "A", 80, 256, 41}, {24, "Z", 128, 256, 41}, {25, "E", 176, 256},
    {26, "R", 232, 256}, {27, "T", 288, 256}, {28, "Y", 344, 256}, {29, "U", 400, 256}, {30, "I", 456, 256},
    {31, "O", 512, 256}, {32, "P", 568, 256, 41}, {33, "enter", 616, 256},
    {34, "Q", 88, 288}, {35, "S", 144, 288}, {36, "D", 200, 288}, {37, "F", 256, 288}, {38, "G", 312, 288},
    {39, "H", 368, 288}, {40, "J", 424, 288}, {41, "K", 480, 288}, {42, "L", 536, 288}, {43, "M", 592, 288},
    {44, "Shift G", 48, 320}, {45, "W", 104, 320}, {46, "X", 160, 320}, {47, "C", 216, 320},
    {48, "V", 272, 320}, {49, "B", 328, 320}, {50, "N", 384, 320}, {51, "Shift D", 624, 320},
    {52, "alt left", 136, 352}, {57, "space", 192, 352, 281}, {53, "alt droit", 480, 352},
    {54, "period .", 632, 432},

    {55, "del", 744, 248}, {56, "haut", 792, 288}, {58, "gauche", 736, 320}, {59, "centre", 792, 320},
    {60, "droite", 848, 320}, {61, "bas", 792, 352},

    {62, "APPEL", 960, 192}, {63, "Raccrocher", 1072, 192, 65},
    {64, "Num", 944, 232}, {66, "/", 1000, 232}, {67, "*", 1056, 232}, {65, "-", 1112, 232, 25},
    {68, "7", 944, 264}, {69, "8", 1000, 264}, {70, "9", 1056, 264}, {72, "+", 1112, 264, 25, 57},
    {71, "4", 944, 296}, {73, "5", 1000, 296}, {74, "6", 1056, 296},
    {75, "1", 944, 328}, {76, "2", 1000, 328}, {77, "3", 1056, 328},
    {78, "0", 992, 360, 73}, {79, "pound #", 1072, 360},
};

TEST_F(KeypadTest, ButtonsAreTheLayoutsButtons)
{
    // Off the buttons, the window's main default button is the default one.
    keypad->focusWidget()->clearFocus();
    const auto live = keypad->findChildren<GlyphButton*>();
    ASSERT_EQ(79, live.size());
    ASSERT_EQ(79u, std::size(kExpected));
    std::set<QString> seen;
    const QFont windowFont = WindowFont(QStringLiteral("MS Sans Serif"), 11);
    for (const ExpectedButton& e : kExpected) {
        const QString name = QStringLiteral("sBitBtn%1").arg(e.number);
        SCOPED_TRACE(name.toStdString());
        auto* button = keypad->findChild<GlyphButton*>(name);
        ASSERT_NE(nullptr, button);
        EXPECT_EQ(button, keypad->Button(e.number));
        EXPECT_TRUE(seen.insert(name).second);
        EXPECT_EQ(QString::fromLatin1(e.caption), button->text());
        EXPECT_EQ(QRect(e.left, e.top, e.width, e.height), button->geometry());
        // The window's font; only a caption too wide for its button is condensed.
        QFont font = button->font();
        EXPECT_LE(font.stretch(), windowFont.stretch() == QFont::AnyStretch ? 100 : windowFont.stretch());
        font.setStretch(windowFont.stretch());
        EXPECT_EQ(windowFont, font);
        EXPECT_EQ(e.number == 57, button->isDefault());
        EXPECT_TRUE(button->isVisible());
        EXPECT_TRUE(button->isEnabled());
        EXPECT_NE(Qt::NoFocus, button->focusPolicy());
        EXPECT_TRUE(button->glyph().isNull());
    }
    EXPECT_EQ(keypad->sBitBtn9, keypad->Button(9));
    EXPECT_EQ(keypad->sBitBtn10, keypad->Button(10));
    EXPECT_EQ(keypad->sBitBtn57, keypad->Button(57));
    EXPECT_EQ(keypad->sBitBtn65, keypad->Button(65));
    EXPECT_EQ(keypad->sBitBtn72, keypad->Button(72));
}

TEST_F(KeypadTest, CaptionsFitTheirButtons)
{
    for (int number = 1; number <= Tfm_appli::kButtonCount; ++number) {
        const GlyphButton* button = keypad->Button(number);
        SCOPED_TRACE(button->text().toStdString());
        EXPECT_EQ(1, button->captionLineCount());
        const int margin = GlyphButton::kMargin;
        EXPECT_TRUE(button->rect().adjusted(margin, margin, -margin, -margin).contains(button->captionBoundingRect()))
            << "caption " << button->captionBoundingRect().width() << " px wide in a button of "
            << button->width();
    }
}

TEST_F(KeypadTest, WindowFrameAndBehaviour)
{
    EXPECT_EQ(QStringLiteral("Commander le téléphone..."), keypad->windowTitle());
    EXPECT_EQ(QStringLiteral("fm_appli"), keypad->objectName());
    EXPECT_EQ(WindowFont(QStringLiteral("MS Sans Serif"), 11), keypad->font());
    // Where designed, frame included; resizable.
    EXPECT_EQ(Tfm_appli::kOuterGeometry, keypad->frameGeometry());
    EXPECT_EQ(QRect(198, 121, 1165, 563), Tfm_appli::kOuterGeometry);
    EXPECT_NE(keypad->minimumSize(), keypad->maximumSize());
    EXPECT_FALSE(keypad->windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint));
    EXPECT_TRUE(keypad->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    // Every button lies inside the client area.
    for (int number = 1; number <= Tfm_appli::kButtonCount; ++number)
        EXPECT_TRUE(keypad->rect().contains(keypad->Button(number)->geometry())) << number;
}

} // namespace
