#include "logging/log_frame.h"

#include "controls/reading_label.h"
#include "controls/xp_button.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

namespace logging {

namespace {

// The cancel of the file dialog, reported like any other failure to open.
LogError dialogCancelled()
{
    return {int(QFileDevice::AbortError), LogFrame::tr("The file choice was cancelled.")};
}

QString describe(const LogError &error, const QString &numberCaption)
{
    return QStringLiteral("\r\n\r\n") + numberCaption + QString::number(error.number)
           + QStringLiteral(": ") + error.description;
}

CheckValue checkValue(const QCheckBox *box) { return CheckValue(box->checkState()); }

} // namespace

LogFrame::LogFrame(platform::Platform &platform, const platform::Instrument &horizon,
                   std::function<QString(int valueIndex)> labelText, QWidget *parent)
    : QGroupBox(tr("Log"), parent),
      m_platform(platform),
      m_session(LogValues{horizon, std::move(labelText)}, platform.separators.Number),
      m_tmrLogging(platform.timers.createTimer())
{
    setObjectName(QStringLiteral("Frame4"));
    buildControls();
    m_tmrLogging->setInterval(BlinkIntervalMs);
    m_tmrLogging->setEnabled(false);
    m_tmrLogging->setTickHandler([this] { tmrLogging_Tick(); });
    connect(m_cmdOpenLog, &QAbstractButton::clicked, this, &LogFrame::cmdOpenLog_Click);
    connect(m_cmdStartLog, &QAbstractButton::clicked, this, &LogFrame::cmdStartLog_Click);
}

void LogFrame::buildControls()
{
    m_cmdOpenLog = new controls::XPButton(tr("Open Log"), this);
    m_cmdOpenLog->setObjectName(QStringLiteral("cmdOpenLog"));
    m_cmdStartLog = new controls::XPButton(tr("Start Logging"), this);
    m_cmdStartLog->setObjectName(QStringLiteral("cmdStartLog"));
    m_cmdStartLog->setEnabled(false);
    m_chkLogDate = new QCheckBox(tr("Add Date"), this);
    m_chkLogDate->setObjectName(QStringLiteral("chkLogDate"));
    m_chkLogTime = new QCheckBox(tr("Add Time"), this);
    m_chkLogTime->setObjectName(QStringLiteral("chkLogTime"));
    m_lblLogFile = new controls::ReadingLabel(tr("Log file"), this);
    m_lblLogFile->setObjectName(QStringLiteral("lblLogFile"));
    m_lblLogFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblLogging = new QLabel(tr("Logging"), this);
    m_lblLogging->setObjectName(QStringLiteral("lblLogging"));
    m_lblLogging->setStyleSheet(QStringLiteral("color: red;"));
    m_lblLogging->hide();

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_cmdOpenLog, 0, 0);
    grid->addWidget(m_cmdStartLog, 0, 1);
    grid->addWidget(m_chkLogDate, 0, 2);
    grid->addWidget(m_chkLogTime, 0, 3);
    grid->addWidget(m_lblLogging, 0, 4);
    grid->addWidget(m_lblLogFile, 1, 0, 1, 5);
    grid->setColumnStretch(4, 1);
}

void LogFrame::cmdOpenLog_Click()
{
    if (m_session.isOpen())
        CloseLog();
    else
        OpenLog();
}

void LogFrame::OpenLog()
{
    platform::FileDialogRequest request;
    request.filter = tr("Text File (*.txt)|*.txt");
    request.pathMustExist = true;
    const auto chosen = m_platform.files.choose(request);
    const auto error = chosen ? m_session.open(*chosen) : std::optional<LogError>(dialogCancelled());
    if (error) {
        m_platform.messages.show(tr("There was an error opening file.") + describe(*error, tr("Erorr N° ")),
                                 platform::MessageIcon::Exclamation);
        return;
    }
    m_lblLogFile->setText(*chosen);
    m_cmdOpenLog->setText(tr("Close Log"));
    m_cmdStartLog->setEnabled(true);
}

void LogFrame::CloseLog()
{
    if (!m_session.isOpen())
        return;
    StopLogging();
    m_cmdOpenLog->setText(tr("Open Log"));
    m_cmdStartLog->setEnabled(false);
    m_lblLogFile->clear();
    m_session.close();
}

void LogFrame::cmdStartLog_Click()
{
    if (m_loggingActive) {
        StopLogging();
        return;
    }
    m_loggingActive = true;
    m_cmdStartLog->setText(tr("Stop Logging"));
    m_tmrLogging->setEnabled(true);
}

void LogFrame::StopLogging()
{
    m_loggingActive = false;
    m_cmdStartLog->setText(tr("Start Logging"));
    m_tmrLogging->setEnabled(false);
    m_lblLogging->hide();
}

void LogFrame::tmrLogging_Tick()
{
    // isHidden, not isVisible: the label blinks even while its window is not shown.
    m_lblLogging->setHidden(!m_lblLogging->isHidden());
}

void LogFrame::WriteLogLine(std::int32_t mask)
{
    if (!m_loggingActive)
        return;
    const CheckValue addDate = checkValue(m_chkLogDate);
    const CheckValue addTime = checkValue(m_chkLogTime);
    const QDateTime now = m_platform.clock.now();
    LogStamp stamp;
    if (addDate)
        stamp.date = m_platform.locale.formatDate(now.date());
    if (addTime)
        stamp.time = m_platform.locale.formatTime(now.time());
    if (const auto error = m_session.write(mask, addDate, addTime, stamp)) {
        // Stopped before the box opens: sentences keep coming while it is up,
        // and each would fail and open a box of its own.
        StopLogging();
        m_platform.messages.show(tr("There was an error writing log file. Log will now stop!")
                                     + describe(*error, tr("Errr N° ")),
                                 platform::MessageIcon::Exclamation);
    }
}

} // namespace logging
