// Memory over a long run: the main window on the simulated machine, fed by the
// in-process compass simulator in virtual time, with the three charts open and
// the module's output echoed to the terminal.
// Prints the resident set every ten simulated minutes; it should level off
// once the chart histories are full.
//   bench_memory_hour [simulated minutes] [sentences per second]
#include "app/frm_main.h"
#include "app/sentence_parser.h"
#include "charts/chart_table.h"
#include "platform/sim/sim_platform.h"
#include "tools/sim_compass_link.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace {

double residentMiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int minutes = argc > 1 ? std::atoi(argv[1]) : 60;
    const double rate = argc > 2 ? std::atof(argv[2]) : 1700;

    QTemporaryDir dir;
    platform::sim::SimPlatform sim(dir.path());
    // Baud 0: the line never limits the rate asked for.
    compass_sim::SimCompassLink link(sim.ports, sim.pump, 2, 0);
    link.compass().overrideSentencesPerSecond(rate);
    link.compass().settings().setNumber("DISPLAY_FIELDS", 8191);

    app::frmMain window(sim.platform);
    window.Form_Load();
    window.findChild<QAbstractButton *>("cmdOpen")->click();
    for (const charts::ChartRow &row : charts::ChartTable)
        window.findChild<QAbstractButton *>(row.showButtonName)->click();
    window.findChild<QAbstractButton *>("chkShowCompassData")->click();

    std::printf("(the sample number starts over after %d)\n", app::SentenceParser::SampleNumberLimit);
    std::printf("simulated minute  sample number  resident MiB\n");
    std::printf("%16d %14d %13.1f\n", 0, window.sampleNumber(), residentMiB());
    for (int minute = 1; minute <= minutes; ++minute) {
        sim.advance(60'000);
        QCoreApplication::processEvents();
        if (minute % 10 == 0 || minute == minutes)
            std::printf("%16d %14d %13.1f\n", minute, window.sampleNumber(), residentMiB());
        std::fflush(stdout);
    }
    return 0;
}
