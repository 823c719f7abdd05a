#include "wizard/temperature_wait_step.h"

#include "controls/reading_label.h"
#include "device/cls_automation.h"
#include "device/cls_compass.h"
#include "wizard/delayer.h"
#include "wizard/reading_text.h"
#include "wizard/step_labels.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace wizard {

namespace {
const QColor WarningRed(255, 0, 0);
const QString Degrees = QStringLiteral("°");
const QString DegreesCelsius = QStringLiteral("°C");

} // namespace

TemperatureWaitStep::TemperatureWaitStep(platform::Platform &platform, Threshold threshold, QWidget *parent)
    : WizardStep(parent), m_platform(platform), m_threshold(std::move(threshold)),
      m_tmrSHTLShowData(platform.timers.createTimer())
{
    setAutoFillBackground(true);
    m_frStep = new QFrame(this);
    m_frStep->setObjectName(QStringLiteral("frStep"));

    auto *label60 = MakeLabel(tr("Reference Compass"), "Label60", m_frStep);
    label60->setFont(QFont(QStringLiteral("Arial"), 10, QFont::Bold));

    auto *readings = new QGridLayout;
    const auto addReading = [&](int row, const QString &caption, const char *captionName, const char *valueName) {
        QLabel *title = MakeLabel(caption, captionName, m_frStep);
        auto *value = new controls::ReadingLabel(caption.chopped(1), m_frStep);
        value->setObjectName(QLatin1String(valueName));
        value->setMinimumWidth(70);
        title->setBuddy(value);
        readings->addWidget(title, row, 0);
        readings->addWidget(value, row, 1);
        return value;
    };
    m_lblSHTLHeading = addReading(0, tr("Heading:"), "Label58", "lblSHTLHeading");
    m_lblSHTLPitch = addReading(1, tr("Pitch:"), "Label48", "lblSHTLPitch");
    m_lblSHTLRoll = addReading(2, tr("Roll:"), "Label56", "lblSHTLRoll");
    m_lblSHTLTemp = addReading(3, tr("Temp.:"), "Label62", "lblSHTLTemp");
    readings->setColumnStretch(2, 1);

    m_instruction = MakeLabel(QString(), "lblInstruction", m_frStep);
    m_instruction->setWordWrap(true);

    m_detailGrid = new QGridLayout;

    m_imgSHTLWarn = MakeLabel(QString(), "imgSHTLWarn", m_frStep);
    m_imgSHTLWarn->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(24, 24));
    m_lblSHTLWarn = MakeColouredLabel(QString(), "lblSHTLWarn", WarningRed, m_frStep);
    m_lblSHTLWarn->setWordWrap(true);
    QFont bold = m_lblSHTLWarn->font();
    bold.setBold(true);
    m_lblSHTLWarn->setFont(bold);
    auto *warning = new QHBoxLayout;
    warning->addWidget(m_imgSHTLWarn);
    warning->addWidget(m_lblSHTLWarn, 1);

    m_delayer1 = new Delayer(platform, m_frStep);
    m_delayer1->setObjectName(QStringLiteral("Delayer1"));
    m_delayer1->hide();

    auto *layout = new QVBoxLayout(m_frStep);
    layout->addWidget(label60);
    layout->addLayout(readings);
    layout->addWidget(m_instruction);
    layout->addLayout(m_detailGrid);
    layout->addLayout(warning);
    layout->addWidget(m_delayer1);
    layout->addStretch();
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_frStep);

    m_tmrSHTLShowData->setInterval(CheckMs);
    m_tmrSHTLShowData->setEnabled(false);
    m_tmrSHTLShowData->setTickHandler([this] { tmrSHTLShowData_Timer(); });
    connect(m_delayer1, &Delayer::TimeElapsed, this, &TemperatureWaitStep::finish);
}

TemperatureWaitStep::~TemperatureWaitStep() = default;

void TemperatureWaitStep::setWarningText(const QString &text)
{
    m_lblSHTLWarn->setText(text);
}

void TemperatureWaitStep::setInstruction(const QString &text, const char *objectName)
{
    m_instruction->setText(text);
    m_instruction->setObjectName(QLatin1String(objectName));
}

bool TemperatureWaitStep::isChecking() const
{
    return m_tmrSHTLShowData->isEnabled();
}

void TemperatureWaitStep::InitializeStep(device::clsCompass *&RefCompass, device::clsAutomation *&Automation)
{
    m_base.InitializeStep(RefCompass, Automation);
    prepare();
    m_tmrSHTLShowData->setEnabled(true);
    tmrSHTLShowData_Timer();
}

void TemperatureWaitStep::InitializedStep()
{
    m_base.BoardAutomation()->TiltBoard(tiltAngle());
}

bool TemperatureWaitStep::ValidateStep()
{
    return m_base.ValidateStep();
}

void TemperatureWaitStep::OnValidatedStep()
{
    m_tmrSHTLShowData->setEnabled(false);
    m_delayer1->Reset();
}

void TemperatureWaitStep::RollBack()
{
    // A step left with Back stops watching: the compass it reads may be
    // replaced before the step is shown again.
    m_tmrSHTLShowData->setEnabled(false);
    m_delayer1->Reset();
}

void TemperatureWaitStep::showReadings()
{
    const device::clsCompass &compass = *m_base.RefCompass();
    m_lblSHTLHeading->setText(ReadingText(m_platform, compass.Heading()) + Degrees);
    m_lblSHTLPitch->setText(ReadingText(m_platform, compass.Pitch()) + Degrees);
    m_lblSHTLRoll->setText(ReadingText(m_platform, compass.Roll()) + Degrees);
    m_lblSHTLTemp->setText(ReadingText(m_platform, compass.Temperature()) + DegreesCelsius);
}

void TemperatureWaitStep::tmrSHTLShowData_Timer()
{
    showReadings();
    const device::clsCompass &compass = *m_base.RefCompass();
    const bool attitude = attitudeRight(compass.Pitch(), compass.Roll(), m_threshold());
    m_lblSHTLWarn->setVisible(!attitude);
    m_imgSHTLWarn->setVisible(!attitude);
    const bool temperature = temperatureReady(compass.Temperature());
    if (!attitude || !temperature) {
        m_delayer1->Reset();
        m_delayer1->hide();
        return;
    }
    if (m_doneDelay == 0) {
        finish();
        return;
    }
    if (m_delayer1->IsRunning())
        return;
    m_delayer1->setDelay(m_doneDelay);
    m_delayer1->Start();
    m_delayer1->show();
}

void TemperatureWaitStep::finish()
{
    m_delayer1->Reset();
    m_tmrSHTLShowData->setEnabled(false);
    emit OnStepDone();
}

} // namespace wizard
