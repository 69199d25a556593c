// The main window's widgets, menus and commands. Start-up and exit are in mainwindow_startup.cpp.

#include "mainwindow.h"

#include "app/editor/documenteditor.h"
#include "app/logviewer.h"
#include "app/model/codes.h"
#include "app/model/documenttype.h"
#include "config/configfile.h"
#include "config/ui/settingsdialog.h"
#include "platform/files.h"
#include "platform/prompt.h"
#include "storage/database.h"
#include "storage/logtable.h"
#include "storage/worksettings.h"
#include "support/log.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace fakvo {

CZelvaDlg::CZelvaDlg(StartOptions options, StartEnvironment environment, QWidget* parent)
    : QMainWindow(parent), m_options(std::move(options)), m_env(std::move(environment))
{
    setObjectName(QStringLiteral("CZelvaDlg"));
    BuildWidgets();
    BuildMenus();
    BuildEditorMenus();
    qApp->installEventFilter(this);
}

CZelvaDlg::~CZelvaDlg()
{
    qApp->removeEventFilter(this);
    RunExitRoutine();
}

void CZelvaDlg::BuildWidgets()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);

    EditorEnvironment environment;
    environment.workSettings = [this] { return m_workSettings.get(); };
    environment.databaseSettings = [this] { return m_databaseSettings; };
    environment.profileIndex = [this] { return m_config.activeProfile; };
    environment.clerk = [this] { return m_clerk; };
    environment.now = [this] { return Now(); };
    m_editor = new DocumentEditor(m_config, std::move(environment), central);
    layout->addWidget(m_editor, 3);

    m_overview = new QTreeWidget(central);
    m_overview->setObjectName(QStringLiteral("overview"));
    m_overview->setRootIsDecorated(false);
    layout->addWidget(m_overview, 1);

    setCentralWidget(central);
    connect(m_editor, &DocumentEditor::typeListRequested, this,
            [this] { m_editor->ShowNotAvailable(QStringLiteral("Die Dokumentenübersicht")); });
    connect(m_editor, &DocumentEditor::invoicesByPaymentRequested, this,
            [this] { m_editor->ShowNotAvailable(QStringLiteral("Die Dokumentenübersicht")); });
    connect(m_editor, &DocumentEditor::mailClientRequested, this, [this] {
        m_editor->ShowNotAvailable(QStringLiteral("Das Senden über den Mail-Client"));
    });
    connect(m_editor, &DocumentEditor::reminderGenerationRequested, this,
            [this] { m_editor->ShowNotAvailable(QStringLiteral("Das Generieren von Mahnungen")); });
    // A configured column the address or product table lacks ends the application.
    connect(
        m_editor, &DocumentEditor::endRequested, this,
        [this] {
            EndForced();
            close();
        },
        Qt::QueuedConnection);
}

void CZelvaDlg::BuildMenus()
{
    auto addCommand = [this](QMenu* menu, const char* text, QKeySequence key, auto slot) {
        QAction* action = menu->addAction(QString::fromUtf8(text));
        if (!key.isEmpty())
            action->setShortcut(key);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };

    m_fileMenu = menuBar()->addMenu(QStringLiteral("&Datei"));
    m_settingsAction = addCommand(m_fileMenu, "Ko&nfigurationseinstellungen... \tSTRG-N",
                                  QKeySequence(Qt::CTRL | Qt::Key_N), &CZelvaDlg::EditSettings);
    addCommand(m_fileMenu, "&Beenden \tALT-F4", QKeySequence(Qt::ALT | Qt::Key_F4),
               &QWidget::close);

    QMenu* logMenu = menuBar()->addMenu(QStringLiteral("Protokol&l"));
    addCommand(logMenu, "Zeige &Protokoll \tALT-P", QKeySequence(Qt::ALT | Qt::Key_P),
               &CZelvaDlg::ShowLogViewer);
    addCommand(logMenu, "Sql Logfile anzeigen\tSTRG-ALT-L",
               QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_L), &CZelvaDlg::ShowSqlLog);
    addCommand(logMenu, "Sql Logfile löschen", QKeySequence(), &CZelvaDlg::DeleteSqlLog);
}

