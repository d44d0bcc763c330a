#include "LookOutput.hpp"
#include "resources/Fonts.hpp"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <gtest/gtest.h>

namespace quoddle {
namespace {

const char* const kWindowDataFonts[] = {"MS Shell Dlg 2", "MS Sans Serif", "Tahoma",    "Arial",
                                        "Arial Black",    "Tw Cen MT",     "Tw Cen MT Condensed", "Lucida Sans"};

TEST(WindowFonts, EveryFontOfTheWindowDataResolvesToAnInstalledFamily)
{
    const QStringList installed = QFontDatabase::families();
    for (const char* name : kWindowDataFonts) {
        SCOPED_TRACE(name);
        const QFont font = WindowFont(QString::fromLatin1(name), 13, true, true);
        const QString family = QFontInfo(font).family();
        EXPECT_TRUE(installed.contains(family, Qt::CaseInsensitive)) << family.toStdString();
        EXPECT_EQ(family.toStdString(), WindowFontFamily(QString::fromLatin1(name)).toStdString());
        EXPECT_TRUE(font.bold());
        EXPECT_TRUE(font.italic());
    }
}

TEST(WindowFonts, AnInstalledFontIsUsedAsItIsAtItsPixelHeight)
{
    const QString family = QFontDatabase::families().contains(QStringLiteral("DejaVu Sans"))
                               ? QStringLiteral("DejaVu Sans")
                               : QFontDatabase::families().first();
    const QFont font = WindowFont(family, 19, false, false, true);
    EXPECT_EQ(QFontInfo(font).family().toStdString(), family.toStdString());
    EXPECT_EQ(font.pixelSize(), 19);
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.bold());
}

TEST(WindowFonts, SubstitutesAreNeverEnlargedNorShrunkBeyondRecognition)
{
    for (const char* name : kWindowDataFonts) {
        for (int pixelHeight : {11, 13, 16, 19, 21, 23, 24}) {
            for (bool bold : {false, true}) {
                const QFont font = WindowFont(QString::fromLatin1(name), pixelHeight, bold);
                EXPECT_LE(font.pixelSize(), pixelHeight) << name << ' ' << pixelHeight;
                EXPECT_GE(font.pixelSize(), pixelHeight * 8 / 10) << name << ' ' << pixelHeight;
            }
        }
    }
}

struct Caption {
    const char* text;
    const char* font;
    int pixelHeight;
    bool bold;
    bool italic;
    int width;   // room for the text
    int height;  // room for its lines; 0: one line, no wrapping
};

// A glyph button's caption gets the button's width less the glyph and 12 px
// of margins, and its height less 4 px of border.
constexpr int GlyphRoom(int buttonWidth, int glyph) { return buttonWidth - glyph - 12; }

const Caption kCaptions[] = {
    // Glyph buttons in the window font, wrapped.
    {"Redémarrer le téléphone", "MS Shell Dlg 2", 11, false, false, GlyphRoom(112, 32), 37},
    {"Redémarrer en bootloader", "MS Shell Dlg 2", 11, false, false, GlyphRoom(112, 32), 37},
    {"Redémarrer en recovery", "MS Shell Dlg 2", 11, false, false, GlyphRoom(112, 32), 37},
    {"Installer une application", "MS Shell Dlg 2", 11, false, false, GlyphRoom(119, 36), 37},
    {"Commander le téléphone", "MS Shell Dlg 2", 11, false, false, GlyphRoom(121, 32), 31},
    {"Numéroter", "MS Shell Dlg 2", 11, false, false, GlyphRoom(104, 36), 0},
    {"Taper ma propre commande...", "MS Shell Dlg 2", 11, false, false, GlyphRoom(138, 32), 37},
    {"Supprimer les temporaires du dossier \"/data/local/tmp\"", "MS Shell Dlg 2", 11, false, false,
     GlyphRoom(169, 48), 53},
    {"Vérifier la connexion USB", "MS Shell Dlg 2", 11, false, false, GlyphRoom(163, 25), 0},
    {"  Tester en Wifi avec    Adb Wireless", "MS Shell Dlg 2", 11, false, false, GlyphRoom(167, 38), 36},
    {"      Désinstaller       (garde les réglages)", "MS Shell Dlg 2", 11, false, false, GlyphRoom(144, 32), 37},
    {"Actualiser liste", "Tahoma", 13, true, false, GlyphRoom(144, 32), 37},
    {"Désinstaller", "Tahoma", 13, true, false, GlyphRoom(144, 32), 0},
    {"installer sur SD", "Tahoma", 11, true, false, GlyphRoom(130, 48), 46},
    {"Installer sur mémoire interne", "Tahoma", 11, true, false, GlyphRoom(130, 48), 46},
    {"Appliquer", "MS Shell Dlg 2", 19, false, false, 113 - 12, 0},
    // Labels sized to their text, one line each.
    {"Remarques importantes :", "Arial", 13, true, true, 162, 0},
    {"Attention, le fait de forcer le stockage des application sur SD peut empêcher le fonctionnement de ",
     "Tw Cen MT Condensed", 13, true, true, 462, 0},
    {"certains programmes et widgets, notamment lors de laconnexion du téléphone en usb en mode ",
     "Tw Cen MT Condensed", 13, true, true, 448, 0},
    {"\"lecteur de disque\" puisque la carte SD devient alors indisponible.", "Tw Cen MT Condensed", 13, true,
     true, 308, 0},
    {"Désactiver la sauvegarde entraine la suppression des sauvegardes actuelles", "Tw Cen MT Condensed", 13,
     true, true, 361, 0},
    {"Adresse IP :", "Tw Cen MT", 19, true, true, 84, 0},
    {"Port :", "Tw Cen MT", 19, true, true, 38, 0},
    {"Paramètre  ne pas remettre adb :", "Tahoma", 11, true, false, 189, 0},
    {"(ex : devices, reboot...)", "Tahoma", 11, true, false, 129, 0},
    // The check box keeps its size: its caption shares it with the indicator.
    {" Il s'agit d'une réinstallation ", "Tahoma", 16, true, true, 266 - 20, 0},
    // Fields: their text between the frame and a little padding.
    {"192.168.1  .6  ", "MS Shell Dlg 2", 11, false, false, 105 - 8, 0},
    {"06-12-34-56-78", "Tw Cen MT Condensed", 21, true, false, 141 - 8, 0},
    // Centred, wrapped messages.
    {"Veuillez connecter le téléphone sur le port USB en mode charger seulement débogage USB activé",
     "Tw Cen MT Condensed", 23, true, true, 256, 116},
    {"( Menu -> Paramètres -> Applications -> Développement )", "MS Shell Dlg 2", 15, false, false, 257, 49},
    {"Veuillez lancer AdbWireless et reportez la configuration IP (débogage actif)", "Tw Cen MT Condensed", 23,
     true, true, 241, 97},
    {"Démarrage du serveur Adb pour communiquer avec le smartphone...", "Lucida Sans", 24, true, true, 345, 105},
    {"Quoddle", "Arial Black", 21, true, true, 257, 0},
    {"V 0.6 Beta", "Arial Black", 21, true, true, 257, 0},
};

TEST(WindowFonts, CaptionsFitTheBoxesTheWindowDataGivesThem)
{
    for (const Caption& caption : kCaptions) {
        const QString text = QString::fromUtf8(caption.text);
        const QFont font = WindowFont(QString::fromLatin1(caption.font), caption.pixelHeight, caption.bold,
                                      caption.italic);
        const QFontMetrics metrics(font);
        SCOPED_TRACE(caption.text);
        if (caption.height == 0) {
            EXPECT_LE(metrics.horizontalAdvance(text), caption.width)
                << QFontInfo(font).family().toStdString() << ' ' << font.pixelSize() << " px";
        } else {
            const QRect needed = metrics.boundingRect(QRect(0, 0, caption.width, 10000),
                                                      Qt::TextWordWrap | Qt::AlignHCenter, text);
            EXPECT_LE(needed.width(), caption.width)
                << QFontInfo(font).family().toStdString() << ' ' << font.pixelSize() << " px";
            EXPECT_LE(needed.height(), caption.height)
                << QFontInfo(font).family().toStdString() << ' ' << font.pixelSize() << " px";
        }
    }
}

// Not a check: every caption of the table in its box, for a person to look at.
TEST(WindowFonts, CaptionSheetForPeople)
{
    const int rowGap = 8;
    int height = rowGap;
    for (const Caption& caption : kCaptions)
        height += std::max(caption.height, caption.pixelHeight + 8) + rowGap;
    QImage sheet(760, height, QImage::Format_ARGB32);
    sheet.fill(QColor(0xF3, 0xF5, 0xF8));
    QPainter painter(&sheet);
    int y = rowGap;
    for (const Caption& caption : kCaptions) {
        const int boxHeight = std::max(caption.height, caption.pixelHeight + 8);
        const QFont font = WindowFont(QString::fromLatin1(caption.font), caption.pixelHeight, caption.bold,
                                      caption.italic);
        const QRect box(8, y, caption.width, boxHeight);
        painter.fillRect(box, Qt::white);
        painter.setPen(QColor(0xCD, 0xD5, 0xDF));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(QColor(0x21, 0x21, 0x21));
        painter.setFont(font);
        painter.drawText(box, caption.height ? Qt::TextWordWrap | Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromUtf8(caption.text));
        painter.setFont(QFont());
        painter.setPen(QColor(0x5F, 0x6B, 0x7A));
        painter.drawText(QRect(box.right() + 8, y, 760, boxHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("%1 %2%3%4 -> %5 %6 px")
                             .arg(QString::fromLatin1(caption.font))
                             .arg(caption.pixelHeight)
                             .arg(QLatin1String(caption.bold ? " bold" : ""), QLatin1String(caption.italic ? " italic" : ""),
                                  QFontInfo(font).family())
                             .arg(font.pixelSize()));
        y += boxHeight + rowGap;
    }
    painter.end();
    EXPECT_TRUE(sheet.save(test::LookOutputPath(QStringLiteral("caption-sheet.png"))));
}

} // namespace
} // namespace quoddle
