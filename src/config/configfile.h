#pragma once
// Configuration files on disk: reading them into lines, loading a profile, reading and
// changing single keys, writing back, the profile list, the server settings and the
// cross-workstation change lock.

#include "config/configuration.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace fakvo {

// The lines of a file as the loader sees them: read through a 255-byte line buffer, so a line
// longer than 254 characters arrives as several lines; trailing LF, then trailing CR removed.
// `exists` (optional) tells whether the file could be opened.
QStringList ReadConfigLines(const QString& path, bool* exists = nullptr);

// The lines of a file whole, as they are kept and written back by a change of settings.
// `opened` (optional) tells whether the file could be opened.
QStringList ReadWholeLines(const QString& path, bool* opened = nullptr);

// Splits a line into key and value; false for comments and lines without a usable '='.
bool SplitConfigLine(const QString& line, QString* key, QString* value);

// Loads the file into `config`: defaults first, then every known key in file order. False,
// with the defaults in force, when the file is missing or holds no KEY=VALUE line.
bool LoadConfiguration(Configuration& config, const QString& path);

// Reads or changes the line of `key` in config.lines. Reading a key that has no line inserts
// "KEY=" at the top, so the file holds the key after the next write.
QString ConfigGetValue(Configuration& config, const QString& key);
// The value of `key` in `lines` without inserting anything; none when no line holds it.
std::optional<QString> FindConfigValue(const QStringList& lines, const QString& key);
void ConfigSetValue(Configuration& config, const QString& key, const QString& value);

// Writes config.lines to the active file with `suffix` appended ("x": the backup copy),
// through a temporary file renamed over the old one. Returns the number of lines written.
int WriteConfiguration(const Configuration& config, const QString& suffix);

// Fills config.profiles from Fakvo.cfg in the data folder, or with the one file given on the
// command line (or the server client's file). False when the list file cannot be read.
bool ReadProfileList(Configuration& config);

// The 1-based number of the last profile whose file path begins with `path`; 0 for none.
int ProfileNumberOf(const Configuration& config, const QString& path);

// Path of the configuration of a letter-service client: Server/Kunden/%08d/standard.cfg.
QString ClientConfigurationPath(const QString& dataFolder, int clientNumber);

// Settings of the letter-service server, read from Server/Fakvosv.cfg in server mode.
struct ServerSettings
{
    QString MAILPOP3, MAILUSER, MAILPASSWORD, MAILABSENDER, MAILBCC;
    QString SMSAPIID, SMSUSER, SMSPASSWORD, SMSABSENDEREMAIL, SMSZIELEMAIL;
    int A3VONOBEN = 0, A3VONLINKS = 0, A3004AUFDRUCK = 0;
    int A4VONOBEN = 0, A4VONLINKS = 0, A4004AUFDRUCK = 0;
    QString A4ERLAGSCHEINDRUCKER;
};
ServerSettings ReadServerSettings(const QString& dataFolder);

// The change lock on Fakvo.GL in the data folder; held until Unlock or destruction.
bool LockConfiguration(const QString& dataFolder);
void UnlockConfiguration();

enum class ConfigChangeResult
{
    Saved,       // written and reloaded
    Cancelled,   // the dialog was cancelled; nothing written but the backup copy
    Refused,     // lock taken elsewhere, file unreadable or too short; the user was told
    WriteFailed, // the file could not be written; the user was told
    LoadFailed,  // written, but the result no longer loads: the application must end
};

// One change of settings: lock (in network operation), read the file's lines, write the
// backup copy, let `editValues` show its dialog and put values with ConfigSetValue (it returns
// false on cancel), write the file and load it again. `minimumLines` > 0 refuses to write a
// file of fewer lines, so a damaged file is never overwritten by a handful of lines.
ConfigChangeResult RunConfigChange(Configuration& config, bool networkMode,
                                   const std::function<bool(Configuration&)>& editValues,
                                   int minimumLines = 0);

} // namespace fakvo
