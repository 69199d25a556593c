#include "datafolder.h"

#include "platform/files.h"

#include <QDir>
#include <QFileInfo>

#ifndef FAKVO_SOURCE_STARTDAT
#define FAKVO_SOURCE_STARTDAT ""
#endif

namespace fakvo {
namespace {

QString WithSlash(QString path)
{
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

} // namespace

QString ChooseDataFolder(const QString& currentDir, const QString& homeDir)
{
    if (QFileInfo(FindFolderAnyCase(currentDir, QStringLiteral("DocData"))).isDir())
        return WithSlash(QDir::cleanPath(currentDir));
    return WithSlash(QDir(homeDir).filePath(QStringLiteral("Fakvo")));
}

QString FindStartData(const QString& applicationDir)
{
    const QString candidates[] = {
        FindFolderAnyCase(applicationDir, QStringLiteral("StartDat")),
        QDir(applicationDir).filePath(QStringLiteral("../share/faktavo/startdat")),
        QStringLiteral(FAKVO_SOURCE_STARTDAT),
    };
    for (const QString& candidate : candidates) {
        if (!candidate.isEmpty() && QFileInfo(candidate).isDir())
            return QDir::cleanPath(candidate);
    }
    return {};
}

bool FillNewDataFolder(const QString& startData, const QString& dataFolder)
{
    bool ok = CopyFolderFiles(startData, dataFolder);
    for (const char* sub : {"DocData", "SQL", "Vorlagen", "Hilfe"}) {
        const QString name = QString::fromLatin1(sub);
        const QString target = FindFolderAnyCase(dataFolder, name);
        ok = CopyFolderFiles(FindFolderAnyCase(startData, name), target) && ok;
    }
    return ok;
}

QStringList CreateDataSubfolders(const QString& dataFolder, bool serverMode)
{
    QStringList folders = {
        QStringLiteral("postie"),   QStringLiteral("DocData"), QStringLiteral("Sql"),
        QStringLiteral("Vorlagen"), QStringLiteral("PdfSich"), QStringLiteral("PdfSich/Vorlagen"),
        QStringLiteral("Update"),   QStringLiteral("Data"),    QStringLiteral("autopdf")};
    if (serverMode)
        folders << QStringLiteral("Server") << QStringLiteral("Server/Kunden");
    QStringList messages;
    for (const QString& folder : folders) {
        // One spelling per folder: an existing "SQL" serves where "Sql" is asked for.
        const qsizetype slash = folder.indexOf(u'/');
        const QString path = slash < 0 ? FindFolderAnyCase(dataFolder, folder)
                                       : QDir(FindFolderAnyCase(dataFolder, folder.left(slash)))
                                             .filePath(folder.mid(slash + 1));
        if (!QDir().mkpath(path))
            messages << QStringLiteral("Fehler:Das Verzeichnis '%1' kann nicht ertellt werden!")
                            .arg(path);
    }
    return messages;
}

QString WorkstationFileStem(const std::optional<HardwareAddress>& address, bool networkMode,
                            const QString& computerName)
{
    if (networkMode && !computerName.isEmpty() && computerName.size() <= 30)
        return computerName + QStringLiteral(".xx");
    if (!address)
        return QStringLiteral("Fakvotmp.db");
    const HardwareAddress& a = *address;
    return QString::asprintf("%02x%02x%02x%02x.%02x", a[0], a[1], a[2], a[4], a[5]);
}

} // namespace fakvo
