#pragma once
// The one entry point through which every mail of Faktavo leaves by SMTP: it composes a MIME
// message (text part in Windows-1252, file attachments in Base64), talks to the server and
// reports the outcome with the text the user is shown.

#include "config/configuration.h"
#include "messaging/smtp.h"

#include <QString>
#include <QStringList>

namespace fakvo {

struct MailRequest
{
    QString from;            // sender: an address, or "Name <address>"
    QString to;              // recipients: "Name <address>; address; ..."
    QString bcc;             // blind copies, the same form; may be empty
    QString subject;         // empty is sent as one blank
    QString body;            // the text; line ends of any kind become CR LF
    QStringList attachments; // file paths, attached in this order
    bool html = false;       // send the text as "text/html"
};

struct MailResult
{
    bool ok = false;               // the server accepted the message
    QString error;                 // the failure's text when not ok
    QStringList refusedRecipients; // recipients the server refused; the others got the mail
};

// Sends the mail. Without recipient, text or server nothing is attempted (not ok, the reason
// in `error`, nothing shown). Any other failure is also shown through FrageJaNein.
MailResult SendMail(const SmtpSettings& settings, const MailRequest& mail);

// The SMTP settings of the loaded configuration: SMTPSERVER, SMTPPORT, SMTPSICHERHEIT (an
// unknown value means no encryption), SMTPBENUTZER, SMTPPASSWORT.
SmtpSettings SmtpSettingsFrom(const Configuration& config);

} // namespace fakvo
