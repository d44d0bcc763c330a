#include "widgets/MaskEdit.hpp"

#include <QKeyEvent>

namespace quoddle {

namespace {

// Delphi mask character -> Qt mask character, for the input positions.
QChar QtInputCharacter(QChar delphi)
{
    switch (delphi.unicode()) {
    case u'0': return u'9'; // digit required
    case u'9': return u'0'; // digit permitted
    case u'#': return u'#'; // digit or sign permitted
    case u'L': return u'A'; // letter required
    case u'l': return u'a'; // letter permitted
    case u'A': return u'N'; // letter or digit required
    case u'a': return u'n'; // letter or digit permitted
    case u'C': return u'X'; // any character required
    case u'c': return u'x'; // any character permitted
    default: return QChar();
    }
}

struct ParsedMask {
    QString qtMask;            // without the blank field
    QString inputPositions;    // per position: Delphi mask character, or '\0' for a literal
    QString literals;          // per position: the literal, or '\0' for an input position
    bool rightAligned = false;
    bool literalsInText = true;
    QChar blank = u'_';
};

ParsedMask Parse(const QString& delphiMask)
{
    ParsedMask parsed;
    int i = 0;
    auto addLiteral = [&](QChar c) {
        parsed.qtMask += u'\\';
        parsed.qtMask += c;
        parsed.inputPositions += QChar();
        parsed.literals += c;
    };
    for (; i < delphiMask.size(); ++i) {
        const QChar c = delphiMask[i];
        if (c == u';')
            break;
        if (c == u'\\') {
            if (++i < delphiMask.size())
                addLiteral(delphiMask[i]);
            continue;
        }
        if (c == u'!') {
            parsed.rightAligned = true;
            continue;
        }
        if (c == u'<' && i + 1 < delphiMask.size() && delphiMask[i + 1] == u'>') {
            parsed.qtMask += u'!'; // case conversion off
            ++i;
            continue;
        }
        if (c == u'<' || c == u'>') {
            parsed.qtMask += c;
            continue;
        }
        if (c == u'_') { // Delphi's inserted blank
            addLiteral(u' ');
            continue;
        }
        const QChar qt = QtInputCharacter(c);
        if (qt.isNull()) {
            addLiteral(c);
            continue;
        }
        parsed.qtMask += qt;
        parsed.inputPositions += c;
        parsed.literals += QChar();
    }
    // The fields after the mask: literals saved (anything but '0'), blank character.
    const QStringList fields = delphiMask.mid(i).split(u';');
    if (fields.size() > 1 && !fields[1].isEmpty())
        parsed.literalsInText = fields[1] != u"0";
    if (fields.size() > 2 && !fields[2].isEmpty())
        parsed.blank = fields[2][0];
    return parsed;
}

} // namespace

MaskEdit::MaskEdit(QWidget* parent) : QLineEdit(parent) {}

QString MaskEdit::toQtInputMask(const QString& delphiMask)
{
    const ParsedMask parsed = Parse(delphiMask);
    if (parsed.qtMask.isEmpty())
        return {};
    return parsed.qtMask + u';' + parsed.blank;
}

void MaskEdit::setEditMask(const QString& delphiMask)
{
    const ParsedMask parsed = Parse(delphiMask);
    delphiMask_ = delphiMask;
    rightAligned_ = parsed.rightAligned;
    literalsInText_ = parsed.literalsInText;
    blank_ = parsed.blank;
    positions_.clear();
    for (int i = 0; i < parsed.literals.size(); ++i) {
        const bool literal = !parsed.literals[i].isNull();
        positions_.push_back({literal, literal ? parsed.literals[i] : parsed.inputPositions[i]});
    }
    setInputMask(parsed.qtMask.isEmpty() ? QString() : parsed.qtMask + u';' + parsed.blank);
}

bool MaskEdit::accepts(QChar maskCharacter, QChar typed)
{
    switch (maskCharacter.unicode()) {
    case u'0':
    case u'9': return typed >= u'0' && typed <= u'9';
    case u'#': return (typed >= u'0' && typed <= u'9') || typed == u'+' || typed == u'-';
    case u'L':
    case u'l': return typed.isLetter();
    case u'A':
    case u'a': return typed.isLetterOrNumber();
    default: return typed.isPrint() && typed != u' ';
    }
}

void MaskEdit::setMaskedText(const QString& text)
{
    if (positions_.isEmpty()) {
        setText(text);
        return;
    }
    // Each run of input positions takes the text up to the literal that
    // ends the run (at most the run's width), padded with blanks.
    QString display;
    int from = 0;
    for (int p = 0; p < positions_.size();) {
        if (positions_[p].literal) {
            display += positions_[p].character;
            if (from < text.size() && text[from] == positions_[p].character)
                ++from;
            ++p;
            continue;
        }
        int end = p;
        while (end < positions_.size() && !positions_[end].literal)
            ++end;
        const int width = end - p;
        int stop = text.size();
        if (end < positions_.size()) {
            const int literalAt = text.indexOf(positions_[end].character, from);
            if (literalAt >= 0)
                stop = literalAt;
        }
        QString field = text.mid(from, std::min(stop - from, width));
        from += field.size();
        const QString padding(width - field.size(), u' ');
        field = rightAligned_ ? padding + field : field + padding;
        for (int k = 0; k < width; ++k)
            display += accepts(positions_[p + k].character, field[k]) ? field[k] : blank_;
        p = end;
    }
    setText(display);
}

QString MaskEdit::maskedText() const
{
    if (positions_.isEmpty())
        return text();
    const QString shown = displayText();
    QString result;
    for (int p = 0; p < positions_.size(); ++p) {
        if (positions_[p].literal) {
            if (literalsInText_)
                result += positions_[p].character;
            continue;
        }
        const QChar c = p < shown.size() ? shown[p] : blank_;
        result += c == blank_ ? QChar(u' ') : c;
    }
    return result;
}

void MaskEdit::keyReleaseEvent(QKeyEvent* event)
{
    QLineEdit::keyReleaseEvent(event);
    // A held key repeats its presses only; it is released once.
    if (!event->isAutoRepeat())
        emit keyReleased(event->key(), event->modifiers());
}

} // namespace quoddle
