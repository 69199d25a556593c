#include "mailmessage.h"

#include "messaging/mimeheader.h"
#include "platform/codec.h"
#include "platform/workstation.h"

#include <QRandomGenerator>

namespace fakvo {
namespace {

// One piece of a recipient text: "Name <address>" or a bare address. Nothing when its ">"
// comes before its "<".
std::optional<CMailMessage::CRecipient> ParsePiece(const QString& piece)
{
    const qsizetype open = piece.indexOf(QLatin1Char('<'));
    if (open < 0) {
        if (piece.contains(QLatin1Char('>')))
            return std::nullopt;
        return CMailMessage::CRecipient{piece.trimmed(), QString()};
    }
    const qsizetype close = piece.indexOf(QLatin1Char('>'));
    if (close >= 0 && close < open)
        return std::nullopt;
    const QString address = close < 0 ? piece.mid(open + 1) : piece.mid(open + 1, close - open - 1);
    return CMailMessage::CRecipient{address.trimmed(), piece.left(open)};
}

} // namespace

QString InvalidAddressMessage(const QString& address)
{
    return QStringLiteral("Eine ungültige oder keine E-Mail Adresse '%1' wurde eingegeben!")
        .arg(address);
}

CMailMessage::CMailMessage() = default;
CMailMessage::~CMailMessage() = default;

QString CMailMessage::FromAddress() const
{
    const std::optional<CRecipient> from = ParsePiece(m_from);
    return from ? from->address : m_from.trimmed();
}

bool CMailMessage::AddRecipient(const QString& address, const QString& name, int list)
{
    if (list < To || list > Bcc || !mime::IsPlainAddress(address))
        return false;
    m_recipients[list].append(CRecipient{address, name});
    return true;
}

bool CMailMessage::AddMultipleRecipients(const QString& text, int list)
{
    const QStringList pieces = text.split(QLatin1Char(';'));
    for (const QString& piece : pieces) {
        if (piece.trimmed().isEmpty())
            continue;
        const std::optional<CRecipient> recipient = ParsePiece(piece);
        if (!recipient || !AddRecipient(recipient->address, recipient->name, list))
            return false;
    }
    return true;
}

int CMailMessage::GetNumRecipients(int list) const
{
    return list < To || list > Bcc ? 0 : static_cast<int>(m_recipients[list].size());
}

std::optional<CMailMessage::CRecipient> CMailMessage::GetRecipient(int index, int list) const
{
    if (list < To || list > Bcc || index < 0 || index >= m_recipients[list].size())
        return std::nullopt;
    return m_recipients[list][index];
}

bool CMailMessage::Format(QString& error)
{
    StartHeader();
    PrepareHeader();
    EndHeader();
    return PrepareBody(error);
}

void CMailMessage::StartHeader()
{
    m_header.clear();
}

void CMailMessage::EndHeader()
{
    m_header += "\r\n";
}

void CMailMessage::AddHeaderLine(const QByteArray& line)
{
    m_header += mime::FoldLine(line) + "\r\n";
}

QByteArray CMailMessage::RecipientLine(const QByteArray& name,
                                       const QList<CRecipient>& recipients) const
{
    QList<QByteArray> mailboxes;
    for (const CRecipient& r : recipients)
        mailboxes.append(mime::EncodeMailbox(r.name, r.address));
    QByteArray line = name + ": " + mailboxes.join(',');
    // A long list gets a blank after each comma, where the line can be folded.
    if (line.size() > 78)
        line = name + ": " + mailboxes.join(", ");
    return line;
}

QByteArray CMailMessage::MessageId() const
{
    QString domain = FromAddress().section(QLatin1Char('@'), 1);
    if (domain.isEmpty() || !mime::IsPlainAddress(domain))
        domain = HostName();
    if (domain.isEmpty() || !mime::IsPlainAddress(domain))
        domain = QStringLiteral("localhost");
    auto* random = QRandomGenerator::global();
    return '<' + QByteArray::number(QDateTime::currentMSecsSinceEpoch(), 36) + '.' +
           QByteArray::number(random->generate64(), 36) + '@' + domain.toLatin1() + '>';
}

void CMailMessage::PrepareHeader()
{
    const std::optional<CRecipient> from = ParsePiece(m_from);
    AddHeaderLine("From: " + (from && !from->name.trimmed().isEmpty()
                                  ? mime::EncodeMailbox(from->name, from->address)
                                  : mime::EncodeText(m_from.trimmed())));
    AddHeaderLine(RecipientLine("To", m_recipients[To]));
    if (!m_recipients[Cc].isEmpty())
        AddHeaderLine(RecipientLine("Cc", m_recipients[Cc]));
    const QDateTime date = m_fixedDate.isValid() ? m_fixedDate : QDateTime::currentDateTime();
    AddHeaderLine("Date: " + mime::FormatDate(date));
    AddHeaderLine("Message-ID: " + MessageId());
    AddHeaderLine("Subject: " + mime::EncodeText(m_subject));
    AddHeaderLine("X-Mailer: " + mime::EncodeText(m_mailer));
}

QString CMailMessage::WithCrLf(const QString& text)
{
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    normal.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return normal;
}

bool CMailMessage::PrepareBody(QString&)
{
    m_content = ToCp1252(WithCrLf(m_body));
    if (!m_content.endsWith("\r\n"))
        m_content += "\r\n";
    return true;
}

} // namespace fakvo
