// The main window's start-up steps, profile switching and exit routine.

#include "mainwindow.h"

#include "app/datafolder.h"
#include "app/editor/documenteditor.h"
#include "app/model/codes.h"
#include "app/model/dates.h"
#include "config/configfile.h"
#include "platform/prompt.h"
#include "storage/databasesettings.h"
#include "storage/journalfile.h"
#include "storage/logtable.h"
#include "storage/schemaupgrade.h"
#include "storage/worksettings.h"
#include "support/log.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>

namespace fakvo {

StartEnvironment StartEnvironment::FromSystem()
{
    StartEnvironment env;
    env.applicationDir = QCoreApplication::applicationDirPath();
    env.currentDir = QDir::currentPath();
    env.homeDir = QDir::homePath();
    env.hardwareAddress = FirstAdapterHardwareAddress();
    env.hostName = HostName();
    env.loginName = LoginName();
    return env;
}

QDateTime CZelvaDlg::Now() const
{
    return fakvo::Now(m_env.now);
}

bool CZelvaDlg::PrepareDataFolder()
{
    m_config.dataFolder = ChooseDataFolder(m_env.currentDir, m_env.homeDir);
    if (!QFileInfo(m_config.dataFolder).isDir()) {
        QDir().mkpath(m_config.dataFolder);
        const QString startData = FindStartData(m_env.applicationDir);
        if (startData.isEmpty() || !FillNewDataFolder(startData, m_config.dataFolder))
            FrageJaNein(QStringLiteral(
                            "Die Startdaten konnten nicht vollständig in das Datenverzeichnis '%1' "
                            "kopiert werden!")
                            .arg(m_config.dataFolder));
    }
    if (!QDir::setCurrent(m_config.dataFolder))
        FrageJaNein(QStringLiteral("Datenverzeichnis konnte nicht gesetzt werden!"));
    return true;
}

bool CZelvaDlg::WriteTest()
{
    // A copy of the profile list under the computer's name shows that the folder is writable.
    const QString testFile =
        QDir(m_config.dataFolder).filePath(m_computerName + QStringLiteral(".tes"));
    QFile::remove(testFile);
    const QString profileList = QDir(m_config.dataFolder).filePath(QStringLiteral("Fakvo.cfg"));
    bool written = QFile::exists(profileList) && QFile::copy(profileList, testFile);
    if (!written) {
        QFile probe(testFile);
        written = probe.open(QIODevice::WriteOnly) && probe.write("xx", 2) == 2;
    }
    QFile::remove(testFile);
    if (written)
        return true;
    FrageJaNein(QStringLiteral("Bitte starten Sie das Programm mit als Administrator! (ERROR:1)\n\n"
                               "Im Verzeichnis: '") +
                m_config.dataFolder + QStringLiteral("' besitzen Sie keine Schreibrechte!"));
    return false;
}

bool CZelvaDlg::OpenApplicationLog()
{
    LogFileSettings settings;
    settings.dataFolder = m_config.dataFolder;
    settings.computerName = m_computerName;
    settings.now = m_env.now;
    SetLogFileSettings(settings);

    const int profile = m_config.activeProfile;
    const QString configName = profile >= 0 && profile < m_config.profiles.size()
                                   ? m_config.profiles[profile].path
                                   : QString();
    m_logTable =
        std::make_unique<LogTable>(QDir(m_config.dataFolder).filePath(LogTableName(m_fileStem)),
                                   m_fileStem, configName, m_env.now);
    const TableStatus status = m_logTable->Open();
    if (!status.ok) {
        m_logTable.reset();
        FrageJaNein(status.message);
        return false;
    }
    InstallAppLog(*m_logTable);
    // Entries queued by other threads are written on this thread, soon after they arrive.
    SetLogQueueNotifier([this] {
        QMetaObject::invokeMethod(
            this, [] { FlushLogQueue(); }, Qt::QueuedConnection);
    });
    Log(0, QStringLiteral("Programm wurde gestartet"));
    return true;
}

bool CZelvaDlg::LoadActiveProfile()
{
    const int index = m_config.activeProfile;
    if (index < 0 || index >= m_config.profiles.size()) {
        FrageJaNein(
            QStringLiteral(
                "Das Profil Nr. %1 ist in der Profilliste nicht vorhanden! Programm wird beendet.")
                .arg(index));
        return false;
    }
    const QString path = m_config.profiles[index].path;
    if (LoadConfiguration(m_config, path)) {
        OnConfigurationLoaded();
        return true;
    }
    if (QFile::exists(path))
        FrageJaNein(
            QStringLiteral(
                "Die Konfigurationsdatei '%1' enthält keine Einstellungen! Programm wird beendet.")
                .arg(path));
    return false;
}

void CZelvaDlg::OnConfigurationLoaded()
{
    if (m_logTable)
        m_logTable->SetConfigName(m_config.path);

    LogFileSettings settings;
    settings.dataFolder = m_config.dataFolder;
    settings.computerName = m_computerName;
    settings.sqlLog = m_config.FAKVOSQLLOGFILE != 0;
    settings.dateTimeText = [this](const QDateTime& at) {
        const QDate d = at.date();
        const QTime t = at.time();
        return FormatDate(d.year() * 10000 + d.month() * 100 + d.day(),
                          t.hour() * 10000 + t.minute() * 100, m_config);
    };
    settings.now = m_env.now;
    SetLogFileSettings(settings);

    m_databaseSettings = DatabaseSettingsFrom(m_config, SqlLog, m_env.now);

    // The profile's working settings: last conditions, printers, display period.
    if (m_config.serverMode)
        return;
    const int profileNumber = std::max(1, ProfileNumberOf(m_config, m_config.path));
    m_workSettings = std::make_unique<WorkSettings>(
        QDir(m_config.dataFolder).filePath(SettingsTableName(m_fileStem, profileNumber)),
        m_config.PRODUKTZEILEN);
    const TableStatus status = m_workSettings->Load();
    if (!status.ok)
        FrageJaNein(status.message);
}

void CZelvaDlg::PrepareJournal()
{
    // A journal in a database file of the data folder that does not exist yet (a new data
    // folder, or a profile pointing at a new file) is created from the shipped schema.
    const QString source = m_databaseSettings.journalHeaders.dataSource;
    if (!source.startsWith(u'!') || source.endsWith(QStringLiteral(".mdb"), Qt::CaseInsensitive))
        return;
    const QString file = QDir(m_config.dataFolder).filePath(source.mid(1));
    if (QFile::exists(file))
        return;
    const SchemaResult result = CreateJournalFile(
        JournalSchemaFile(FindStartData(m_env.applicationDir), SqlDialect::Sqlite), file);
    if (!result.ok)
        FrageJaNein(result.failure);
    else
        Log(0, QStringLiteral("Dokumentenjournal angelegt: ") + file);
}

void CZelvaDlg::ApplyClerk()
{
    m_clerk = m_config.DOCBEARBEITER;
    if (m_clerk.contains(QStringLiteral("WindowsBenutzer")))
        m_clerk = m_env.loginName;
}

bool CZelvaDlg::Initialise()
{
    // The folders: data folder (new ones filled from the start data), write test, subfolders.
    PrepareDataFolder();
    if (!WriteTest()) {
        EndForced();
        return false;
    }
    // No network role in this version: the file stem comes from the adapter's address.
    m_role = NetworkRole::None;
    m_computerName.clear();
    m_fileStem = WorkstationFileStem(m_env.hardwareAddress, false, m_computerName);

    // The profile list is read before the log opens, so that the first entries already carry
    // the configuration they belong to and the viewer of that profile shows them.
    m_config.explicitFile = m_options.explicitConfigFile;
    m_config.serverMode = m_options.serverMode;
    if (!ReadProfileList(m_config)) {
        EndForced();
        return false;
    }
    m_config.activeProfile = m_options.profileIndex;
    if (!OpenApplicationLog()) {
        EndForced();
        return false;
    }
    for (const QString& message : CreateDataSubfolders(m_config.dataFolder, m_options.serverMode))
        FrageJaNein(message);

    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        resize(available.width() - 5, std::max(600, available.height() - 5));
    }

