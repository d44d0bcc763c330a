// Regenerates the pictures that are made rather than drawn, in the source tree
// given as the only argument (the resources/ folder):
//  - pictures/phone_err.svg and pictures/phone_ok.svg from pictures/phone.svg.in,
//    which differ only in the fields of the screen, and their English versions
//    (phone_err_en.svg, phone_ok_en.svg: the screen's words in English); every
//    <text> element becomes an outline so the drawings look the same whatever
//    fonts a machine has;
//  - quoddle.ico, the program icon for the Windows resource file, from
//    pictures/quoddle.svg, with PNG images from 16 to 256 pixels.

#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QBuffer>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>

namespace {

// The outlines come from this family, which fonts-dejavu-core installs.
const QString kOutlineFamily = QStringLiteral("DejaVu Sans");

[[noreturn]] void Fail(const QString& message)
{
    std::fprintf(stderr, "generate pictures: %s\n", qUtf8Printable(message));
    std::exit(1);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("cannot read %1").arg(path));
    return file.readAll();
}

void WriteFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
        Fail(QStringLiteral("cannot write %1").arg(path));
    std::printf("wrote %s\n", qUtf8Printable(path));
}

QString Number(qreal value)
{
    QString text = QString::number(value, 'f', 2);
    while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.'))))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QString PathData(const QPainterPath& path)
{
    QStringList parts;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            if (i > 0)
                parts << QStringLiteral("Z");
            parts << QStringLiteral("M%1 %2").arg(Number(e.x), Number(e.y));
        } else if (e.isLineTo()) {
            parts << QStringLiteral("L%1 %2").arg(Number(e.x), Number(e.y));
        } else if (e.isCurveTo()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            parts << QStringLiteral("C%1 %2 %3 %4 %5 %6")
                         .arg(Number(e.x), Number(e.y), Number(c2.x), Number(c2.y), Number(end.x), Number(end.y));
            i += 2;
        }
    }
    if (!parts.isEmpty())
        parts << QStringLiteral("Z");
    return parts.join(QLatin1Char(' '));
}

// Replaces every <text x y font-size font-weight text-anchor fill>...</text>
// (attributes on the element itself) by a path of the glyph outlines.
QString OutlineTexts(QString svg)
{
    static const QRegularExpression textElement(QStringLiteral("<text([^>]*)>([^<]*)</text>"));
    static const QRegularExpression attribute(QStringLiteral("([\\w-]+)=\"([^\"]*)\""));
    QString result;
    qsizetype done = 0;
    auto matches = textElement.globalMatch(svg);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        QHash<QString, QString> attributes;
        auto attributeMatches = attribute.globalMatch(match.captured(1));
        while (attributeMatches.hasNext()) {
            const QRegularExpressionMatch a = attributeMatches.next();
            attributes.insert(a.captured(1), a.captured(2));
        }
        QFont font(kOutlineFamily);
        font.setPixelSize(100); // outlines are scaled down below: finer curves than at the small size
        font.setBold(attributes.value(QStringLiteral("font-weight")) == QLatin1String("bold"));
        font.setKerning(true);
        if (QFontInfo(font).family() != kOutlineFamily)
            Fail(QStringLiteral("the font %1 is not installed").arg(kOutlineFamily));
        const qreal size = attributes.value(QStringLiteral("font-size"), QStringLiteral("12")).toDouble();
        const QString text = match.captured(2);
        QPainterPath glyphs;
        glyphs.addText(0, 0, font, text);
        const qreal advance = QFontMetricsF(font).horizontalAdvance(text);
        const QString anchor = attributes.value(QStringLiteral("text-anchor"));
        const qreal shift = anchor == QLatin1String("middle") ? advance / 2 : anchor == QLatin1String("end") ? advance : 0;
        QTransform placement;
        placement.translate(attributes.value(QStringLiteral("x")).toDouble(), attributes.value(QStringLiteral("y")).toDouble());
        placement.scale(size / 100, size / 100);
        placement.translate(-shift, 0);
        result += svg.mid(done, match.capturedStart() - done);
        result += QStringLiteral("<path d=\"%1\" fill=\"%2\"/>")
                      .arg(PathData(placement.map(glyphs)), attributes.value(QStringLiteral("fill"), QStringLiteral("#000000")));
        done = match.capturedEnd();
    }
    result += svg.mid(done);
    return result;
}

