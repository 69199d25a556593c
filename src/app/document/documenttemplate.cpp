// Template files: their names and folders, writing, opening and deleting them.

#include "app/document/documentstore.h"

#include "app/document/storerules.h"
#include "config/configfile.h"
#include "platform/codec.h"
#include "platform/files.h"
#include "platform/prompt.h"
#include "support/log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace fakvo {
namespace {

// A template name needs more than three characters before its extension.
constexpr int kShortestTemplateName = 4;

QString ShortCode(DocumentType type)
{
    return QString::fromUtf16(TypeTraits(type).shortCode);
}

bool Refuse(const QString& text)
{
    FrageJaNein(text);
    return false;
}

} // namespace

QString TemplateExtension(DocumentType type)
{
    return QStringLiteral(".FV") + ShortCode(type);
}

QString TemplateDialogFilter(DocumentType type)
{
    // File names are case-sensitive here; templates copied from elsewhere may be lower case.
    const QString extension = TemplateExtension(type).mid(1);
    return QStringLiteral("%1 Dateien (*.%1 *.%2)").arg(extension, extension.toLower());
}

QString CustomerTemplateName(int customerNumber, const Configuration& config)
{
    return QStringLiteral("VORLAGE%1.FV").arg(customerNumber) +
           DocumentTypeName(DocumentType::Invoice, true, config);
}

QString TemplateFolder(const Configuration& config)
{
    return FindFolderAnyCase(config.dataFolder, QStringLiteral("Vorlagen")) + u'/';
}

QString TemplateBackupFolder(const Configuration& config)
{
    if (config.PDFSICHERUNGSPFAD.isEmpty())
        return {};
    QString folder = config.PDFSICHERUNGSPFAD;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder + QStringLiteral("Vorlagen/");
}

QString CustomerTemplatePath(int customerNumber, const Configuration& config)
{
    return TemplateFolder(config) + CustomerTemplateName(customerNumber, config);
}

bool SaveTemplate(const QString& path, const Document& document)
{
    const QFileInfo file(path);
    if (file.completeBaseName().size() < kShortestTemplateName)
        return Refuse(QStringLiteral("Bitte geben Sie mehr als 3 Zeichen ein!"));
    const std::optional<QStringList> lines = TemplateLines(document);
    if (!lines)
        return Refuse(
            QStringLiteral("Für diesen Dokumenttyp kann keine Vorlage gespeichert werden!"));

    QByteArray bytes;
    for (const QString& line : *lines)
        bytes += ToCp1252(line) + "\r\n";
    if (!QDir().mkpath(file.absolutePath()) || !WriteFileAtomically(path, bytes)) {
        const QString message =
            QStringLiteral("Fehler:Auf Datei '%1' kann nicht geschrieben werden!").arg(path);
        Log(0, message);
        return Refuse(message);
    }
    return true;
}

TemplateContent OpenTemplate(const QString& path, const Document& current,
                             const Configuration& config)
{
    TemplateContent content;
    content.document = current;
    bool opened = false;
    const QStringList lines = ReadWholeLines(path, &opened);
    if (!opened) {
        content.failure = QStringLiteral("Die Datei '%1' kann nicht geöffnet werden!").arg(path);
    } else if (std::optional<Document> applied = ApplyTemplateLines(lines, current, config)) {
        content.document = std::move(*applied);
        content.ok = true;
        return content;
    } else {
        content.failure = QStringLiteral("Die Vorlagendatei '%1' enthält zu wenige Zeilen für "
                                         "diesen Dokumenttyp!")
                              .arg(path);
    }
    FrageJaNein(content.failure);
    return content;
}

bool DeleteTemplate(const QString& path)
{
    if (FrageJaNein(QStringLiteral("Soll diese Vorlage '%1' wirklich gelöscht werden?").arg(path),
                    PromptMode::Question) != kAnswerYes)
        return false;
    if (QFile::remove(path))
        return true;
    const QString message =
        QStringLiteral("Fehler:Auf Datei '%1' kann nicht geschrieben werden!").arg(path);
    Log(0, message);
    return Refuse(message);
}

} // namespace fakvo
