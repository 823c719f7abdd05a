// mag-check-screenshots: pictures of the calibration check for the
// documentation, on the simulated module: turned through every orientation
// well calibrated, badly calibrated, and only part of the way; with soft iron
// where the field dips 67°; and turned level only.
//   mag-check-screenshots [folder, default docs/screenshots]
#include "charts/chart_windows.h"
#include "mag_check/frm_mag_check.h"
#include "platform/qt/qt_platform.h"
#include "tools/compass_simulator.h"
#include "tools/sentence_writer.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

namespace {

// The simulator's own field, and one like central Europe's in µT.
struct EarthField {
    double magnitude;
    double inclination;
};
constexpr EarthField SimulatorField{234.3, 39.8};
constexpr EarthField CentralEurope{50, 67};

struct Board {
    const char *file;
    // Hard iron beyond what the module's stored offsets take off.
    std::array<double, 3> ironLeft;
    std::array<double, 9> softIron;
    double seconds;
    EarthField earth = SimulatorField;
    double noise = 0.5;
    // Turned level at this many degrees a second instead of tumbling.
    double levelTurn = 0;
};

constexpr std::array<double, 9> NoSoftIron{1, 0, 0, 0, 1, 0, 0, 0, 1};
// Stretched by 3 % along a direction between the board's axes.
constexpr std::array<double, 9> SoftIron3Percent{1.0078, 0.0078, 0.0106, 0.0078, 1.0078, 0.0106,
                                                 0.0106, 0.0106, 1.0144};
constexpr double TumbleSeconds = 60;
constexpr std::uint64_t SentenceMs = 50;

// The module's output, one sentence every SentenceMs while it tumbles, fed as the parser feeds the charts.
void tumble(const Board &board, mag_check::frmMagCheck &check)
{
    compass_sim::CompassSimulator module([](std::string) {});
    compass_sim::SensorModel &sensor = module.sensor();
    const compass_sim::ModuleSettings &stored = module.settings();
    sensor.setHardIron(stored.number("MAG_X_OFFSET") + board.ironLeft[0],
                       stored.number("MAG_Y_OFFSET") + board.ironLeft[1],
                       stored.number("MAG_Z_OFFSET") + board.ironLeft[2]);
    sensor.setSoftIron(board.softIron);
    sensor.setEarthFieldDip(board.earth.magnitude, board.earth.inclination);
    sensor.setMagneticNoise(board.noise);
    if (board.levelTurn > 0) {
        sensor.setAttitude(0, 0);
        sensor.setTurnRate(board.levelTurn);
    } else {
        sensor.setTumble(TumbleSeconds);
    }
    double sampleNumber = 0;
    for (std::uint64_t ms = 0; ms < board.seconds * 1000; ms += SentenceMs) {
        sensor.moveTo(ms);
        const compass_sim::Readings r = compass_sim::corrected(sensor.readings(), stored);
        ++sampleNumber;
        const double field[] = {r.magX, r.magY, r.magZ};
        const double acceleration[] = {r.accX, r.accY, r.accZ};
        for (int axis = 0; axis < 3; ++axis) {
            check.magneticChart().addPoint(axis + 1, sampleNumber, field[axis]);
            check.accelerationChart().addPoint(axis + 1, sampleNumber, acceleration[axis]);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "mag-check-screenshots: cannot make the folder %s\n", qPrintable(folder));
        return 1;
    }
    platform::qt::QtPlatform machine(QApplication::applicationDirPath());
    const Board boards[] = {
        {"mag_check_good", {0, 0, 0}, NoSoftIron, TumbleSeconds},
        {"mag_check_bad", {28, -16, 9}, {1.12, 0.06, 0, 0.06, 0.93, 0.03, 0, 0.03, 1.0}, TumbleSeconds},
        {"mag_check_rotate_more", {0, 0, 0}, NoSoftIron, TumbleSeconds / 5},
        {"mag_check_soft_iron_67", {0, 0, 0}, SoftIron3Percent, TumbleSeconds, CentralEurope, 0.2},
        {"mag_check_level_turn", {0.3, -0.2, 0}, NoSoftIron, TumbleSeconds, CentralEurope, 0.2, 30},
    };
    for (const Board &board : boards) {
        charts::frmMagGraph magGraph;
        charts::ChartWindow accGraph(charts::ChartId::Acc);
        mag_check::frmMagCheck check(machine.platform.timers, magGraph, accGraph.chart());
        tumble(board, check);
        check.show();
        QApplication::processEvents();
        const QString file = QDir(folder).filePath(QLatin1String(board.file) + QStringLiteral(".png"));
        if (!check.grab().save(file)) {
            std::fprintf(stderr, "mag-check-screenshots: cannot write %s\n", qPrintable(file));
            return 1;
        }
        const QString verdict = check.findChild<QWidget *>(QStringLiteral("lblVerdict"))->accessibleName();
        std::printf("%s: %s\n", qPrintable(file), qPrintable(verdict));
    }
    return 0;
}
