#include "wizard/ref_cal_step.h"

#include "controls/xp_button.h"
#include "device/cls_automation.h"
#include "device/cls_compass.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace wizard {

namespace {
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);
constexpr int ProgressWidth = 133;
constexpr int ProgressHeight = 14;

// The command progress bar: a blue diagonal hatch.
class HatchBar : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QBrush(Blue, Qt::BDiagPattern));
    }
};

QLabel *makeLabel(const QString &text, const char *objectName, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(objectName));
    return label;
}

QLabel *redLabel(const QString &text, const char *objectName, int pointSize, QWidget *parent)
{
    QLabel *label = makeLabel(text, objectName, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Red);
    label->setPalette(palette);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSize(pointSize);
    label->setFont(font);
    return label;
}

const RefCalKind LevelCalibration{
    QT_TRANSLATE_NOOP("wizard::RefCalStep", "Reference Compass Level Calibration"),
    "frStepLevelCal",
    QT_TRANSLATE_NOOP("wizard::RefCalStep",
                      "Rotate the board 360°, make sure Roll and Pich < 5°. When it's done please hit the Manual "
                      "Stop button to finish the calibration, or hit Next."),
    QT_TRANSLATE_NOOP("wizard::RefCalStep", "Can't start Level Calibration on Reference Compass"),
    QT_TRANSLATE_NOOP("wizard::RefCalStep",
                      "Would you like to complete the Level Calibration? Click yes to continue"),
    true,
    &device::clsCompass::CmdStartLevelCalibration,
    &device::clsCompass::CmdStartHighTempLevelCal,
};

const RefCalKind ZCalibration{
    QT_TRANSLATE_NOOP("wizard::RefCalStep", "Reference Compass Z Calibration"),
    "frStepZCal",
    QT_TRANSLATE_NOOP("wizard::RefCalStep",
                      "Rotate the board 360°. Make sure Roll is 90° +/- 5° degrees and Pitch < 5°. When it's done "
                      "please hit the Manual Stop button to finish the calibration, or hit Next."),
    QT_TRANSLATE_NOOP("wizard::RefCalStep", "Can't start 90° Calibration on Reference Compass"),
    QT_TRANSLATE_NOOP("wizard::RefCalStep", "Would you like to complete Z Calibration?"),
    false,
    &device::clsCompass::CmdStart90DegreeCal,
    &device::clsCompass::CmdStartHighTemp90DegreeCal,
};
} // namespace

RefCalStep::RefCalStep(platform::Platform &platform, const RefCalKind &kind, QWidget *parent)
    : WizardStep(parent), m_platform(platform), m_kind(kind), m_tmrShowData(platform.timers.createTimer())
{
    setAutoFillBackground(true);
    m_frame = new QFrame(this);
    m_frame->setObjectName(QLatin1String(kind.frameName));

    QLabel *instruction = makeLabel(tr(kind.instruction), "Label17", m_frame);
    instruction->setWordWrap(true);

    m_cmdSpaceCmd = new controls::XPButton(tr("Manual Stop"), m_frame);
    m_cmdSpaceCmd->setObjectName(QStringLiteral("cmdSpaceCmd"));
    m_cmdSpaceCmd->setMinimumSize(100, 25);

    m_frHTLabels = new QWidget(m_frame);
    m_frHTLabels->setObjectName(QStringLiteral("frHTLabels"));
    auto *htLayout = new QVBoxLayout(m_frHTLabels);
    htLayout->setContentsMargins(0, 0, 0, 0);
    htLayout->addWidget(redLabel(tr("HT"), "Label1", 16, m_frHTLabels), 0, Qt::AlignCenter);
    htLayout->addWidget(redLabel(tr("High Temperature"), "Label2", 8, m_frHTLabels), 0, Qt::AlignCenter);

    m_txtInput = new QPlainTextEdit(m_frame);
    m_txtInput->setObjectName(QStringLiteral("txtInput"));
    m_txtInput->setReadOnly(true);
    m_txtInput->setAccessibleName(tr("Reference compass output"));
    m_txtInput->setFont(QFont(QStringLiteral("Lucida Console"), 8));

    m_frCmdPrg = new QFrame(m_frame);
    m_frCmdPrg->setObjectName(QStringLiteral("frCmdPrg"));
    auto *label23 = makeLabel(tr("Out Commands"), "Label23", m_frCmdPrg);
    m_lblCmdProgress = makeLabel(tr("Compass 5/8"), "lblCmdProgress", m_frCmdPrg);
    m_shpCmdPrg1 = new QFrame(m_frCmdPrg);
    m_shpCmdPrg1->setObjectName(QStringLiteral("shpCmdPrg1"));
    m_shpCmdPrg1->setFrameShape(QFrame::Box);
    m_shpCmdPrg1->setFixedSize(ProgressWidth, ProgressHeight);
    m_shpCmdPrg2 = new HatchBar(m_shpCmdPrg1);
    m_shpCmdPrg2->setObjectName(QStringLiteral("shpCmdPrg2"));
    m_shpCmdPrg2->setGeometry(0, 0, 0, ProgressHeight);
    auto *progress = new QHBoxLayout(m_frCmdPrg);
    progress->addWidget(label23);
    progress->addWidget(m_shpCmdPrg1);
    progress->addWidget(m_lblCmdProgress);
    progress->addStretch();
    m_frCmdPrg->hide();

    auto *top = new QHBoxLayout;
    top->addWidget(instruction, 1);
    top->addWidget(m_frHTLabels);
    auto *stop = new QHBoxLayout;
    stop->addWidget(m_frCmdPrg, 1);
    stop->addStretch();
    stop->addWidget(m_cmdSpaceCmd);
    auto *layout = new QVBoxLayout(m_frame);
    layout->addLayout(top);
    layout->addWidget(m_txtInput, 1);
    layout->addLayout(stop);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_frame);

    m_tmrShowData->setInterval(ShowDataMs);
    m_tmrShowData->setEnabled(false);
    m_tmrShowData->setTickHandler([this] { tmrShowData_Timer(); });
    connect(m_cmdSpaceCmd, &QAbstractButton::clicked, this, &RefCalStep::cmdSpaceCmd_Click);
}

