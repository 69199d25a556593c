#include "password.h"

#include "platform/codec.h"

namespace fakvo {
namespace {
constexpr int kStart = 97; // the code of 'a'
constexpr int kMaxPlainLength = 100;
constexpr int kMaxScrambledLength = 200;

int HexValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}
} // namespace

QString PasswordMarker()
{
    return QStringLiteral("!\u00BF!");
}

QString ScramblePassword(const QString& plain)
{
    const QByteArray bytes = ToCp1252(plain);
    if (bytes.isEmpty() || bytes.size() > kMaxPlainLength)
        return {};
    QByteArray out;
    int previous = kStart;
    for (int i = 0; i < bytes.size(); ++i) {
        const int byte = static_cast<unsigned char>(bytes[i]);
        const int scrambled = ((byte - previous - (i % 17) + 7) % 256 + 256) % 256;
        out.append(QByteArray::number(scrambled, 16).rightJustified(2, '0'));
        previous = byte;
    }
    return QString::fromLatin1(out);
}

QString UnscramblePassword(const QString& scrambled)
{
    if (scrambled.size() > kMaxScrambledLength || scrambled.size() % 2 != 0)
        return {};
    QByteArray plain;
    int accumulator = kStart;
    for (qsizetype pos = 0, i = 0; pos < scrambled.size(); pos += 2, ++i) {
        const int high = HexValue(scrambled[pos]);
        const int low = HexValue(scrambled[pos + 1]);
        if (high < 0 || low < 0)
            return {};
        const int byte = high * 16 + low;
        accumulator = (accumulator + static_cast<int>(i % 17) + byte - 7 + 256) % 256;
        plain.append(static_cast<char>(accumulator));
    }
    return FromCp1252(plain);
}

QString PasswordFromFileValue(const QString& value)
{
    if (!value.contains(PasswordMarker()))
        return value;
    QString stripped = value;
    stripped.remove(PasswordMarker());
    return UnscramblePassword(stripped);
}

QString PasswordToFileValue(const QString& plain)
{
    // A password the scrambler refuses (over 100 characters) is stored empty, like no password.
    const QString scrambled = ScramblePassword(plain);
    return scrambled.isEmpty() ? QString() : scrambled + PasswordMarker();
}

} // namespace fakvo
