// Whole-program start-up: Faktavo on a fresh data folder up to its first shown window and its
// exit routine, against the bare Qt window program, alternating in one run. Prints the median
// of each and their ratio.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double RunOnce(const QString& program, const QStringList& args, const QString& home)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("FAKVO_EXIT_AFTER_START"), QStringLiteral("1"));
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(home);
    QElapsedTimer timer;
    timer.start();
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed\n", qPrintable(program));
        return -1;
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    std::vector<double> faktavo;
    std::vector<double> bare;
    for (int i = 0; i < runs; ++i) {
        QTemporaryDir home; // a fresh data folder for every start
        const double f =
            RunOnce(QStringLiteral(FAKVO_BINARY), {QStringLiteral("-I1")}, home.path());
        const double b = RunOnce(QStringLiteral(BARE_BINARY), {}, home.path());
        if (f < 0 || b < 0)
            return 1;
        faktavo.push_back(f);
        bare.push_back(b);
    }
    const double f = Median(faktavo);
    const double b = Median(bare);
    std::printf("start-up to first window and exit, median of %d runs\n", runs);
    std::printf("  Faktavo (fresh data folder): %8.1f ms\n", f);
    std::printf("  bare Qt window:              %8.1f ms\n", b);
    std::printf("  ratio:                       %8.2f\n", b > 0 ? f / b : 0.0);
    return 0;
}
