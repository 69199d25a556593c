#include "configfile.h"

#include "platform/codec.h"
#include "platform/filelock.h"
#include "platform/prompt.h"
#include "support/log.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <variant>

namespace fakvo {
namespace {

// The loader's line buffer holds 254 characters and the terminating zero.
constexpr qsizetype kLineBufferChars = 254;

QString Message(const char* format, const QString& path)
{
    return QString::fromUtf8(format).arg(path);
}

void ShowAndLog(const QString& text)
{
    Log(0, text);
    FrageJaNein(text);
}

QByteArray StripLineEnd(QByteArray line)
{
    while (line.endsWith('\n'))
        line.chop(1);
    while (line.endsWith('\r'))
        line.chop(1);
    return line;
}

FileLock& ConfigurationLock()
{
    static FileLock lock;
    return lock;
}

} // namespace

QStringList ReadConfigLines(const QString& path, bool* exists)
{
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    if (exists != nullptr)
        *exists = opened;
    if (!opened)
        return {};
    const QByteArray bytes = file.readAll();
    QStringList lines;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        // Like a read into a fixed buffer: up to the newline, or 254 characters at most.
        const qsizetype newline = bytes.indexOf('\n', pos);
        qsizetype end = newline < 0 ? bytes.size() : newline + 1;
        end = std::min(end, pos + kLineBufferChars);
        lines << FromCp1252(StripLineEnd(bytes.mid(pos, end - pos)));
        pos = end;
    }
    return lines;
}

QStringList ReadWholeLines(const QString& path, bool* opened)
{
    QFile file(path);
    const bool isOpen = file.open(QIODevice::ReadOnly);
    if (opened != nullptr)
        *opened = isOpen;
    if (!isOpen)
        return {};
    QList<QByteArray> pieces = file.readAll().split('\n');
    if (!pieces.isEmpty() && pieces.last().isEmpty())
        pieces.removeLast();
    QStringList lines;
    for (const QByteArray& piece : pieces)
        lines << FromCp1252(StripLineEnd(piece));
    return lines;
}

bool SplitConfigLine(const QString& line, QString* key, QString* value)
{
    if (line.startsWith(u'#'))
        return false;
    const qsizetype equals = line.indexOf(u'=');
    if (equals <= 0)
        return false;
    *key = line.left(equals);
    *value = line.mid(equals + 1);
    return true;
}

bool LoadConfiguration(Configuration& config, const QString& path)
{
    ResetConfigurationDefaults(config);
    if (!config.dataFolder.isEmpty())
        QDir::setCurrent(config.dataFolder);

    bool exists = false;
    const QStringList lines = ReadConfigLines(path, &exists);
    if (!exists)
        FrageJaNein(Message("Die Datei '%1' kann nicht geöffnet werden!", path));

    int counted = 0;
    QString key;
    QString value;
    for (const QString& line : lines) {
        if (!SplitConfigLine(line, &key, &value))
            continue;
        ++counted;
        ApplyConfigLine(config, key, value);
    }
    if (counted == 0)
        return false;

    // The PDF folder: trimmed, at most 255 characters, always ending in a folder separator.
    const QString pdfFolder =
        ConfiguredFolderPath(config, config.PDFVERZEICHNIS.trimmed().left(255));
    config.PDFVERZEICHNIS = pdfFolder.isEmpty()
                                ? DataFolderPath(config.dataFolder, QStringLiteral("autopdf/"))
                                : pdfFolder;

    Log(0, QStringLiteral("Lese Konfigurationsdatei: ") + path);
    config.path = path;
    return true;
}

namespace {

// The index of the line that holds `key`, or -1. Only keys of four or more characters match.
qsizetype FindKeyLine(const QStringList& lines, const QString& key)
{
    if (key.size() < 4)
        return -1;
    const QString prefix = key + u'=';
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(prefix))
            return i;
    }
    return -1;
}

} // namespace

std::optional<QString> FindConfigValue(const QStringList& lines, const QString& key)
{
    const qsizetype index = FindKeyLine(lines, key);
    if (index < 0)
        return std::nullopt;
    return lines[index].mid(key.size() + 1);
}

QString ConfigGetValue(Configuration& config, const QString& key)
{
    const std::optional<QString> value = FindConfigValue(config.lines, key);
    if (!value)
        config.lines.prepend(key + u'=');
    return value.value_or(QString());
}

void ConfigSetValue(Configuration& config, const QString& key, const QString& value)
{
    const QString line = key + u'=' + value;
    const qsizetype index = FindKeyLine(config.lines, key);
    if (index < 0)
        config.lines.prepend(line);
    else
        config.lines[index] = line;
}

int WriteConfiguration(const Configuration& config, const QString& suffix)
{
    const QString target = config.path + suffix;
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        ShowAndLog(Message("Fehler:Datei '%1' kann nicht geöffnet werden!", target));
        return 0;
    }
    int written = 0;
    for (const QString& line : config.lines) {
        const QByteArray bytes = ToCp1252(line) + "\r\n";
        if (file.write(bytes) != bytes.size()) {
            file.cancelWriting();
            ShowAndLog(Message("Fehler:Auf Datei '%1' kann nicht geschrieben werden!", target));
            return 0;
        }
        ++written;
    }
    if (!file.commit()) {
        ShowAndLog(Message("Fehler:Auf Datei '%1' kann nicht geschrieben werden!", target));
        return 0;
    }
    return written;
}

QString ClientConfigurationPath(const QString& dataFolder, int clientNumber)
{
    return ClientFolder(dataFolder, clientNumber) + QStringLiteral("standard.cfg");
}

