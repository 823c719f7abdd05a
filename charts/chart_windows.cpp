#include "charts/chart_windows.h"

#include "controls/xp_button.h"

namespace charts {

namespace {

const QColor red(255, 0, 0);
const QColor orange(255, 128, 0);
const QColor pitchTrace(255, 128, 64);
const QColor green(0, 255, 0);
const QColor blue(0, 0, 255);

// Magnitude, X, Y and Z, named with the quantity's letter.
std::vector<ChartTrace> vectorTraces(const QString &letter)
{
    return {{letter, red, red},
            {letter + QStringLiteral("x"), orange, pitchTrace},
            {letter + QStringLiteral("y"), green, green},
            {letter + QStringLiteral("z"), blue, blue}};
}

ChartWindowSetup compassSetup()
{
    return {QStringLiteral("frmCmpGraph"),
            QStringLiteral("Compass Data Graph"),
            QStringLiteral("graphCmp"),
            QStringLiteral("Data"),
            {{QStringLiteral("Heading"), red, red},
             {QStringLiteral("Pitch"), orange, pitchTrace},
             {QStringLiteral("Roll"), green, green}},
            {0, 2, 1}};
}

ChartWindowSetup magneticSetup()
{
    return {QStringLiteral("frmMagGraph"),  QStringLiteral("Magnometer Mag Graph"),
            QStringLiteral("graphMag"),     QStringLiteral("Magnetic Field"),
            vectorTraces(QStringLiteral("M")), {0, 1, 2, 3}};
}

ChartWindowSetup accelerationSetup()
{
    return {QStringLiteral("frmAccGraph"),  QStringLiteral("Accelerometer Data Graph"),
            QStringLiteral("graphAcc"),     QStringLiteral("Acceleration (Normalized 1 G)"),
            vectorTraces(QStringLiteral("A")), {0, 1, 2, 3}};
}

} // namespace

frmCmpGraph::frmCmpGraph(QWidget *parent) : ChartWindow(compassSetup(), parent) {}

frmMagGraph::frmMagGraph(QWidget *parent) : ChartWindow(magneticSetup(), parent)
{
    m_cmdCalCheck = addButton(tr("Calibration Check"), "cmdCalCheck");
    m_cmdCalCheck->setAccessibleName(tr("Open the magnetic calibration check"));
}

frmAccGraph::frmAccGraph(QWidget *parent) : ChartWindow(accelerationSetup(), parent) {}

} // namespace charts