struct PhoneScreen {
    const char* file;
    const char* title;
    const char* top;
    const char* bottom;
    const char* icon;
    const char* caption;
};

void GeneratePhones(const QString& root)
{
    const QString phoneTemplate = QString::fromUtf8(ReadFile(root + QStringLiteral("/pictures/phone.svg.in")));
    const PhoneScreen screens[] = {
        {"phone_err.svg", "Phone not detected", "#FFA726", "#EF6C00", "M88 95 V106 M88 112.2 V112.4", "NON DETECTE"},
        {"phone_ok.svg", "Phone connected by USB", "#2ED3C2", "#0E9A90", "M80.5 104.5 L86 110 L96 99", "LIGNE USB OK"},
        {"phone_err_en.svg", "Phone not detected", "#FFA726", "#EF6C00", "M88 95 V106 M88 112.2 V112.4", "NOT DETECTED"},
        {"phone_ok_en.svg", "Phone connected by USB", "#2ED3C2", "#0E9A90", "M80.5 104.5 L86 110 L96 99", "USB LINK OK"},
    };
    for (const PhoneScreen& screen : screens) {
        QString svg = phoneTemplate;
        svg.replace(QStringLiteral("@TITLE@"), QString::fromUtf8(screen.title))
            .replace(QStringLiteral("@SCREEN_TOP@"), QString::fromUtf8(screen.top))
            .replace(QStringLiteral("@SCREEN_BOTTOM@"), QString::fromUtf8(screen.bottom))
            .replace(QStringLiteral("@ICON@"), QString::fromUtf8(screen.icon))
            .replace(QStringLiteral("@CAPTION@"), QString::fromUtf8(screen.caption));
        svg = OutlineTexts(svg);
        // Drop the template's note on how it is used: the result is no template.
        svg.remove(QRegularExpression(QStringLiteral("\\s*<!-- Template of.*?-->"),
                                      QRegularExpression::DotMatchesEverythingOption));
        WriteFile(root + QStringLiteral("/pictures/") + QString::fromUtf8(screen.file), svg.toUtf8());
    }
}

// An .ico file whose images are PNG streams, as Windows has read them since Vista.
void GenerateIcon(const QString& root)
{
    QSvgRenderer renderer(root + QStringLiteral("/pictures/quoddle.svg"));
    if (!renderer.isValid())
        Fail(QStringLiteral("pictures/quoddle.svg does not load"));
    const int sides[] = {16, 20, 24, 32, 40, 48, 64, 128, 256};
    QList<QByteArray> images;
    for (int side : sides) {
        QImage image(side, side, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, side, side));
        painter.end();
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        images << png;
    }
    QByteArray ico;
    auto put16 = [&ico](quint16 v) { const quint16 le = qToLittleEndian(v); ico.append(reinterpret_cast<const char*>(&le), 2); };
    auto put32 = [&ico](quint32 v) { const quint32 le = qToLittleEndian(v); ico.append(reinterpret_cast<const char*>(&le), 4); };
    const int count = int(images.size());
    put16(0);
    put16(1); // icon
    put16(quint16(count));
    quint32 offset = 6 + 16 * count;
    for (int i = 0; i < count; ++i) {
        const quint8 side = sides[i] >= 256 ? 0 : quint8(sides[i]);
        ico.append(char(side)).append(char(side)).append(char(0)).append(char(0));
        put16(1);  // planes
        put16(32); // bits per pixel
        put32(quint32(images[i].size()));
        put32(offset);
        offset += quint32(images[i].size());
    }
    for (const QByteArray& png : images)
        ico.append(png);
    WriteFile(root + QStringLiteral("/quoddle.ico"), ico);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2)
        Fail(QStringLiteral("usage: quoddle_generate_pictures <resources folder>"));
    const QString root = QString::fromLocal8Bit(argv[1]);
    GeneratePhones(root);
    GenerateIcon(root);
    return 0;
}
