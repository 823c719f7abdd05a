// compass-screenshots FOLDER: draws the README's pictures offscreen: the setup
// dialog with two adapters plugged in, the three chart windows, a chart's
// context menu, the two instruments, the push button's looks and the
// calibration wizard's pages.
#include "charts/chart_windows.h"
#include "config/cls_config.h"
#include "config/frm_setup.h"
#include "controls/attitude_indicator.h"
#include "controls/heading_indicator.h"
#include "controls/xp_button.h"
#include "platform/sim/sim_platform.h"
#include "tools/screenshot_file.h"
#include "tools/wizard_screenshots.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

namespace {

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
    return savePicture(picture, folder, QStringLiteral("setup_dialog_adapters"));
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
    return savePicture(picture, folder, QStringLiteral("chart_menu"));
}

// A slow swing with some noise, like a module turned by hand on the bench.
double swing(int sample, double amplitude, double phase)
{
    return amplitude * std::sin(sample / 60.0 + phase) + amplitude * 0.05 * std::sin(sample * 1.7 + phase);
}

void feedVector(charts::StripChartWidget &chart, double amplitude)
{
    for (int sample = 1; sample <= 1500; ++sample) {
        const double x = swing(sample, amplitude, 0);
        const double y = swing(sample, amplitude, 2.1);
        const double z = swing(sample, amplitude * 0.6, 4.2);
        chart.addPoint(0, sample, std::sqrt(x * x + y * y + z * z));
        chart.addPoint(1, sample, x);
        chart.addPoint(2, sample, y);
        chart.addPoint(3, sample, z);
    }
}

bool chartWindows(const QString &folder)
{
    charts::ChartWindow cmp(charts::ChartId::Cmp);
    cmp.chart().setRange(360, -180);
    for (int sample = 1; sample <= 1500; ++sample) {
        cmp.chart().addPoint(0, sample, std::fmod(328 + sample * 0.2, 360));
        cmp.chart().addPoint(1, sample, swing(sample, 12, 0));
        cmp.chart().addPoint(2, sample, swing(sample, 25, 1));
    }
    charts::frmMagGraph mag;
    mag.graphMag().setRange(300, -300);
    feedVector(mag.graphMag(), 180);
    charts::ChartWindow acc(charts::ChartId::Acc);
    acc.chart().setRange(2, -2);
    feedVector(acc.chart(), 0.9);
    const bool saved = savePicture(cmp.grab(), folder, QStringLiteral("chart_cmp")) &&
                       savePicture(mag.grab(), folder, QStringLiteral("chart_mag")) &&
                       savePicture(acc.grab(), folder, QStringLiteral("chart_acc"));
    // A range whose minimum is not below its maximum still draws.
    acc.chart().setRange(1, 1);
    return saved && savePicture(acc.grab(), folder, QStringLiteral("chart_acc_equal_range"));
}

bool controlPictures(const QString &folder)
{
    using platform::Instrument;
    controls::AttitudeIndicator horizon;
    horizon.resize(220, 220);
    horizon.setValue(Instrument::Heading, 328.1);
    horizon.setValue(Instrument::Pitch, -8.4);
    horizon.setValue(Instrument::Roll, 15.2);
    controls::HeadingIndicator air1;
    air1.resize(220, 220);
    air1.setBackgroundColor(0xFFFFFF);
    for (int number : {Instrument::Heading, Instrument::HeadingBug, Instrument::HeadingSelect})
        air1.setValue(number, number == Instrument::Heading ? 328.1 : 20);
    if (!savePicture(horizon.grab(), folder, QStringLiteral("controls_attitude")) ||
        !savePicture(air1.grab(), folder, QStringLiteral("controls_heading")))
        return false;

    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    auto *button = new controls::XPButton(QStringLiteral("Open Port"), &window);
    auto *other = new controls::XPButton(QStringLiteral("Quit"), &window);
    layout->addWidget(button);
    layout->addWidget(other);
    window.show();
    QApplication::setActiveWindow(&window);
    QApplication::processEvents();
    other->setFocus();
    bool saved = savePicture(button->grab(), folder, QStringLiteral("controls_button_normal"));
    const auto mouse = [&](QEvent::Type type, Qt::MouseButton which) {
        QMouseEvent event(type, QPointF(30, 10), button->mapToGlobal(QPointF(30, 10)), which, which, Qt::NoModifier);
        QApplication::sendEvent(button, &event);
    };
    mouse(QEvent::MouseMove, Qt::NoButton);
    saved = saved && savePicture(button->grab(), folder, QStringLiteral("controls_button_hover"));
    button->setFocus();
    mouse(QEvent::MouseButtonPress, Qt::LeftButton);
    saved = saved && savePicture(button->grab(), folder, QStringLiteral("controls_button_pressed"));
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    saved = saved && savePicture(button->grab(), folder, QStringLiteral("controls_button_focus"));
    button->setEnabled(false);
    saved = saved && savePicture(button->grab(), folder, QStringLiteral("controls_button_disabled"));
    button->setEnabled(true);
    button->setButtonType(controls::XPButtonDropDownType);
    button->setText(QStringLiteral("Options"));
    return saved && savePicture(button->grab(), folder, QStringLiteral("controls_button_dropdown"));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("Usage: compass-screenshots FOLDER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    return setupDialog(folder) && chartWindows(folder) && chartMenu(folder) && controlPictures(folder)
        && wizardPages(folder) ? 0 : 1;
}
