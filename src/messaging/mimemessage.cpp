#include "mimemessage.h"

#include "messaging/base64.h"
#include "messaging/mimeheader.h"
#include "platform/codec.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace fakvo {
namespace {

constexpr int kTextLineLength = 76;
constexpr qsizetype kLongestLine = 998;     // the most an SMTP line may carry
constexpr qsizetype kQuotedLineLength = 76; // quoted-printable lines, soft break included
constexpr qsizetype kBase64Chunk = 54;      // bytes per Base64 line of 72 characters

void EnsureCrLf(QByteArray& text)
{
    if (!text.isEmpty() && !text.endsWith("\r\n"))
        text += "\r\n";
}

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ');
}

QString WithoutTrailingBlanks(QString text)
{
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

QString WithoutLeadingBlanks(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return text.mid(i);
}

// Text that can go out as it is: ASCII only, no NUL, no line longer than SMTP allows.
bool IsSevenBit(const QByteArray& text)
{
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == 0 || byte >= 0x80)
            return false;
        if (byte == '\n')
            lineStart = i + 1;
        else if (i - lineStart >= kLongestLine)
            return false;
    }
    return true;
}

// RFC 2045 quoted-printable of text whose lines end in CR LF.
QByteArray QuotedPrintable(const QByteArray& text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(text.size() + text.size() / 4);
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QByteArray line = lines[n];
        if (line.endsWith('\r'))
            line.chop(1);
        QByteArray encodedLine;
        qsizetype column = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const auto byte = static_cast<unsigned char>(line[i]);
            const bool last = i + 1 == line.size();
            const bool literal = (byte >= 33 && byte <= 126 && byte != '=') ||
                                 ((byte == ' ' || byte == '\t') && !last);
            const char escaped[] = {'=', kHex[byte >> 4], kHex[byte & 0xF]};
            const QByteArray piece = literal ? QByteArray(1, static_cast<char>(byte))
                                             : QByteArray(escaped, sizeof escaped);
            // Keep room for the soft break "=" unless this is the line's last piece.
            const qsizetype room = last ? kQuotedLineLength : kQuotedLineLength - 1;
            if (column + piece.size() > room) {
                encodedLine += "=\r\n";
                column = 0;
            }
            encodedLine += piece;
            column += piece.size();
        }
        out += encodedLine;
        if (n + 1 < lines.size())
            out += "\r\n";
    }
    return out;
}

QByteArray HeaderLine(const QByteArray& line)
{
    return mime::FoldLine(line) + "\r\n";
}

} // namespace

// ---- CTextPlain -------------------------------------------------------------------------

QString CTextPlain::WrapLongLines(const QString& text) const
{
    QStringList lines = text.split(QLatin1String("\r\n"));
    QStringList wrapped;
    for (QString line : lines) {
        while (line.size() > m_lineLength) {
            // The last blank that still leaves a left piece of at most the line length; with
            // none, the first blank after it. A blank only counts when text stands before it.
            qsizetype at = line.lastIndexOf(QLatin1Char(' '), m_lineLength);
            if (at >= 0 && WithoutTrailingBlanks(line.left(at)).isEmpty())
                at = -1;
            if (at < 0) {
                at = line.indexOf(QLatin1Char(' '), m_lineLength + 1);
                if (at < 0)
                    break;
            }
            wrapped.append(WithoutTrailingBlanks(line.left(at)));
            line = WithoutLeadingBlanks(line.mid(at));
        }
        wrapped.append(line);
    }
    return wrapped.join(QLatin1String("\r\n"));
}

QByteArray CTextPlain::GetContentTypeString(const CMIMEPart& part) const
{
    return part.html ? "text/html" : "text/plain";
}

QByteArray CTextPlain::BuildSubPartHeader(const CMIMEPart& part) const
{
    const bool sevenBit = IsSevenBit(ToCp1252(WrapLongLines(CMailMessage::WithCrLf(part.content))));
    return HeaderLine("Content-Type: " + GetContentTypeString(part) + "; charset=windows-1252" +
                      part.parameters.toLatin1()) +
           "Content-Transfer-Encoding: " + (sevenBit ? "7Bit" : "quoted-printable") + "\r\n\r\n";
}

bool CTextPlain::AppendPart(const CMIMEPart& part, QByteArray& out, QString&) const
{
    const QByteArray text = ToCp1252(WrapLongLines(CMailMessage::WithCrLf(part.content)));
    out += BuildSubPartHeader(part);
    out += IsSevenBit(text) ? text : QuotedPrintable(text);
    return true;
}

