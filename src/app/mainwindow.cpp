// The main window's widgets, menus and commands. Start-up and exit are in mainwindow_startup.cpp.

#include "mainwindow.h"

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
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QSplitter>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace fakvo {

CZelvaDlg::CZelvaDlg(StartOptions options, StartEnvironment environment, QWidget* parent)
    : QMainWindow(parent), m_options(std::move(options)), m_env(std::move(environment))
{
    setObjectName(QStringLiteral("CZelvaDlg"));
    BuildWidgets();
    BuildMenus();
}

CZelvaDlg::~CZelvaDlg()
{
    RunExitRoutine();
}

void CZelvaDlg::BuildWidgets()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    m_typeCaption = new QLabel(central);
    m_typeCaption->setObjectName(QStringLiteral("typeCaption"));
    QFont captionFont(QStringLiteral("Arial"));
    captionFont.setPixelSize(24);
    captionFont.setFixedPitch(true);
    m_typeCaption->setFont(captionFont);
    m_typeCaption->setAutoFillBackground(true);
    layout->addWidget(m_typeCaption);

    // The editor area: recipient block and product list on the left, selection list right.
    auto* editor = new QSplitter(Qt::Horizontal, central);
    auto* left = new QWidget(editor);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    m_recipientBox = new QGroupBox(left);
    m_recipientBox->setObjectName(QStringLiteral("recipient"));
    auto* recipient = new QFormLayout(m_recipientBox);
    for (const char* label : {"z. Hd.", "Name", "Name 2", "Straße", "PLZ / Ort"})
        recipient->addRow(QString::fromUtf8(label), new QLineEdit(m_recipientBox));
    m_country = new QComboBox(m_recipientBox);
    m_country->setObjectName(QStringLiteral("country"));
    recipient->addRow(QStringLiteral("Land"), m_country);
    leftLayout->addWidget(m_recipientBox);
    m_productList = new QTableWidget(0, 8, left);
    m_productList->setObjectName(QStringLiteral("productList"));
    leftLayout->addWidget(m_productList, 1);
    m_selectionList = new QListWidget(editor);
    m_selectionList->setObjectName(QStringLiteral("selectionList"));
    editor->addWidget(left);
    editor->addWidget(m_selectionList);
    editor->setStretchFactor(0, 3);
    editor->setStretchFactor(1, 1);
    layout->addWidget(editor, 3);

    m_statusText = new QLabel(central);
    m_statusText->setObjectName(QStringLiteral("statusText"));
    layout->addWidget(m_statusText);

    m_overview = new QTreeWidget(central);
    m_overview->setObjectName(QStringLiteral("overview"));
    m_overview->setRootIsDecorated(false);
    layout->addWidget(m_overview, 2);

    setCentralWidget(central);
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

void CZelvaDlg::ShowDocumentType()
{
    const DocumentType type = m_document.type;
    const DocumentTypeTraits& traits = TypeTraits(type);
    m_typeCaption->setText(DocumentCaption(type, m_document.conditions.reminderLevel, m_config));
    QPalette palette = m_typeCaption->palette();
    palette.setColor(QPalette::WindowText, QColor(traits.captionText.red, traits.captionText.green,
                                                  traits.captionText.blue));
    palette.setColor(QPalette::Window,
                     QColor(traits.captionBackground.red, traits.captionBackground.green,
                            traits.captionBackground.blue));
    m_typeCaption->setPalette(palette);
}

void CZelvaDlg::RefreshCaption()
{
    const int index = m_config.activeProfile;
    const QString profileName =
        index >= 0 && index < m_config.profiles.size() ? m_config.profiles[index].name : QString();
    setWindowTitle(WindowCaption(profileName, m_role, 0, 0));
}

void CZelvaDlg::ShowStatus(const QString& text)
{
    m_statusText->setText(text);
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
