// The baseline of the start-up benchmark: a bare Qt program that shows a main window with a
// menu bar and a table, and quits once it is up.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTableWidget>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&Datei"))->addAction(QStringLiteral("&Beenden"));
    window.setCentralWidget(new QTableWidget(20, 8, &window));
    window.show();
    QTimer::singleShot(0, &window, &QWidget::close);
    return QApplication::exec();
}
