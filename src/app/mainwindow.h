#pragma once
// The main window: start-up sequence, profile switching, caption and the exit routine. It hosts
// the document editor (app/editor) above the document overview and carries the menus and keys
// that drive both.

#include "app/commandline.h"
#include "app/document/documentstore.h"
#include "app/model/document.h"
#include "app/startup.h"
#include "config/configuration.h"
#include "platform/workstation.h"
#include "storage/database.h"
#include "support/logfiles.h"

#include <QMainWindow>

#include <memory>
#include <optional>

class QMenu;
class QTreeWidget;

namespace fakvo {

class DocumentEditor;
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

    // The automatic jobs of the command line (-G document from a template, -D letter job),
    // run once the window is up. False when the application is to end afterwards (-E).
    bool RunAutomaticJobs();

    const Configuration& config() const { return m_config; }
    const QString& dataFolder() const { return m_config.dataFolder; }
    const QString& fileStem() const { return m_fileStem; }
    QString computerName() const { return m_computerName; }
    const Document& document() const;
    DocumentEditor* editor() const { return m_editor; }
    // The database settings of the loaded profile; every database operation opens its own
    // connection with them.
    const DatabaseSettings& databaseSettings() const { return m_databaseSettings; }
    WorkSettings* workSettings() const { return m_workSettings.get(); }

    // Loads profile `index` (0 for the first) as the menu entries "Lade Konfiguration &%s" do.
    void SwitchProfile(int index);
    void RefreshCaption();
    // Shows a text in the status line and writes it to the log.
    void ShowStatus(const QString& text);
    // The single entry point for a type change, and the amount computation.
    void SelectDocumentType(DocumentType type);
    void ComputeTotals();
    // Storing the editor's document (F2, F4) and loading a journal entry into the editor.
    StoreOutcome SaveNewDocument();
    StoreOutcome SaveChangedDocument();
    bool LoadDocument(int rowId);

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
    // Takes the Alt keys of the type commands before menu mnemonics can claim them.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWidgets();
    void BuildMenus();
    void BuildEditorMenus();
    void FillProfileMenu();
    bool PrepareDataFolder();
    bool WriteTest();
    bool OpenApplicationLog();
    bool LoadActiveProfile();
    void OnConfigurationLoaded();
    void PrepareJournal();
    void ApplyClerk();
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
    bool m_automaticDocumentDone = false; // the template gets its ".OK" copy at the end
    std::unique_ptr<LogTable> m_logTable;
    std::unique_ptr<WorkSettings> m_workSettings;
    DatabaseSettings m_databaseSettings;

    QMenu* m_fileMenu = nullptr;
    QList<QAction*> m_profileActions;
    QAction* m_settingsAction = nullptr; // profile entries go in front of it
    DocumentEditor* m_editor = nullptr;
    QTreeWidget* m_overview = nullptr;
};

} // namespace fakvo
