#include "files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>

namespace fakvo {

bool WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool CopyFolderFiles(const QString& fromDir, const QString& toDir)
{
    QDir from(fromDir);
    if (!from.exists())
        return true;
    if (!QDir().mkpath(toDir))
        return false;
    bool allCopied = true;
    const auto entries = from.entryInfoList(QDir::Files);
    for (const QFileInfo& entry : entries) {
        const QString target = QDir(toDir).filePath(entry.fileName());
        QFile::remove(target);
        if (!QFile::copy(entry.filePath(), target))
            allCopied = false;
        else
            QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
    }
    return allCopied;
}

QString FindFolderAnyCase(const QString& parent, const QString& name)
{
    QDir dir(parent);
    const auto folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& folder : folders) {
        if (folder.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(folder);
    }
    return dir.filePath(name);
}

bool OpenInTextEditor(const QString& path)
{
    for (const char* variable : {"VISUAL", "EDITOR"}) {
        const QString editor = qEnvironmentVariable(variable).trimmed();
        if (editor.isEmpty())
            continue;
        QStringList parts = QProcess::splitCommand(editor);
        if (parts.isEmpty())
            continue;
        const QString program = parts.takeFirst();
        if (QProcess::startDetached(program, parts << path))
            return true;
    }
    return OpenWithDesktop(path);
}

bool OpenWithDesktop(const QString& fileOrUrl)
{
    return QProcess::startDetached(QStringLiteral("xdg-open"), {fileOrUrl});
}

} // namespace fakvo
