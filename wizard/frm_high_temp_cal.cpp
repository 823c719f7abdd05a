#include "wizard/frm_high_temp_cal.h"

#include "controls/busy_pointer.h"
#include "controls/xp_button.h"
#include "device/cls_automation.h"
#include "device/cls_compass.h"
#include "device/factory_space_compass.h"
#include "wizard/ref_cal_step.h"
#include "wizard/step_labels.h"
#include "wizard/step_wait_90_degree_ht.h"
#include "wizard/step_wait_level_ht.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace wizard {

namespace {
controls::XPButton *makeButton(const QString &caption, const char *objectName, QWidget *parent)
{
    auto *button = new controls::XPButton(caption, objectName, parent);
    button->setMinimumSize(80, 25);
    return button;
}
} // namespace

frmHighTempCal::frmHighTempCal(WizardHost &host, QWidget *parent)
    : QDialog(parent), m_host(host), m_platform(host.platform())
{
    setObjectName(QStringLiteral("frmHighTempCal"));
    setWindowTitle(tr("High Temp Calibration"));
    setFont(QFont(QStringLiteral("Verdana"), 8));

    m_lblStep = MakeLabel(tr("STEP 1"), "lblStep", this);
    QFont heading = m_lblStep->font();
    heading.setBold(true);
    heading.setPointSize(11);
    m_lblStep->setFont(heading);
    m_lblStepDesc = MakeLabel(QString(), "lblStepDesc", this);
    QFont title = m_lblStepDesc->font();
    title.setBold(true);
    m_lblStepDesc->setFont(title);

    const auto threshold = [&host] { return host.refAngleThreshold(); };
    m_step1 = new StepWaitLevelHT(m_platform, threshold, this);
    m_step2 = new StepRefLevelCal(m_platform, this);
    m_step3 = new StepWait90DegreeHT(m_platform, threshold, this);
    m_step4 = new StepRefZCal(m_platform, this);

    m_frStepRefFinal = new QFrame(this);
    m_frStepRefFinal->setObjectName(QStringLiteral("frStepRefFinal"));
    m_frStepRefFinal->setAutoFillBackground(true);
    QLabel *done = MakeLabel(tr("Compass Successfully Calibrated for High Temp!"), "lblFinal1", m_frStepRefFinal);
    done->setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
    QLabel *goOn = MakeLabel(tr("Now, close this dialog to continue the configuration."), "lblFinal2",
                             m_frStepRefFinal);
    auto *finalLayout = new QVBoxLayout(m_frStepRefFinal);
    finalLayout->addStretch();
    finalLayout->addWidget(done, 0, Qt::AlignCenter);
    finalLayout->addWidget(goOn, 0, Qt::AlignCenter);
    finalLayout->addStretch();

    // The steps lie on top of one another; the one shown is brought to the front.
    auto *stack = new QGridLayout;
    for (QWidget *page : {static_cast<QWidget *>(m_step1), static_cast<QWidget *>(m_step2),
                          static_cast<QWidget *>(m_step3), static_cast<QWidget *>(m_step4),
                          static_cast<QWidget *>(m_frStepRefFinal)}) {
        stack->addWidget(page, 0, 0);
        page->hide();
    }

    m_cmdBack = makeButton(tr("Back"), "cmdBack", this);
    m_cmdNext = makeButton(tr("Next"), "cmdNext", this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdBack);
    buttons->addWidget(m_cmdNext);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblStep);
    layout->addWidget(m_lblStepDesc);
    layout->addLayout(stack, 1);
    layout->addWidget(line);
    layout->addLayout(buttons);
    resize(560, 400);

    connect(m_cmdNext, &QAbstractButton::clicked, this, &frmHighTempCal::cmdNext_Click);
    connect(m_cmdBack, &QAbstractButton::clicked, this, &frmHighTempCal::cmdBack_Click);
    for (std::int16_t n = 1; n < FinalPage; ++n)
        connect(step(n), &WizardStep::OnStepDone, this, [this, n] { onStepDone(n); });
}

frmHighTempCal::~frmHighTempCal() = default;

WizardStep *frmHighTempCal::step(std::int16_t n) const
{
    switch (n) {
    case 1: return m_step1;
    case 2: return m_step2;
    case 3: return m_step3;
    case 4: return m_step4;
    default: return nullptr;
    }
}

void frmHighTempCal::Form_Load()
{
    m_automation = std::make_unique<device::clsAutomation>(m_platform);
    m_currentStep = 1;
    runOperation([this] { showStep(1); });
}

bool frmHighTempCal::busy() const
{
    // A click that arrives while a command waits for the compass would
    // replace or leave the step under the command's feet.
    return m_operationDepth > 0 || (m_refCompass && m_refCompass->CommandRunning());
}

void frmHighTempCal::cmdNext_Click()
{
    if (busy() || !m_cmdNext->isEnabled())
        return;
    runOperation([this] { next(); });
}