    // Profiles: the menu entries, then the selected profile's configuration.
    FillProfileMenu();
    if (!LoadActiveProfile()) {
        EndForced();
        return false;
    }
    WriteSqlLogStartLine();
    PrepareJournal();

    // The overview's display period defaults to the current calendar year.
    if (m_workSettings && !m_workSettings->IsStored(WorkSetting::PeriodFrom)) {
        const int year = Now().date().year();
        m_workSettings->WriteSettingNumber(WorkSetting::PeriodFrom, year * 10000 + 101);
        m_workSettings->WriteSettingNumber(WorkSetting::PeriodTo, year * 10000 + 1231);
    }

    if (!m_options.noNetwork && !m_config.SERVERNAME.isEmpty())
        Log(0, QStringLiteral("Netzwerkbetrieb ist in dieser Version nicht verfügbar: ") +
                   m_config.SERVERNAME);
    RefreshCaption();
    ApplyClerk();

    m_editor->ApplyDefaults();

    if (m_options.serverMode) {
        ReadServerSettings(m_config.dataFolder);
        if (m_options.serverClientNumber > 0) {
            m_config.clientNumber = m_options.serverClientNumber;
            if (!LoadConfiguration(m_config, ClientConfigurationPath(m_config.dataFolder,
                                                                     m_config.clientNumber))) {
                EndForced();
                return false;
            }
        }
    }

    ShortenSqlLog();
    TrimAppLog(*m_logTable, m_config.LOGMAX);

    // A product table without the price-tier column gets it, and the configuration names it.
    Database database(m_databaseSettings);
    UpgradeProductTable(database, [this](const QString& key, const QString& value) {
        const auto result =
            RunConfigChange(m_config, m_role != NetworkRole::None, [&](Configuration& config) {
                ConfigSetValue(config, key, value);
                return true;
            });
        if (result == ConfigChangeResult::Saved)
            OnConfigurationLoaded();
    });
    return true;
}

void CZelvaDlg::EndForced()
{
    m_forcedEnd = true;
    RunExitRoutine();
}

void CZelvaDlg::SwitchProfile(int index)
{
    if (index < 0 || index >= m_config.profiles.size())
        return;
    // A failed load leaves the defaults in force, as a profile command does.
    if (LoadConfiguration(m_config, m_config.profiles[index].path)) {
        OnConfigurationLoaded();
        PrepareJournal();
    }
    m_config.activeProfile = index;
    ApplyClerk();
    m_editor->ApplyDefaults();
    RefreshCaption();
}

bool CZelvaDlg::RunExitRoutine()
{
    if (m_exitDone)
        return true;
    m_exitDone = true;
    // A program that started an automatic document waits for this copy of its template.
    if (m_automaticDocumentDone) {
        const QString done = m_options.autoTemplateFile + QStringLiteral(".OK");
        QFile::remove(done);
        QFile::copy(m_options.autoTemplateFile, done);
    }
    Log(0, QStringLiteral("Programm wurde beendet"));
    SetLogQueueNotifier({});
    if (m_logTable)
        CloseAppLog(*m_logTable);
    m_logTable.reset();
    return true;
}

} // namespace fakvo
