#include "Fonts.hpp"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>

#include <cmath>
#include <initializer_list>
#include <limits>

namespace quoddle {

namespace {

// Widths are compared on this text: captions of the windows, accents included.
const QString kSample = QStringLiteral(u"Redémarrer le téléphone, Vérifier la connexion USB. "
                                       u"Installer une application (garde les réglages) : Numéroter 0123456789");

// A font the window data names, with the average advance of kSample per
// character and per pixel of font size, regular and bold, in that font.
struct RealFace {
    const char* name;
    double regularWidth;
    double boldWidth;
    bool heavy; // a black face: its substitutes are always drawn as heavy as they go
    std::initializer_list<const char*> substitutes; // most alike in design first
};

// Arial's widths are those of Liberation Sans (metric-compatible); Tahoma's
// were measured on a metric-compatible clone. The Tw Cen MT faces come from
// the captions the window data sizes to their text ("Adresse IP :" in 84 px at
// 19 px bold italic, the notes below "Remarques importantes :"): about 0.74 of
// Arial. Arial Black runs about 1.22 times Arial Bold, Lucida Sans about 1.08
// times Arial. "MS Shell Dlg 2" is Tahoma on Windows, and "MS Sans Serif" was
// drawn to Tahoma's widths.
const RealFace kRealFaces[] = {
    {"MS Shell Dlg 2", 0.4494, 0.5134, false,
     {"Tahoma", "DejaVu Sans Condensed", "Liberation Sans", "Arimo", "DejaVu Sans"}},
    {"MS Sans Serif", 0.4494, 0.5134, false,
     {"Microsoft Sans Serif", "Tahoma", "DejaVu Sans Condensed", "Liberation Sans", "Arimo", "DejaVu Sans"}},
    {"Tahoma", 0.4494, 0.5134, false, {"DejaVu Sans Condensed", "Liberation Sans", "Arimo", "DejaVu Sans"}},
    {"Arial", 0.4515, 0.4795, false,
     {"Liberation Sans", "Arimo", "Nimbus Sans", "Helvetica", "DejaVu Sans Condensed", "DejaVu Sans"}},
    {"Arial Black", 0.5850, 0.5850, true, {"DejaVu Sans", "Liberation Sans", "Arimo", "DejaVu Sans Condensed"}},
    {"Tw Cen MT", 0.3340, 0.3550, false,
     {"Liberation Sans Narrow", "Nimbus Sans Narrow", "DejaVu Sans Condensed", "Liberation Sans"}},
    {"Tw Cen MT Condensed", 0.3360, 0.3570, false,
     {"Liberation Sans Narrow", "Nimbus Sans Narrow", "DejaVu Sans Condensed", "Liberation Sans"}},
    {"Lucida Sans", 0.4880, 0.5180, false,
     {"Lucida Sans Unicode", "Lucida Grande", "DejaVu Sans", "DejaVu Sans Condensed", "Liberation Sans"}},
};

const RealFace* FindRealFace(const QString& name)
{
    for (const RealFace& face : kRealFaces) {
        if (name.compare(QLatin1String(face.name), Qt::CaseInsensitive) == 0)
            return &face;
    }
    return nullptr;
}

bool IsInstalled(const QString& family)
{
    static const QStringList families = QFontDatabase::families();
    if (!families.contains(family, Qt::CaseInsensitive))
        return false;
    QFont font(family);
    return QFontInfo(font).family().compare(family, Qt::CaseInsensitive) == 0;
}

QFont MakeFont(const QString& family, int pixelSize, bool bold, bool italic, bool heavy)
{
    QFont font(family);
    font.setPixelSize(std::max(1, pixelSize));
    font.setWeight(heavy ? QFont::Black : bold ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    // Explicitly the face's own width: otherwise a widget's font inherits the
    // stretch of its parent's (or the application's) font.
    font.setStretch(QFont::AnyStretch);
    return font;
}

// Average advance of kSample per character and per pixel of size.
double MeasuredWidth(const QFont& font)
{
    return QFontMetricsF(font).horizontalAdvance(kSample) / font.pixelSize() / kSample.size();
}

double ChoiceCost(const RealFace& face, const QString& family)
{
    const double regular = MeasuredWidth(MakeFont(family, 100, false, false, face.heavy));
    const double bold = MeasuredWidth(MakeFont(family, 100, true, false, face.heavy));
    return std::abs(std::log(regular / face.regularWidth)) + std::abs(std::log(bold / face.boldWidth));
}

QString ChooseFamily(const QString& name)
{
    if (IsInstalled(name))
        return name;
    const RealFace* face = FindRealFace(name);
    if (!face)
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    QString best;
    double bestCost = std::numeric_limits<double>::max();
    int rank = 0;
    for (const char* substitute : face->substitutes) {
        const QString family = QString::fromLatin1(substitute);
        // A small bonus for likeness of design settles near ties.
        const double cost = IsInstalled(family) ? ChoiceCost(*face, family) + 0.02 * rank : bestCost;
        if (cost < bestCost) {
            bestCost = cost;
            best = family;
        }
        ++rank;
    }
    return best.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont).family() : best;
}

// Brings a substitute that runs wider than the real font down to the real
// font's width: whole pixels first, then a synthetic condensing of at most a
// few per cent for what rounding leaves. (A real font installed under another
// name, such as Tahoma for "MS Shell Dlg 2", comes through unchanged.)
QFont FitSubstitute(const RealFace& face, const QString& family, int pixelHeight, bool bold, bool italic)
{
    QFont font = MakeFont(family, pixelHeight, bold, italic, face.heavy);
    const double realAdvance = (bold ? face.boldWidth : face.regularWidth) * pixelHeight;
    const double ratio = MeasuredWidth(font) * pixelHeight / realAdvance;
    if (ratio <= 1.01) // the real font measures within hinting noise of its own widths
        return font;
    font.setPixelSize(std::max(1, int(std::lround(pixelHeight / ratio))));
    const double advance = MeasuredWidth(font) * font.pixelSize();
    if (advance > realAdvance * 1.005) {
        // QFont's stretch is absolute, 100 being a normal width, so the face's
        // own width class (87 for a condensed face) is found by measuring.
        QFont normalWidth = font;
        normalWidth.setStretch(QFont::Unstretched);
        const double ownStretch = 100.0 * advance / (MeasuredWidth(normalWidth) * normalWidth.pixelSize());
        QFont condensed = font;
        condensed.setStretch(int(std::floor(ownStretch * realAdvance / advance)));
        if (QFontInfo(condensed).family().compare(family, Qt::CaseInsensitive) == 0)
            font = condensed;
    }
    return font;
}

} // namespace

QString WindowFontFamily(const QString& specName)
{
    static QHash<QString, QString> chosen;
    const QString key = specName.toLower();
    auto found = chosen.constFind(key);
    if (found == chosen.constEnd())
        found = chosen.insert(key, ChooseFamily(specName));
    return *found;
}

QFont WindowFont(const QString& specName, int pixelHeight, bool bold, bool italic, bool underline)
{
    static QHash<QString, QFont> made;
    const QString key = QStringLiteral("%1|%2|%3%4").arg(specName.toLower()).arg(pixelHeight).arg(int(bold)).arg(int(italic));
    auto found = made.constFind(key);
    if (found == made.constEnd()) {
        const QString family = WindowFontFamily(specName);
        const RealFace* face = FindRealFace(specName);
        QFont font;
        if (!face || family.compare(specName, Qt::CaseInsensitive) == 0)
            font = MakeFont(family, pixelHeight, bold, italic, false);
        else
            font = FitSubstitute(*face, family, pixelHeight, bold, italic);
        found = made.insert(key, font);
    }
    QFont font = *found;
    font.setUnderline(underline);
    return font;
}

} // namespace quoddle