bool ReadProfileList(Configuration& config)
{
    config.profiles.clear();
    if (!config.explicitFile.isEmpty()) {
        config.profiles.append({config.explicitFile, config.explicitFile});
        return true;
    }
    if (config.serverMode && config.clientNumber > 0) {
        const QString path = ClientConfigurationPath(config.dataFolder, config.clientNumber);
        config.profiles.append({path, path});
        return true;
    }
    const QString listPath = DataFolderPath(config.dataFolder, QStringLiteral("Fakvo.cfg"));
    bool exists = false;
    const QStringList lines = ReadConfigLines(listPath, &exists);
    if (!exists) {
        FrageJaNein(Message("Die Datei '%1' kann nicht geöffnet werden!", listPath));
        return false;
    }
    QString name;
    QString file;
    for (const QString& line : lines) {
        if (SplitConfigLine(line, &name, &file))
            config.profiles.append({name, file});
    }
    return true;
}

int ProfileNumberOf(const Configuration& config, const QString& path)
{
    int number = 0;
    for (qsizetype i = 0; i < config.profiles.size(); ++i) {
        if (config.profiles[i].path.startsWith(path))
            number = static_cast<int>(i) + 1;
    }
    return number;
}

ServerSettings ReadServerSettings(const QString& dataFolder)
{
    ServerSettings settings;
    using Member = std::variant<QString ServerSettings::*, int ServerSettings::*>;
    const std::pair<const char*, Member> keys[] = {
        {"MAILPOP3", &ServerSettings::MAILPOP3},
        {"MAILUSER", &ServerSettings::MAILUSER},
        {"MAILPASSWORD", &ServerSettings::MAILPASSWORD},
        {"MAILABSENDER", &ServerSettings::MAILABSENDER},
        {"MAILBCC", &ServerSettings::MAILBCC},
        {"SMSAPIID", &ServerSettings::SMSAPIID},
        {"SMSUSER", &ServerSettings::SMSUSER},
        {"SMSPASSWORD", &ServerSettings::SMSPASSWORD},
        {"SMSABSENDEREMAIL", &ServerSettings::SMSABSENDEREMAIL},
        {"SMSZIELEMAIL", &ServerSettings::SMSZIELEMAIL},
        {"A3VONOBEN", &ServerSettings::A3VONOBEN},
        {"A3VONLINKS", &ServerSettings::A3VONLINKS},
        {"A3004AUFDRUCK", &ServerSettings::A3004AUFDRUCK},
        {"A4VONOBEN", &ServerSettings::A4VONOBEN},
        {"A4VONLINKS", &ServerSettings::A4VONLINKS},
        {"A4004AUFDRUCK", &ServerSettings::A4004AUFDRUCK},
        {"A4ERLAGSCHEINDRUCKER", &ServerSettings::A4ERLAGSCHEINDRUCKER},
    };
    const QStringList lines =
        ReadConfigLines(DataFolderPath(dataFolder, QStringLiteral("Server/Fakvosv.cfg")));
    QString key;
    QString value;
    for (const QString& line : lines) {
        if (!SplitConfigLine(line, &key, &value))
            continue;
        for (const auto& [name, member] : keys) {
            if (!key.startsWith(QLatin1StringView(name)))
                continue;
            if (const auto* text = std::get_if<QString ServerSettings::*>(&member))
                settings.*(*text) = value;
            else
                settings.*(std::get<int ServerSettings::*>(member)) = ParseInteger(value);
            break;
        }
    }
    return settings;
}

bool LockConfiguration(const QString& dataFolder)
{
    return ConfigurationLock().Lock(DataFolderPath(dataFolder, QStringLiteral("Fakvo.GL")), "xx");
}

void UnlockConfiguration()
{
    ConfigurationLock().Unlock();
}

ConfigChangeResult RunConfigChange(Configuration& config, bool networkMode,
                                   const std::function<bool(Configuration&)>& editValues,
                                   int minimumLines)
{
    if (networkMode && !LockConfiguration(config.dataFolder)) {
        FrageJaNein(QStringLiteral("Derzeit ist die Konfigurationsdatei von einem Benutzer "
                                   "geöffnet. Bitte versuchen Sie es später!"));
        return ConfigChangeResult::Refused;
    }
    auto finish = [&config](ConfigChangeResult result) {
        config.lines.clear();
        UnlockConfiguration();
        return result;
    };

    config.lines = ReadWholeLines(config.path);
    if (config.lines.isEmpty()) {
        UnlockConfiguration();
        FrageJaNein(QStringLiteral("Die aktuelle Konfigurationsdatei kann nicht gelesen werden!"));
        return ConfigChangeResult::Refused;
    }
    const qsizetype linesRead = config.lines.size();
    WriteConfiguration(config, QStringLiteral("x"));

    if (!editValues(config))
        return finish(ConfigChangeResult::Cancelled);

    // The guard judges the file as it was read: the values just put in could otherwise lengthen
    // a damaged file past the guard and have it overwritten.
    if (minimumLines > 0 && linesRead < minimumLines) {
        FrageJaNein(QStringLiteral("Die Konfigurationsdatei wird nicht aktualisiert!"));
        return finish(ConfigChangeResult::Refused);
    }
    if (WriteConfiguration(config, QString()) != config.lines.size()) {
        FrageJaNein(QStringLiteral("Fehler beim Schreiben der Konfigurationsdatei!"));
        return finish(ConfigChangeResult::WriteFailed);
    }
    const QString path = config.path;
    config.lines.clear();
    const bool loaded = LoadConfiguration(config, path);
    return finish(loaded ? ConfigChangeResult::Saved : ConfigChangeResult::LoadFailed);
}

} // namespace fakvo