// ---- CAppOctetStream --------------------------------------------------------------------

QByteArray CAppOctetStream::GetContentTypeString(const CMIMEPart&) const
{
    return "application/octet-stream";
}

QByteArray CAppOctetStream::BuildSubPartHeader(const CMIMEPart& part) const
{
    const QString name = QFileInfo(part.content).fileName();
    return HeaderLine("Content-Type: " + GetContentTypeString(part) +
                      mime::EncodeParameter("file", name)) +
           "Content-Transfer-Encoding: base64\r\n" +
           HeaderLine("Content-Disposition: attachment" + mime::EncodeParameter("filename", name)) +
           "\r\n";
}

bool CAppOctetStream::AttachFile(const QString& path, QByteArray& out) const
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    const qsizetype expected = data.isEmpty() ? 1000 : data.size();
    out.reserve(out.size() + expected + expected * 2 / 5 + 2000);
    const CBase64 base64;
    for (qsizetype at = 0; at < data.size(); at += kBase64Chunk) {
        const qsizetype size = std::min(kBase64Chunk, data.size() - at);
        out += base64.Encode(QByteArray::fromRawData(data.constData() + at, size));
        out += "\r\n";
    }
    out += "\r\n";
    return true;
}

bool CAppOctetStream::AppendPart(const CMIMEPart& part, QByteArray& out, QString& error) const
{
    QByteArray encoded;
    if (!part.isPath || !AttachFile(part.content, encoded)) {
        error = QStringLiteral("Übertragung der Datei '%1' ist fehlerhaft!").arg(part.content);
        return false;
    }
    out += BuildSubPartHeader(part);
    out += encoded;
    return true;
}

// ---- CMIMEMessage -----------------------------------------------------------------------

CMIMEMessage::CMIMETypeManager::CMIMETypeManager()
{
    m_agents.push_back(std::make_unique<CTextPlain>(TextPlain, kTextLineLength));
    m_agents.push_back(std::make_unique<CAppOctetStream>(ApplicationOctetStream));
}

const CMIMEMessage::CMIMETypeManager& CMIMEMessage::CMIMETypeManager::Instance()
{
    static const CMIMETypeManager manager;
    return manager;
}

const CMIMEContentAgent* CMIMEMessage::CMIMETypeManager::GetHandler(int contentType) const
{
    const auto found = std::find_if(m_agents.begin(), m_agents.end(), [&](const auto& agent) {
        return agent->QueryType(contentType);
    });
    return found == m_agents.end() ? nullptr : found->get();
}

CMIMEMessage::CMIMEMessage()
{
    CMIMETypeManager::Instance();
}

void CMIMEMessage::AddMIMEPart(const QString& content, int contentType, const QString& parameters,
                               int encoding, bool isPath)
{
    const CMIMEPart part{contentType, parameters, encoding, isPath, content.trimmed(), false};
    if (contentType == TextPlain)
        m_parts.prepend(part);
    else
        m_parts.append(part);
}

void CMIMEMessage::PrepareHeader()
{
    CMailMessage::PrepareHeader();
    AddHeaderLine("MIME-Version: 1.0");
    AddHeaderLine(QByteArray("Content-Type: multipart/mixed; boundary=") + kBoundary);
}

bool CMIMEMessage::PrepareBody(QString& error)
{
    m_content = QByteArray(kPreamble) + "\r\n\r\n";
    return AppendParts(error);
}

bool CMIMEMessage::AppendParts(QString& error)
{
    QList<CMIMEPart> parts = m_parts;
    if (!Body().isEmpty())
        parts.prepend(
            CMIMEPart{TextPlain, QString(), EncodingText, false, Body().trimmed(), false});
    const CMIMETypeManager& types = CMIMETypeManager::Instance();
    for (CMIMEPart& part : parts) {
        const CMIMEContentAgent* agent = types.GetHandler(part.contentType);
        if (!agent)
            continue;
        part.html = m_html && part.contentType == TextPlain;
        EnsureCrLf(m_content);
        m_content += QByteArray("--") + kBoundary + "\r\n";
        if (!agent->AppendPart(part, m_content, error))
            return false;
    }
    EnsureCrLf(m_content);
    m_content += QByteArray("--") + kBoundary + "--\r\n";
    return true;
}

} // namespace fakvo
