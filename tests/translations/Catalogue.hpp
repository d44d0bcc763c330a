#pragma once
// The committed catalogue of the program's texts (translations/quoddle_en.ts),
// read as Qt Linguist writes it: contexts of messages, each a French source and
// its English translation; "<byte value="xd"/>" stands for a carriage return.

#include <QFile>
#include <QString>
#include <QXmlStreamReader>

#include <vector>

namespace quoddle::test {

struct CatalogueMessage {
    QString context;
    QString source;
    QString translation;
    QString type; // "" when finished; "unfinished", "vanished", "obsolete"
};

// The text of the current element, a <byte value="xHH"/> read as that character.
inline QString ReadLinguistText(QXmlStreamReader& xml)
{
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters()) {
            text += xml.text();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("byte")) {
            const QString value = xml.attributes().value(QLatin1String("value")).toString();
            text += QChar(value.mid(1).toUShort(nullptr, 16));
            xml.skipCurrentElement();
        } else if (xml.isEndElement()) {
            break;
        }
    }
    return text;
}

// Every message of the catalogue at `path`; empty when it cannot be read.
inline std::vector<CatalogueMessage> ReadCatalogue(const QString& path)
{
    std::vector<CatalogueMessage> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    // Each context starts with its name; in each message the translation follows the source.
    QString context;
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = ReadLinguistText(xml);
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            messages.push_back({context, source, ReadLinguistText(xml), type});
        }
    }
    return messages;
}

} // namespace quoddle::test
