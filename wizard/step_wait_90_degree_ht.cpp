#include "wizard/step_wait_90_degree_ht.h"

#include "wizard/step_labels.h"
#include "wizard/wait_conditions.h"

#include <QGridLayout>
#include <QLabel>

namespace wizard {

StepWait90DegreeHT::StepWait90DegreeHT(platform::Platform &platform, Threshold threshold, QWidget *parent)
    : TemperatureWaitStep(platform, std::move(threshold), parent)
{
    setObjectName(QStringLiteral("StepRefWait90DegreeHT1"));
    setInstruction(QString(), "lblDetail");
    setWarningText(tr("WARNING: BOARD ISN'T AT 90°. PLEASE ROLL IT TO 90° TO CONTINUE"));
    m_lblWarnTemp = MakeColouredLabel(QString(), "lblWarnTemp", QColor(255, 128, 0), this);
    QFont bold = m_lblWarnTemp->font();
    bold.setBold(true);
    m_lblWarnTemp->setFont(bold);
    m_lblWarnTemp->setWordWrap(true);
    detailGrid()->addWidget(m_lblWarnTemp, 0, 0);
}

QString StepWait90DegreeHT::StepText() const
{
    return tr("High Temperature Z Calibration");
}

void StepWait90DegreeHT::prepare()
{
    m_lblWarnTemp->setText(tr("WARNING: TEMPERATURE UNDER ") + QStringLiteral("40") + tr("°C, HEAT UP BOARD"));
    setInstruction(tr("Keep board temperature over ") + QStringLiteral("40")
                       + tr("°C and rotated in 90° to continue next step."),
                   "lblDetail");
}

bool StepWait90DegreeHT::attitudeRight(float pitch, float roll, float threshold) const
{
    return IsAt90Degrees(pitch, roll, threshold);
}

bool StepWait90DegreeHT::temperatureReady(float temperature)
{
    const bool warm = temperature >= WaitLimits::ZMinimumTemperature;
    m_lblWarnTemp->setVisible(!warm);
    return warm;
}

} // namespace wizard
