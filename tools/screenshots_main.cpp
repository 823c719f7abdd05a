// compass-screenshots FOLDER: draws the README's pictures of the setup dialog
// with two adapters plugged in, of a chart's context menu and of the
// calibration wizard's pages, offscreen.
#include "charts/chart_windows.h"
#include "config/cls_config.h"
#include "config/frm_setup.h"
#include "platform/sim/sim_platform.h"
#include "tools/wizard_screenshots.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

namespace {

bool save(const QPixmap &picture, const QString &folder, const QString &name)
{
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (picture.save(path))
        return true;
    std::fprintf(stderr, "compass-screenshots: cannot write %s\n", qPrintable(path));
    return false;
}

// Two adapters of one make, told apart by their serial numbers, beside the built-in port.
bool setupDialog(const QString &folder)
{
    QTemporaryDir dir;
    platform::sim::SimPlatform sim(dir.path());
    sim.devices.list = std::vector<platform::SerialDevice>{
        {"/dev/ttyS0", "", "", ""},
        {"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A50285BI"},
        {"/dev/ttyUSB1", "FT232R USB UART", "FTDI", "AB0LQ7ZX"}};
    config::clsConfig settings(dir.path());
    settings.LoadSettings();
    settings.setSerialPort(QStringLiteral("102"));
    auto comTest = sim.platform.ports.createPort();
    config::frmSetup dialog(sim.platform, settings, *comTest);
    dialog.show();
    dialog.cmbCom()->showPopup();
    QApplication::processEvents();
    // The open list is a window of its own: draw it under the box.
    QPixmap picture = dialog.grab();
    QPainter painter(&picture);
    painter.drawPixmap(dialog.cmbCom()->mapTo(&dialog, QPoint(0, dialog.cmbCom()->height())),
                       dialog.cmbCom()->view()->window()->grab());
    painter.end();
    return save(picture, folder, QStringLiteral("setup_dialog_adapters"));
}

bool chartMenu(const QString &folder)
{
    QTemporaryDir dir;
    platform::sim::SimPlatform sim(dir.path());
    charts::frmMagGraph window;
    window.offerChartMenu(sim.files, sim.messages);
    auto &chart = window.graphMag();
    chart.setRange(300, -300);
    // A module lying flat: Y and Z read the same, so one trace hides the other.
    for (int sample = 1; sample <= 1500; ++sample) {
        const double x = 180 * std::sin(sample / 60.0);
        chart.addPoint(0, sample, std::hypot(x, 40.0));
        chart.addPoint(1, sample, x);
        chart.addPoint(2, sample, 40);
        chart.addPoint(3, sample, 40);
    }
    chart.setPaused(true);
    window.show();
    QApplication::processEvents();
    const QPoint at = chart.rect().center() + QPoint(40, -40);
    emit chart.customContextMenuRequested(at);
    auto *menu = chart.findChild<QMenu *>(QStringLiteral("mnuChart"));
    QApplication::processEvents();
    QPixmap picture = window.grab();
    QPainter painter(&picture);
    painter.drawPixmap(chart.mapTo(&window, at), menu->grab());
    painter.end();
    return save(picture, folder, QStringLiteral("chart_menu"));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: compass-screenshots FOLDER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    return setupDialog(folder) && chartMenu(folder) && wizardPages(folder) ? 0 : 1;
}
