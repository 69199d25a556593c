#pragma once
// A MIME "multipart/mixed" message: a text part at the head and file attachments after it,
// each rendered by the content agent registered for its content type code.

#include "messaging/mailmessage.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

namespace fakvo {

// One part of a MIME message; `content` is the text itself, or a file path when `isPath`.
struct CMIMEPart
{
    int contentType = 0;
    QString parameters;
    int encoding = 0;
    bool isPath = false;
    QString content;
    bool html = false;
};

// Renders the parts of one content type code.
class CMIMEContentAgent
{
public:
    explicit CMIMEContentAgent(int contentType) : m_contentType(contentType) {}
    virtual ~CMIMEContentAgent() = default;
    bool QueryType(int contentType) const { return contentType == m_contentType; }

    // Appends the part's header lines, the empty line and the encoded content to `out`.
    // False with `error` set when the content cannot be read.
    virtual bool AppendPart(const CMIMEPart& part, QByteArray& out, QString& error) const = 0;
    virtual QByteArray GetContentTypeString(const CMIMEPart& part) const = 0;

protected:
    virtual QByteArray BuildSubPartHeader(const CMIMEPart& part) const = 0;

private:
    int m_contentType;
};

// Text parts: lines longer than the line length are broken at their last blank, the text is
// sent in Windows-1252 ("7Bit" when it is plain ASCII, else quoted-printable).
class CTextPlain : public CMIMEContentAgent
{
public:
    CTextPlain(int contentType, int lineLength)
        : CMIMEContentAgent(contentType), m_lineLength(lineLength)
    {
    }
    bool AppendPart(const CMIMEPart& part, QByteArray& out, QString& error) const override;
    QByteArray GetContentTypeString(const CMIMEPart& part) const override;

    // The text (lines ended by CR LF) with its long lines broken.
    QString WrapLongLines(const QString& text) const;

protected:
    QByteArray BuildSubPartHeader(const CMIMEPart& part) const override;

private:
    int m_lineLength;
};

// File attachments, sent in Base64 lines of 72 characters.
class CAppOctetStream : public CMIMEContentAgent
{
public:
    explicit CAppOctetStream(int contentType) : CMIMEContentAgent(contentType) {}
    bool AppendPart(const CMIMEPart& part, QByteArray& out, QString& error) const override;
    QByteArray GetContentTypeString(const CMIMEPart& part) const override;

protected:
    QByteArray BuildSubPartHeader(const CMIMEPart& part) const override;
    // Appends the file's bytes in Base64; false when the file cannot be read completely.
    virtual bool AttachFile(const QString& path, QByteArray& out) const;
};

class CMIMEMessage : public CMailMessage
{
public:
    using CMIMEPart = fakvo::CMIMEPart;
    enum ContentType
    {
        TextPlain = 0,
        ApplicationOctetStream = 1
    };
    enum Encoding
    {
        EncodingText = 0,
        EncodingBase64 = 4
    };

    // The process-wide registry of content agents, made on first use (thread-safely) with
    // the agents for text (code 0, line length 76) and attachments (code 1) and unchanged
    // afterwards, so lookups from any thread need no lock.
    class CMIMETypeManager
    {
    public:
        static const CMIMETypeManager& Instance();
        // The first agent that handles the code, or none.
        const CMIMEContentAgent* GetHandler(int contentType) const;

    private:
        CMIMETypeManager();
        std::vector<std::unique_ptr<CMIMEContentAgent>> m_agents;
    };

    static constexpr char kBoundary[] = "FAKTAVO_MAIL_PaRt_BoUnDaRy_04162003";
    static constexpr char kPreamble[] = "This is a multi-part message in MIME format.";

    CMIMEMessage();

    // The content is trimmed at both ends; text parts (code 0) go to the head of the list,
    // all others to its tail.
    void AddMIMEPart(const QString& content, int contentType, const QString& parameters = {},
                     int encoding = EncodingText, bool isPath = false);
    // Sends the body text as "text/html" instead of "text/plain".
    void SetHtml(bool html) { m_html = html; }

protected:
    void PrepareHeader() override;
    bool PrepareBody(QString& error) override;
    virtual bool AppendParts(QString& error);

private:
    QList<CMIMEPart> m_parts;
    bool m_html = false;
};

} // namespace fakvo
