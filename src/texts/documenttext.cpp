#include "texts/documenttext.h"

#include "config/configfile.h"
#include "config/configuration.h"
#include "platform/codec.h"
#include "platform/files.h"

#include <QDir>

#include <algorithm>
#include <limits>

namespace fakvo {
namespace {

constexpr int kDefaultFirstPageLines = 38;
constexpr int kDefaultFollowingPageLines = 58;

bool IsLetterOrReminder(DocumentType type)
{
    return type == DocumentType::Letter || type == DocumentType::Reminder1 ||
           type == DocumentType::Reminder2 || type == DocumentType::Reminder3;
}

QString FileMessage(const QString& name)
{
    return QStringLiteral("Die Datei '%1' kann nicht geöffnet werden!").arg(name);
}

} // namespace

QString DocumentTextFolder(const Configuration& config)
{
    QString folder = FindFolderAnyCase(config.dataFolder, QStringLiteral("DocData")) + u'/';
    if (config.serverMode)
        folder += QStringLiteral("%1/").arg(config.clientNumber, 8, 10, QLatin1Char('0'));
    return folder;
}

std::optional<QString> DocumentTextFileName(DocumentType type, int journalId)
{
    char letter = 0;
    switch (type) {
    case DocumentType::Sms:
        letter = 'S';
        break;
    case DocumentType::EMail:
        letter = 'E';
        break;
    case DocumentType::Letter:
        letter = 'B';
        break;
    case DocumentType::Receipt:
        letter = 'X';
        break;
    default:
        return std::nullopt;
    }
    return QString::asprintf("%07d%c.TXT", journalId, letter);
}

std::optional<QString> DocumentTextPath(const Configuration& config, const QString& fileName)
{
    if (fileName.isEmpty() || fileName == u"." || fileName == u".." || fileName.contains(u'/') ||
        fileName.contains(u'\\'))
        return std::nullopt;
    return DocumentTextFolder(config) + fileName;
}

bool WriteDocumentText(const Configuration& config, DocumentType type, int journalId,
                       const QString& text)
{
    const std::optional<QString> name = DocumentTextFileName(type, journalId);
    const std::optional<QString> path = name ? DocumentTextPath(config, *name) : std::nullopt;
    if (!path || !QDir().mkpath(DocumentTextFolder(config)))
        return false;
    QByteArray bytes;
    for (const QString& line : SplitTextLines(text))
        bytes += ToCp1252(line) + "\r\n";
    return WriteFileAtomically(*path, bytes);
}

int LetterSignaturePosition(int line, const Configuration& config)
{
    if (line <= 0)
        return 0;
    const QList<int>& counts = config.BRIEFTEXTZEILEN;
    const int first = counts.size() > 0 && counts[0] >= 1 ? counts[0] : kDefaultFirstPageLines;
    const int following =
        counts.size() > 1 && counts[1] >= 1 ? counts[1] : kDefaultFollowingPageLines;
    if (line <= first)
        return 1000 + line;
    const int after = line - first - 1;
    const long long position = (2LL + after / following) * 1000 + after % following + 1;
    return static_cast<int>(std::min<long long>(position, std::numeric_limits<int>::max()));
}

DocumentText LoadDocumentText(const Configuration& config, DocumentType type,
                              std::optional<int> journalId, const QString& givenText)
{
    DocumentText result;
    QStringList lines;
    const std::optional<QString> name =
        journalId ? DocumentTextFileName(type, *journalId) : std::nullopt;
    if (name) {
        const std::optional<QString> path = DocumentTextPath(config, *name);
        bool opened = false;
        if (path)
            lines = ReadWholeLines(*path, &opened);
        if (!opened) {
            result.failure = FileMessage(path.value_or(*name));
            return result;
        }
    } else {
        lines = SplitTextLines(givenText);
    }

    for (QString& line : lines)
        line = line.trimmed();
    while (!lines.isEmpty() && lines.constFirst().isEmpty())
        lines.removeFirst();
    while (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();

    result.text = lines.join(QStringLiteral("\r\n"));
    result.lineCount = static_cast<int>(lines.size());
    if (IsLetterOrReminder(type)) {
        for (int i = 0; i < result.lineCount; ++i) {
            const QString& line = lines[i];
            if (line.contains(u"[[UNTERSCHRIFT]]") || line.contains(u"!!UNTERSCHRIFT"))
                result.signaturePosition = i + 1;
        }
        if (type == DocumentType::Letter)
            result.signaturePosition = LetterSignaturePosition(result.signaturePosition, config);
    }
    return result;
}

QStringList SplitTextLines(const QString& text)
{
    QStringList lines = text.split(u'\n');
    if (lines.size() > 1 && lines.constLast().isEmpty())
        lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

} // namespace fakvo
