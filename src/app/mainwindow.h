#pragma once
// The main window: start-up sequence, profile switching, caption and the exit routine. The
// editor areas inside it belong to the document editor.

#include "app/commandline.h"
#include "app/model/document.h"
#include "app/startup.h"
#include "config/configuration.h"
#include "platform/workstation.h"
#include "storage/database.h"
#include "support/logfiles.h"

#include <QMainWindow>

#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QTableWidget;
class QTreeWidget;
class QGroupBox;

namespace fakvo {

class LogTable;
class WorkSettings;

// What start-up learns from the operating system; tests pass their own.
struct StartEnvironment
{
    QString applicationDir;
    QString currentDir;
    QString homeDir;
    std::optional<HardwareAddress> hardwareAddress;
    QString hostName;
    QString loginName;
    NowFunction now; // the clock for "today" and log time stamps; the system clock if empty

    static StartEnvironment FromSystem();
};

class CZelvaDlg : public QMainWindow
{
    Q_OBJECT
public:
    CZelvaDlg(StartOptions options, StartEnvironment environment, QWidget* parent = nullptr);
    ~CZelvaDlg() override;

    // Runs the initialisation steps. False when the application must end (the reason has
    // been shown); the caller then runs no event loop.
    bool Initialise();

    const Configuration& config() const { return m_config; }
    const QString& dataFolder() const { return m_config.dataFolder; }
    const QString& fileStem() const { return m_fileStem; }
    QString computerName() const { return m_computerName; }
    const Document& document() const { return m_document; }
    // The database settings of the loaded profile; every database operation opens its own
    // connection with them.
    const DatabaseSettings& databaseSettings() const { return m_databaseSettings; }
    WorkSettings* workSettings() const { return m_workSettings.get(); }

    // Loads profile `index` (0 for the first) as the menu entries "Lade Konfiguration &%s" do.
    void SwitchProfile(int index);
    void RefreshCaption();
    void ShowStatus(const QString& text);

    // The exit routine; false when the user chose to keep the application running.
    bool RunExitRoutine();

    // Menu commands.
    void EditSettings();
    void ShowLogViewer();
    void ShowSqlLog();
    void DeleteSqlLog();

    // Brings the window to the front, restored if minimised (a second start asked for it).
    void BringToFront();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildWidgets();
    void BuildMenus();
    void FillProfileMenu();
    bool PrepareDataFolder();
    bool WriteTest();
    bool OpenApplicationLog();
    bool LoadActiveProfile();
    void OnConfigurationLoaded();
    void PrepareJournal();
    void ApplyClerk();
    void ShowDocumentType();
    void EndForced();
    QDateTime Now() const;

    StartOptions m_options;
    StartEnvironment m_env;
    Configuration m_config;
    NetworkRole m_role = NetworkRole::None;
    QString m_fileStem;
    QString m_computerName;
    QString m_clerk;
    bool m_forcedEnd = false;
    bool m_exitDone = false;
    Document m_document;
    std::unique_ptr<LogTable> m_logTable;
    std::unique_ptr<WorkSettings> m_workSettings;
    DatabaseSettings m_databaseSettings;

    QMenu* m_fileMenu = nullptr;
    QList<QAction*> m_profileActions;
    QAction* m_settingsAction = nullptr; // profile entries go in front of it
    QLabel* m_typeCaption = nullptr;
    QGroupBox* m_recipientBox = nullptr;
    QComboBox* m_country = nullptr;
    QTableWidget* m_productList = nullptr;
    QListWidget* m_selectionList = nullptr;
    QLabel* m_statusText = nullptr;
    QTreeWidget* m_overview = nullptr;
};

} // namespace fakvo