void CZelvaDlg::FillProfileMenu()
{
    qDeleteAll(m_profileActions);
    m_profileActions.clear();
    // Only the first five profiles get a command, as in the fixed menu of five entries.
    const qsizetype count = std::min<qsizetype>(m_config.profiles.size(), 5);
    for (qsizetype i = 0; i < count; ++i) {
        auto* action = new QAction(
            QStringLiteral("Lade Konfiguration &%1").arg(m_config.profiles[i].name), m_fileMenu);
        action->setData(static_cast<int>(40001 + i));
        connect(action, &QAction::triggered, this,
                [this, i] { SwitchProfile(static_cast<int>(i)); });
        m_fileMenu->insertAction(m_settingsAction, action);
        m_profileActions << action;
    }
}

void CZelvaDlg::RefreshCaption()
{
    const int index = m_config.activeProfile;
    const QString profileName =
        index >= 0 && index < m_config.profiles.size() ? m_config.profiles[index].name : QString();
    setWindowTitle(WindowCaption(profileName, m_role, 0, 0));
}

const Document& CZelvaDlg::document() const
{
    return m_editor->document();
}

void CZelvaDlg::ShowStatus(const QString& text)
{
    m_editor->ShowStatus(text);
}

void CZelvaDlg::SelectDocumentType(DocumentType type)
{
    m_editor->SelectDocumentType(type);
}

void CZelvaDlg::ComputeTotals()
{
    m_editor->ComputeTotals();
}

StoreOutcome CZelvaDlg::SaveNewDocument()
{
    return m_editor->SaveNewDocument();
}

StoreOutcome CZelvaDlg::SaveChangedDocument()
{
    return m_editor->SaveChangedDocument();
}

bool CZelvaDlg::LoadDocument(int rowId)
{
    return m_editor->LoadDocument(rowId);
}

void CZelvaDlg::BringToFront()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void CZelvaDlg::closeEvent(QCloseEvent* event)
{
    if (RunExitRoutine())
        event->accept();
    else
        event->ignore();
}

void CZelvaDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        if (FrageJaNein(QStringLiteral("Wollen Sie das Programm wirklich beenden?"),
                        PromptMode::Question) == kAnswerYes)
            close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void CZelvaDlg::EditSettings()
{
    const bool networkMode = m_role != NetworkRole::None;
    // The choosers list data sources, tables and columns once the database layer is wired in.
    const ConfigChangeResult result =
        RunConfigChange(m_config, networkMode, [this](Configuration& config) {
            CEinstellungen sheet(config, SettingsCatalog{}, this);
            if (sheet.exec() != QDialog::Accepted)
                return false;
            sheet.WriteOpenedPages(config);
            return true;
        });
    if (result == ConfigChangeResult::Saved) {
        OnConfigurationLoaded();
        RefreshCaption();
        m_editor->ConfigurationChanged();
    } else if (result == ConfigChangeResult::LoadFailed) {
        EndForced();
        close();
    }
}

void CZelvaDlg::ShowLogViewer()
{
    if (!m_logTable)
        return;
    const QString text = LogViewerText(ReadLogForViewer(*m_logTable), m_fileStem, m_config.path);
    CProtokoll viewer(
        text,
        [](const QString&) {
            FrageJaNein(QStringLiteral(
                "Das Drucken des Protokolls ist in dieser Version noch nicht verfügbar."));
        },
        this);
    viewer.exec();
}

void CZelvaDlg::ShowSqlLog()
{
    const QString path = SqlLogPath();
    if (!QFile::exists(path)) {
        FrageJaNein(QStringLiteral(
            "Derzeit sind keine Log-Einträge vorhanden.\n\nSie aktiviern die SQL Log-Funktion "
            "indem Sie im "
            "Hauptmenü unter\nDatei->Einstellungen->Kunfigurationseinstellungen->Adressen\ndie "
            "entprechende "
            "Schaltfläche aktivieren."));
        return;
    }
    if (!OpenInTextEditor(path))
        FrageJaNein(QStringLiteral("Die Datei '%1' kann nicht geöffnet werden!").arg(path));
}

void CZelvaDlg::DeleteSqlLog()
{
    const QString path = SqlLogPath();
    if (!QFile::exists(path)) {
        FrageJaNein(QStringLiteral("Es existiert kein Log-File zum Löschen."));
        return;
    }
    if (FrageJaNein(QStringLiteral("Wollen Sie wirklich die das Sql-Logfile löschen?"),
                    PromptMode::Question) == kAnswerYes)
        QFile::remove(path);
}

} // namespace fakvo
