// Load test of the whole receive path: the main window on the real machine,
// fed by the simulator over a pseudo-terminal at a 921600-baud sentence rate.
// Prints the CPU time the program used per sentence and as a share of one core,
// first as the program runs (25 frames a second at most), then, as the
// baseline, with every window repainting as often as it is marked dirty.
#include "app/frm_main.h"
#include "charts/chart_table.h"
#include "controls/frame_rate_limiter.h"
#include "platform/qt/qt_platform.h"
#include "platform/wait.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <sys/resource.h>
#include <cstdio>

namespace {

double cpuSeconds()
{
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // As the program runs: at most 25 frames a second.
    controls::FrameRateLimiter frames(25);
    application.installEventFilter(&frames);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    const int rate = argc > 2 ? std::atoi(argv[2]) : 1700;
    const QString fields = argc > 3 ? argv[3] : "127";
    const bool showCharts = argc > 4 && QByteArray(argv[4]) == "charts";

    QTemporaryDir dir;
    QProcess sim;
    sim.start(QStringLiteral(COMPASS_SIM_PATH),
              {"--ports-dir", QDir(dir.path()).filePath("ports"), "--com", "2", "--quiet", "--rate",
               QString::number(rate), "--fields", fields});
    const QString link = QDir(dir.path()).filePath("ports/COM2");
    for (int i = 0; i < 100 && !QFileInfo(link).isSymLink(); ++i)
        QThread::msleep(20);

    QTimer dismisser;
    QObject::connect(&dismisser, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->done(QMessageBox::Ok);
    });
    dismisser.start(50);

    platform::qt::QtPlatform machine(dir.path());
    app::frmMain window(machine.platform);
    window.Form_Load();
    window.show();
    window.findChild<QAbstractButton *>("cmdOpen")->click();
    // Let the settings read and the first bursts pass before measuring.
    platform::Wait(machine.platform, 3000);
    if (showCharts) {
        for (const charts::ChartRow &row : charts::ChartTable)
            window.findChild<QAbstractButton *>(row.showButtonName)->click();
        platform::Wait(machine.platform, 500);
    }

    struct Load {
        std::int32_t sentences;
        double cpu;
    };
    const auto measure = [&] {
        const std::int32_t firstSample = window.sampleNumber();
        const double cpuStart = cpuSeconds();
        platform::Wait(machine.platform, seconds * 1000);
        return Load{window.sampleNumber() - firstSample, cpuSeconds() - cpuStart};
    };
    const auto report = [&](const char *name, const Load &load) {
        std::printf("%-22s %6d sentences in %d s (%.0f/s, simulator asked for %d): CPU %.3f s = %4.1f%% of one "
                    "core, %6.1f us per sentence\n",
                    name, load.sentences, seconds, double(load.sentences) / seconds, rate, load.cpu,
                    100.0 * load.cpu / seconds, load.sentences > 0 ? 1e6 * load.cpu / load.sentences : 0.0);
    };
    const Load capped = measure();
    application.removeEventFilter(&frames);
    const Load uncapped = measure();
    report("25 frames a second:", capped);
    report("baseline, no cap:", uncapped);
    if (capped.cpu > 0)
        std::printf("ratio: the baseline uses %.1fx the CPU\n", uncapped.cpu / capped.cpu);
    sim.terminate();
    sim.waitForFinished(3000);
    return 0;
}
