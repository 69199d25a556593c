#include "application.h"

#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/messagedialogs.h"
#include "platform/singleinstance.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

namespace fakvo {

int CZelvaApp::Run(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Faktavo"));

    const CommandLineResult parsed =
        ParseCommandLine(QApplication::arguments().mid(1),
                         [](const QString& path) { return QFileInfo::exists(path); });

    CZelvaDlg* window = nullptr;
    InstallDialogPrompts([&window] { return window != nullptr && window->config().BEEPON != 0; });
    for (const QString& message : parsed.messages)
        FrageJaNein(message);
    if (parsed.endNow)
        return 1;

    SingleInstance instance(SingleInstance::DefaultKey());
    if (!parsed.options.allowSecondInstance) {
        if (instance.AskRunningInstanceToRaise())
            return 0;
        instance.Listen();
    }

    CZelvaDlg mainWindow(parsed.options, StartEnvironment::FromSystem());
    window = &mainWindow;
    QObject::connect(&instance, &SingleInstance::raiseRequested, &mainWindow,
                     &CZelvaDlg::BringToFront);
    if (!mainWindow.Initialise())
        return 1;
    mainWindow.show();
    if (!mainWindow.RunAutomaticJobs()) {
        mainWindow.close();
        return 0;
    }

    // For start-up benchmarks and smoke tests: end through the exit routine once the first
    // window is up.
    if (qEnvironmentVariableIsSet("FAKVO_EXIT_AFTER_START"))
        QTimer::singleShot(0, &mainWindow, &QWidget::close);

    return QApplication::exec();
}

} // namespace fakvo