RefCalStep::~RefCalStep() = default;

QString RefCalStep::StepText() const
{
    return tr(m_kind.stepText);
}

void RefCalStep::setHTCalibration(bool on)
{
    m_htCalibration = on;
    m_frHTLabels->setVisible(on);
}

void RefCalStep::SetStopFocus()
{
    m_cmdSpaceCmd->setFocus();
}

bool RefCalStep::isShowingData() const
{
    return m_tmrShowData->isEnabled();
}

bool RefCalStep::progressFull() const
{
    return m_shpCmdPrg2->width() == m_shpCmdPrg1->width();
}

void RefCalStep::setProgressFull(bool full)
{
    m_shpCmdPrg2->setGeometry(0, 0, full ? m_shpCmdPrg1->width() : 0, ProgressHeight);
}

void RefCalStep::InitializeStep(device::clsCompass *&RefCompass, device::clsAutomation *&Automation)
{
    m_base.InitializeStep(RefCompass, Automation);
    m_cmdSpaceCmd->setEnabled(false);
    m_txtInput->clear();
    m_frame->setCursor(Qt::WaitCursor);
    m_frCmdPrg->show();
    setProgressFull(false);
    m_lblCmdProgress->setText(tr("Compass ") + QStringLiteral("0") + QStringLiteral("/1"));

    device::clsCompass &compass = *m_base.RefCompass();
    if (compass.Status() == device::LinkStatus::Alive) {
        compass.CmdSpace();
        setProgressFull(true);
        if (m_kind.factoryZoneFirst)
            compass.CmdSetFactoryZone();
        const bool started = (compass.*(m_htCalibration ? m_kind.startHighTemp : m_kind.start))();
        if (started)
            m_calibrating = true;
        else
            m_platform.messages.show(tr(m_kind.startFailure), platform::MessageIcon::Exclamation);
    } else {
        m_platform.messages.show(tr("Warning: Reference Compass isn't in Alive status. Current status is: ")
                                     + compass.StatusStr(),
                                 platform::MessageIcon::Exclamation);
    }

    m_frCmdPrg->hide();
    m_cmdSpaceCmd->setEnabled(true);
    m_base.BoardAutomation()->RotateBoard360();
    m_frame->unsetCursor();
}

void RefCalStep::InitializedStep()
{
    m_base.RefCompass()->HoldsBuffer = true;
    m_tmrShowData->setEnabled(true);
}

void RefCalStep::tmrShowData_Timer()
{
    const QString fresh = QString::fromLatin1(m_base.RefCompass()->InputBuffer());
    QString text = m_txtInput->toPlainText() + fresh;
    if (text.size() > OutputLimit)
        text.clear();
    m_txtInput->setPlainText(text);
    m_txtInput->moveCursor(QTextCursor::End);
    m_txtInput->verticalScrollBar()->setValue(m_txtInput->verticalScrollBar()->maximum());
}

void RefCalStep::cmdSpaceCmd_Click()
{
    m_calibrating = false;
    m_base.RefCompass()->CmdSpace();
    m_cmdSpaceCmd->setEnabled(false);
    emit OnStepDone();
}

bool RefCalStep::ValidateStep()
{
    if (!m_base.ValidateStep())
        return false;
    if (!m_calibrating)
        return true;
    return m_platform.messages.show(tr(m_kind.completeQuestion), platform::MessageIcon::Question,
                                    platform::MessageButtons::YesNo)
           == platform::MessageResult::Yes;
}

void RefCalStep::stopShowingData()
{
    m_tmrShowData->setEnabled(false);
    m_base.RefCompass()->HoldsBuffer = false;
}

void RefCalStep::OnValidatedStep()
{
    device::clsCompass &compass = *m_base.RefCompass();
    if (compass.Status() == device::LinkStatus::Alive) {
        compass.CmdSpace();
        m_calibrating = false;
    }
    stopShowingData();
}

void RefCalStep::RollBack()
{
    m_base.RefCompass()->CmdSpace();
    // The compass may be replaced before the step is shown again: stop reading it.
    stopShowingData();
}

StepRefLevelCal::StepRefLevelCal(platform::Platform &platform, QWidget *parent)
    : RefCalStep(platform, LevelCalibration, parent)
{
    setObjectName(QStringLiteral("StepRefLevelCalHT1"));
}

StepRefZCal::StepRefZCal(platform::Platform &platform, QWidget *parent)
    : RefCalStep(platform, ZCalibration, parent)
{
    setObjectName(QStringLiteral("StepRefZCalHT1"));
}

} // namespace wizard
