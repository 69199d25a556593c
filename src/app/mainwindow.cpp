#include "mainwindow.h"

#include "app/datafolder.h"
#include "config/configfile.h"
#include "platform/prompt.h"
#include "support/log.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

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

CZelvaDlg::CZelvaDlg(StartOptions options, StartEnvironment environment, QWidget* parent)
    : QMainWindow(parent), m_options(std::move(options)), m_env(std::move(environment))
{
    setObjectName(QStringLiteral("CZelvaDlg"));
    BuildWidgets();
    BuildMenus();
}

CZelvaDlg::~CZelvaDlg() = default;

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
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&Datei"));
    m_exitAction = m_fileMenu->addAction(QStringLiteral("&Beenden \tALT-F4"));
    m_exitAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    connect(m_exitAction, &QAction::triggered, this, &QWidget::close);
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
        m_fileMenu->insertAction(m_exitAction, action);
        m_profileActions << action;
    }
}

bool CZelvaDlg::PrepareDataFolder()
{
    m_config.dataFolder = ChooseDataFolder(m_env.currentDir, m_env.homeDir);
    if (!QFileInfo(m_config.dataFolder).isDir()) {
        QDir().mkpath(m_config.dataFolder);
        const QString startData = FindStartData(m_env.applicationDir);
        if (startData.isEmpty() || !FillNewDataFolder(startData, m_config.dataFolder))
            Log(0, QStringLiteral("Startdaten konnten nicht vollständig kopiert werden: ") +
                       startData);
    }
    if (!QDir::setCurrent(m_config.dataFolder)) {
        FrageJaNein(QStringLiteral("Datenverzeichnis konnte nicht gesetzt werden!"));
        return true;
    }
    return true;
}

bool CZelvaDlg::WriteTest()
{
    // A copy of the profile list under the computer's name shows that the folder is writable.
    const QString testFile =
        QDir(m_config.dataFolder).filePath(m_computerName + QStringLiteral(".tes"));
    QFile::remove(testFile);
    const QString profileList = QDir(m_config.dataFolder).filePath(QStringLiteral("Fakvo.cfg"));
    bool written = QFile::exists(profileList) ? QFile::copy(profileList, testFile) : false;
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

bool CZelvaDlg::LoadActiveProfile()
{
    const int index = m_config.activeProfile;
    if (index < 0 || index >= m_config.profiles.size()) {
        FrageJaNein(QStringLiteral("Das Profil Nr. %1 ist in der Profilliste nicht vorhanden! "
                                   "Programm wird beendet.")
                        .arg(index));
        return false;
    }
    const QString path = m_config.profiles[index].path;
    if (LoadConfiguration(m_config, path))
        return true;
    if (QFile::exists(path))
        FrageJaNein(QStringLiteral("Die Konfigurationsdatei '%1' enthält keine Einstellungen! "
                                   "Programm wird beendet.")
                        .arg(path));
    return false;
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
    Log(0, QStringLiteral("Programm wurde gestartet"));
    for (const QString& message : CreateDataSubfolders(m_config.dataFolder, m_options.serverMode))
        FrageJaNein(message);

    const QScreen* screen = this->screen();
    if (screen != nullptr) {
        const QRect available = screen->availableGeometry();
        resize(available.width() - 5, std::max(600, available.height() - 5));
    }

    // Profiles: the list, its menu entries, then the selected profile's configuration.
    m_config.explicitFile = m_options.explicitConfigFile;
    m_config.serverMode = m_options.serverMode;
    if (!ReadProfileList(m_config)) {
        EndForced();
        return false;
    }
    FillProfileMenu();
    m_config.activeProfile = m_options.profileIndex;
    if (!LoadActiveProfile()) {
        EndForced();
        return false;
    }

    // Workstation identity. No network role until a server name is configured; the
    // workstation messaging is not part of this version, so a configured name is only noted.
    if (!m_options.noNetwork && !m_config.SERVERNAME.isEmpty())
        Log(0, QStringLiteral("Netzwerkbetrieb ist in dieser Version nicht verfügbar: ") +
                   m_config.SERVERNAME);
    m_role = NetworkRole::None;
    m_computerName = m_role == NetworkRole::None ? QString() : m_env.hostName;
    m_fileStem =
        WorkstationFileStem(m_env.hardwareAddress, m_role != NetworkRole::None, m_computerName);

    RefreshCaption();
    ApplyClerk();

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
    LoadConfiguration(m_config, m_config.profiles[index].path);
    m_config.activeProfile = index;
    ApplyClerk();
    RefreshCaption();
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

bool CZelvaDlg::RunExitRoutine()
{
    if (m_exitDone)
        return true;
    Log(0, QStringLiteral("Programm wurde beendet"));
    FlushLogQueue();
    m_exitDone = true;
    return true;
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

} // namespace fakvo
