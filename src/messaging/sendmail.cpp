#include "sendmail.h"

#include "messaging/mimemessage.h"
#include "platform/prompt.h"

namespace fakvo {
namespace {

MailResult Failed(const QString& error)
{
    MailResult result;
    result.error = error;
    return result;
}

MailResult Shown(const QString& error)
{
    FrageJaNein(error, PromptMode::Message);
    return Failed(error);
}

} // namespace

MailResult SendMail(const SmtpSettings& settings, const MailRequest& mail)
{
    if (mail.to.trimmed().isEmpty())
        return Failed(InvalidAddressMessage(mail.to));
    if (mail.body.isEmpty())
        return Failed(QStringLiteral("Die E-Mail hat keinen Text und wurde nicht versendet."));
    if (settings.server.trimmed().isEmpty())
        return Failed(QStringLiteral("Es ist kein SMTP-Server eingestellt."));

    CMIMEMessage message;
    message.SetFrom(mail.from);
    message.SetSubject(mail.subject.isEmpty() ? QStringLiteral(" ") : mail.subject);
    message.SetBody(mail.body);
    message.SetHtml(mail.html);
    if (!message.AddMultipleRecipients(mail.to, CMailMessage::To))
        return Shown(InvalidAddressMessage(mail.to));
    if (!message.AddMultipleRecipients(mail.bcc, CMailMessage::Bcc))
        return Shown(InvalidAddressMessage(mail.bcc));
    for (const QString& path : mail.attachments) {
        message.AddMIMEPart(path, CMIMEMessage::ApplicationOctetStream, QString(),
                            CMIMEMessage::EncodingBase64, true);
    }

    SmtpSettings server = settings;
    server.server = settings.server.trimmed();
    CSMTP smtp(server);
    MailResult result;
    result.ok = smtp.Connect() && smtp.SendMessage(message);
    result.refusedRecipients = smtp.RefusedRecipients();
    if (!result.ok)
        result.error = smtp.GetLastError();
    smtp.Disconnect();
    if (!result.ok)
        FrageJaNein(result.error, PromptMode::Message);
    return result;
}

SmtpSettings SmtpSettingsFrom(const Configuration& config)
{
    SmtpSettings settings;
    settings.server = config.SMTPSERVER.trimmed();
    settings.port = config.SMTPPORT;
    const int security = config.SMTPSICHERHEIT;
    settings.security =
        security == 1 || security == 2 ? static_cast<SmtpSecurity>(security) : SmtpSecurity::None;
    settings.user = config.SMTPBENUTZER;
    settings.password = config.SMTPPASSWORT;
    return settings;
}

} // namespace fakvo
