#include "mimeheader.h"

#include <QLocale>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace fakvo::mime {
namespace {

constexpr qsizetype kLineLimit = 78;
// Encoded words of at most 66 characters ("=?UTF-8?Q?" and "?=" around the payload), so that
// even the first one, behind a field name such as "Subject: ", keeps its line within 78.
constexpr qsizetype kEncodedWordPayload = 66 - 12;
constexpr qsizetype kParameterSection = 60;

// Whether c is one of the ASCII characters in `set`.
bool InSet(const char* set, char32_t c)
{
    return c != 0 && c < 0x80 && std::strchr(set, static_cast<char>(c)) != nullptr;
}

bool IsPrintableAscii(char32_t c)
{
    return c >= 0x20 && c <= 0x7E;
}

bool IsControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

QString WithoutControls(const QString& text)
{
    QString clean = text;
    for (QChar& c : clean) {
        if (IsControl(c))
            c = QLatin1Char(' ');
    }
    return clean;
}

bool AllPrintableAscii(const QString& text)
{
    for (QChar c : text) {
        if (!IsPrintableAscii(c.unicode()))
            return false;
    }
    return true;
}

// RFC 5322 atext, plus the blank that separates the words of a phrase.
bool IsPhraseChar(QChar c)
{
    const char16_t u = c.unicode();
    if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9'))
        return true;
    return InSet(" !#$%&'*+-/=?^_`{|}~", u);
}

// RFC 2045 token characters: printable ASCII without blank and tspecials.
bool IsTokenChar(char32_t c)
{
    return c > 0x20 && c < 0x7F && !InSet("()<>@,;:\\\"/[]?=", c);
}

char HexDigit(int value)
{
    return "0123456789ABCDEF"[value & 0xF];
}

void AppendEscaped(QByteArray& out, char prefix, unsigned char byte)
{
    out += prefix;
    out += HexDigit(byte >> 4);
    out += HexDigit(byte);
}

QString Character(uint codePoint)
{
    const auto c = static_cast<char32_t>(codePoint);
    return QString::fromUcs4(&c, 1);
}

// RFC 2047 "Q" encoding restricted to the characters allowed in every header context.
QByteArray QEncode(const QByteArray& utf8)
{
    QByteArray out;
    for (char ch : utf8) {
        const auto byte = static_cast<unsigned char>(ch);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
            (byte >= '0' && byte <= '9') || InSet("!*+-/", byte))
            out += ch;
        else if (byte == ' ')
            out += '_';
        else
            AppendEscaped(out, '=', byte);
    }
    return out;
}

// The whole text as encoded words of at most 75 characters, separated by blanks (which a
// reader drops between encoded words). A character is never split between two words.
QByteArray EncodedWords(const QString& text)
{
    QByteArray words;
    QByteArray payload;
    const auto flush = [&] {
        if (payload.isEmpty())
            return;
        if (!words.isEmpty())
            words += ' ';
        words += "=?UTF-8?Q?" + payload + "?=";
        payload.clear();
    };
    for (uint c : text.toUcs4()) {
        const QByteArray encoded = QEncode(Character(c).toUtf8());
        if (payload.size() + encoded.size() > kEncodedWordPayload)
            flush();
        payload += encoded;
    }
    flush();
    return words;
}

bool LooksEncoded(const QString& text)
{
    return text.contains(QLatin1String("=?"));
}

QByteArray QuotedString(const QString& text)
{
    QByteArray out = "\"";
    for (char ch : text.toLatin1()) {
        if (ch == '"' || ch == '\\')
            out += '\\';
        out += ch;
    }
    return out + '"';
}

// RFC 2231 attribute-char: a token character other than '*', '\'' and '%'.
QByteArray PercentEncode(const QString& character)
{
    QByteArray out;
    for (char ch : character.toUtf8()) {
        const auto byte = static_cast<unsigned char>(ch);
        if (IsTokenChar(byte) && byte != '*' && byte != '\'' && byte != '%')
            out += ch;
        else
            AppendEscaped(out, '%', byte);
    }
    return out;
}

} // namespace

QByteArray EncodeText(const QString& text)
{
    const QString clean = WithoutControls(text);
    if (AllPrintableAscii(clean) && !LooksEncoded(clean))
        return clean.toLatin1();
    return EncodedWords(clean);
}

QByteArray EncodeMailbox(const QString& name, const QString& address)
{
    const QByteArray angle = '<' + address.toLatin1() + '>';
    const QString clean = WithoutControls(name);
    const QString trimmed = clean.trimmed();
    if (trimmed.isEmpty())
        return angle;
    if (std::all_of(clean.begin(), clean.end(), IsPhraseChar) && !LooksEncoded(clean))
        return clean.toLatin1() + angle;
    if (AllPrintableAscii(trimmed) && !LooksEncoded(trimmed))
        return QuotedString(trimmed) + ' ' + angle;
    return EncodedWords(trimmed) + ' ' + angle;
}

QByteArray EncodeParameter(const QByteArray& attribute, const QString& value)
{
    const QList<uint> chars = value.toUcs4();
    if (!value.isEmpty() && std::all_of(chars.begin(), chars.end(), IsTokenChar))
        return "; " + attribute + '=' + value.toLatin1();
    if (AllPrintableAscii(value))
        return "; " + attribute + '=' + QuotedString(value);

    QList<QByteArray> sections{"UTF-8''"};
    for (uint c : chars) {
        const QByteArray encoded = PercentEncode(Character(c));
        if (sections.last().size() + encoded.size() > kParameterSection)
            sections.append(QByteArray());
        sections.last() += encoded;
    }
    if (sections.size() == 1)
        return "; " + attribute + "*=" + sections.first();
    QByteArray out;
    for (qsizetype i = 0; i < sections.size(); ++i)
        out += "; " + attribute + '*' + QByteArray::number(i) + "*=" + sections[i];
    return out;
}

QByteArray FormatDate(const QDateTime& time)
{
    const int offset = time.offsetFromUtc() / 60;
    const int magnitude = std::abs(offset);
    return QLocale::c().toString(time, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss ")).toLatin1() +
           (offset < 0 ? '-' : '+') + QByteArray::number(magnitude / 60).rightJustified(2, '0') +
           QByteArray::number(magnitude % 60).rightJustified(2, '0');
}

QByteArray FoldLine(const QByteArray& line)
{
    if (line.size() <= kLineLimit)
        return line;
    const qsizetype colon = line.indexOf(':');
    QByteArray out;
    qsizetype start = 0;
    qsizetype candidate = -1;
    bool quoted = false;
    bool escaped = false;
    const auto breakIfLong = [&](qsizetype end) {
        if (end - start > kLineLimit && candidate > start) {
            out += line.mid(start, candidate - start) + "\r\n";
            start = candidate;
        }
    };
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ' ' && i > colon + 1) {
            breakIfLong(i);
            candidate = i;
        }
    }
    breakIfLong(line.size());
    return out + line.mid(start);
}

bool IsPlainAddress(const QString& address)
{
    if (address.isEmpty())
        return false;
    for (QChar c : address) {
        const char16_t u = c.unicode();
        if (u <= 0x20 || u >= 0x7F || InSet("<>,;\"", u))
            return false;
    }
    return true;
}

} // namespace fakvo::mime