void frmHighTempCal::cmdBack_Click()
{
    if (busy() || !m_cmdBack->isEnabled())
        return;
    runOperation([this] { back(); });
}

void frmHighTempCal::onStepDone(std::int16_t n)
{
    // A step that is no longer shown has no say in where the wizard goes.
    if (n != m_currentStep)
        return;
    if (m_operationDepth > 0) {
        m_heldDone = n;
        return;
    }
    m_cmdNext->setEnabled(true);
    runOperation([this] { next(); });
}

void frmHighTempCal::runOperation(const std::function<void()> &operation)
{
    ++m_operationDepth;
    operation();
    --m_operationDepth;
    while (m_operationDepth == 0 && m_heldDone != 0) {
        const std::int16_t held = m_heldDone;
        m_heldDone = 0;
        if (held != m_currentStep || m_closed)
            break;
        m_cmdNext->setEnabled(true);
        ++m_operationDepth;
        next();
        --m_operationDepth;
    }
}

void frmHighTempCal::done(int result)
{
    m_closed = true;
    QDialog::done(result);
}

void frmHighTempCal::keyPressEvent(QKeyEvent *event)
{
    // Esc would end a running calibration without its stopping blank and leave
    // the compass in its factory space: only Close and the close box end the wizard.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmHighTempCal::next()
{
    controls::BusyPointer hourglass;
    if (m_currentStep == FinalPage) {
        accept();
        return;
    }
    WizardStep *current = step(m_currentStep);
    if (!current->ValidateStep())
        return;
    current->OnValidatedStep();
    ++m_currentStep;
    showStep(m_currentStep);
}

void frmHighTempCal::back()
{
    // Back is offered on steps 2 to 4 only; from 3 it skips the calibration of step 2.
    controls::BusyPointer hourglass;
    step(m_currentStep)->RollBack();
    m_currentStep = m_currentStep == 3 ? 1 : m_currentStep - 1;
    showStep(m_currentStep);
}

void frmHighTempCal::showStep(std::int16_t n)
{
    prepareStep(n);
    QWidget *page = n == FinalPage ? static_cast<QWidget *>(m_frStepRefFinal) : step(n);
    // Only the page in front is shown, so Tab never reaches a step behind it.
    for (std::int16_t other = 1; other <= FinalPage; ++other) {
        QWidget *otherPage = other == FinalPage ? static_cast<QWidget *>(m_frStepRefFinal) : step(other);
        if (otherPage != page)
            otherPage->hide();
    }
    page->show();
    page->raise();
    m_lblStepDesc->setText(n == FinalPage ? tr("Calibration Successfully!") : step(n)->StepText());
    m_lblStep->setText(tr("WIZARD STEP ") + QString::number(n));
    m_cmdBack->setEnabled(n >= 2 && n != FinalPage);
    m_cmdNext->setEnabled(true);
    initializedStep(n);
}

void frmHighTempCal::prepareReferenceCompass()
{
    m_refCompass = &m_host.replaceCompass(std::make_unique<device::clsCompass>(m_platform));
    device::StartInFactorySpace(*m_refCompass, m_host.port(), m_host.storedSerialSettings(), m_platform.messages);
}

void frmHighTempCal::prepareStep(std::int16_t n)
{
    device::clsAutomation *automation = m_automation.get();
    switch (n) {
    case 1:
        prepareReferenceCompass();
        m_step1->InitializeStep(m_refCompass, automation);
        m_step1->setDoneDelay(WaitStepDoneDelay);
        break;
    case 2:
        m_step2->setHTCalibration(true);
        m_step2->InitializeStep(m_refCompass, automation);
        break;
    case 3:
        m_step3->InitializeStep(m_refCompass, automation);
        m_step3->setDoneDelay(WaitStepDoneDelay);
        break;
    case 4:
        m_step4->setHTCalibration(true);
        m_step4->InitializeStep(m_refCompass, automation);
        break;
    case FinalPage:
        m_cmdBack->setEnabled(false);
        m_cmdNext->setEnabled(true);
        m_cmdNext->setText(tr("Close"));
        m_refCompass->CmdSwitchFlashZone();
        m_refCompass->CmdRestoreDefaults();
        break;
    }
}

void frmHighTempCal::initializedStep(std::int16_t n)
{
    switch (n) {
    case 1:
        m_step1->InitializedStep();
        break;
    case 2:
        m_step2->InitializedStep();
        m_cmdNext->setFocus();
        m_step2->setFocus();
        m_step2->SetStopFocus();
        break;
    case 3:
        m_step3->InitializedStep();
        m_cmdNext->setFocus();
        break;
    case 4:
        m_step4->InitializedStep();
        m_step4->SetStopFocus();
        break;
    case FinalPage:
        m_cmdNext->setFocus();
        break;
    }
}

} // namespace wizard
