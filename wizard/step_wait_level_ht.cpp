#include "wizard/step_wait_level_ht.h"

#include "wizard/delayer.h"
#include "wizard/step_labels.h"

#include <QGridLayout>
#include <QLabel>

namespace wizard {

namespace {
const QColor MarkBlue(0, 0, 255);
const QColor OkGreen(0, 192, 0);
const QColor WaitingOrange(255, 128, 0);
} // namespace

StepWaitLevelHT::StepWaitLevelHT(platform::Platform &platform, Threshold threshold, QWidget *parent)
    : TemperatureWaitStep(platform, std::move(threshold), parent)
{
    setObjectName(QStringLiteral("StepRefWaitLevelHT1"));
    setInstruction(tr("Heat board to 55° C and wait until it get colder to 50°C. Keep the board leveled to "
                      "continue next step."),
                   "Label59");
    setWarningText(tr("WARNING: BOARD ISN'T LEVEL. PLEASE LEVEL IT TO CONTINUE"));

    m_lblSHTLMinTemp1 = MakeColouredLabel(QString(), "lblSHTLMinTemp1", MarkBlue, this);
    m_lblSHTLMinTemp2 = MakeColouredLabel(QString(), "lblSHTLMinTemp2", MarkBlue, this);
    m_lblSHTLMinTemp1OK = MakeColouredLabel(tr("OK"), "lblSHTLMinTemp1OK", OkGreen, this);
    m_lblSHTLMinTemp2OK = MakeColouredLabel(tr("OK"), "lblSHTLMinTemp2OK", OkGreen, this);
    QLabel *waiting = MakeColouredLabel(tr("WAITING FOR TEMPERATURE"), "lblSHTLWarn2", WaitingOrange, this);
    for (QLabel *label : {m_lblSHTLMinTemp1, m_lblSHTLMinTemp2, m_lblSHTLMinTemp1OK, m_lblSHTLMinTemp2OK, waiting}) {
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
    }
    m_lblSHTLMinTemp1OK->hide();
    m_lblSHTLMinTemp2OK->hide();

    QGridLayout *grid = detailGrid();
    grid->addWidget(m_lblSHTLMinTemp1, 0, 0);
    grid->addWidget(m_lblSHTLMinTemp1OK, 0, 1);
    grid->addWidget(m_lblSHTLMinTemp2, 1, 0);
    grid->addWidget(m_lblSHTLMinTemp2OK, 1, 1);
    grid->addWidget(waiting, 0, 2, 2, 1);
    grid->setColumnStretch(3, 1);
}

QString StepWaitLevelHT::StepText() const
{
    return tr("High Temp Level Calibration");
}

void StepWaitLevelHT::prepare()
{
    Delayer1()->hide();
    m_lblSHTLMinTemp1->setText(QStringLiteral("55") + QStringLiteral("°C"));
    m_lblSHTLMinTemp2->setText(QStringLiteral("50") + QStringLiteral("°C"));
    m_heat.reset();
    m_lblSHTLMinTemp1OK->hide();
    m_lblSHTLMinTemp2OK->hide();
}

bool StepWaitLevelHT::attitudeRight(float pitch, float roll, float threshold) const
{
    return IsLevel(pitch, roll, threshold);
}

bool StepWaitLevelHT::temperatureReady(float temperature)
{
    m_heat.sample(temperature);
    m_lblSHTLMinTemp1OK->setVisible(m_heat.heated());
    m_lblSHTLMinTemp2OK->setVisible(m_heat.cooled());
    return m_heat.heated() && m_heat.cooled();
}

bool StepWaitLevelHT::ValidateStep()
{
    if (!TemperatureWaitStep::ValidateStep())
        return false;
    if (m_heat.heated())
        return true;
    const auto answer = platformRef().messages.show(
        tr("Heat proccess is not completed, would you like to move next step anyway?") + QStringLiteral("\r\n\r\n")
            + tr("NOTE: Next step will return back if temperature goes down than minimun limit"),
        platform::MessageIcon::Question, platform::MessageButtons::YesNo);
    return answer == platform::MessageResult::Yes;
}

} // namespace wizard
