#pragma once
// An Internet mail message: sender, three recipient lists, subject and body, and the header
// and body bytes made from them for sending (lines ended by CR LF). CMIMEMessage
// (mimemessage.h) extends it with a text part and file attachments.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace fakvo {

class CMailMessage
{
public:
    struct CRecipient
    {
        QString address;
        QString name;
    };
    enum RecipientList
    {
        To = 0,
        Cc = 1,
        Bcc = 2
    };

    CMailMessage();
    virtual ~CMailMessage();
    CMailMessage(const CMailMessage&) = delete;
    CMailMessage& operator=(const CMailMessage&) = delete;

    // The sender: an address, or "Name <address>".
    void SetFrom(const QString& from) { m_from = from; }
    // The sender's address alone (what goes into "MAIL From:").
    QString FromAddress() const;
    void SetSubject(const QString& subject) { m_subject = subject; }
    void SetBody(const QString& body) { m_body = body; }
    const QString& Body() const { return m_body; }
    // The time written into the "Date:" line; without one, the time the header is prepared.
    void SetDate(const QDateTime& date) { m_fixedDate = date; }

    // False (and nothing added) when the address cannot be used as it is: empty, not ASCII,
    // or holding blanks, control characters, angle brackets, commas, semicolons or quotes.
    bool AddRecipient(const QString& address, const QString& name = {}, int list = To);
    // "Name <address>; other@example.org; ...": each piece with "<" gives the name before it
    // and the address up to ">" (or the end); a piece without "<" is the address. Stops with
    // false at a piece whose ">" comes before its "<" or whose address cannot be used.
    bool AddMultipleRecipients(const QString& text, int list = To);
    int GetNumRecipients(int list = To) const;
    std::optional<CRecipient> GetRecipient(int index, int list = To) const;

    // Builds the header and the body for sending. False with `error` set when a part cannot
    // be rendered (an attachment that cannot be read).
    bool Format(QString& error);
    // The header lines, ended by the empty line; valid after Format.
    const QByteArray& Header() const { return m_header; }
    // The body as sent (before dot-stuffing), ended by CR LF; valid after Format.
    const QByteArray& Content() const { return m_content; }

    // The text with every line ended by CR LF, whatever ended it before.
    static QString WithCrLf(const QString& text);

protected:
    virtual void PrepareHeader();
    virtual bool PrepareBody(QString& error);
    virtual void EndHeader();
    virtual void StartHeader();
    virtual void AddHeaderLine(const QByteArray& line);

    QByteArray m_content;

private:
    QByteArray RecipientLine(const QByteArray& name, const QList<CRecipient>& recipients) const;
    QByteArray MessageId() const;

    QString m_from;
    QString m_subject;
    const QString m_mailer = QStringLiteral("Faktavo Mail");
    QString m_body;
    QDateTime m_fixedDate;
    QByteArray m_header;
    QList<CRecipient> m_recipients[3];
};

// The message for an address that cannot be used (empty, or with characters no mail address
// holds).
QString InvalidAddressMessage(const QString& address);

} // namespace fakvo
