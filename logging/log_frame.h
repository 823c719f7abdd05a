#pragma once
#include "logging/log_session.h"
#include "logging/sentence_log.h"
#include "platform/platform.h"

#include <QGroupBox>
#include <cstdint>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
namespace controls { class XPButton; }

namespace logging {

// The main window's "Log" frame: picks, opens and closes the log file, starts
// and stops logging, and writes a line for every sentence while logging.
class LogFrame : public QGroupBox, public SentenceLog {
    Q_OBJECT

public:
    static constexpr int BlinkIntervalMs = 1000;

    // `horizon` and `labelText` give the values of a line (see LogValues);
    // both must outlive the frame.
    LogFrame(platform::Platform &platform, const platform::Instrument &horizon,
             std::function<QString(int valueIndex)> labelText, QWidget *parent = nullptr);

    // SentenceLog
    bool LoggingActive() const override { return m_loggingActive; }
    void WriteLogLine(std::int32_t mask) override;

    void StopLogging();
    // Stops logging and closes the file, as Close Log does; nothing when none is open.
    void CloseLog();
    bool LogFileOpen() const { return m_session.isOpen(); }

    controls::XPButton *cmdOpenLog() const { return m_cmdOpenLog; }
    controls::XPButton *cmdStartLog() const { return m_cmdStartLog; }
    QCheckBox *chkLogDate() const { return m_chkLogDate; }
    QCheckBox *chkLogTime() const { return m_chkLogTime; }
    QLabel *lblLogFile() const { return m_lblLogFile; }
    QLabel *lblLogging() const { return m_lblLogging; }
    const platform::Timer &tmrLogging() const { return *m_tmrLogging; }

private:
    void buildControls();
    void cmdOpenLog_Click();
    void cmdStartLog_Click();
    void OpenLog();
    void tmrLogging_Tick();

    platform::Platform &m_platform;
    LogSession m_session;
    bool m_loggingActive = false;
    std::unique_ptr<platform::Timer> m_tmrLogging;

    controls::XPButton *m_cmdOpenLog = nullptr;
    controls::XPButton *m_cmdStartLog = nullptr;
    QCheckBox *m_chkLogDate = nullptr;
    QCheckBox *m_chkLogTime = nullptr;
    QLabel *m_lblLogFile = nullptr;
    QLabel *m_lblLogging = nullptr;
};

} // namespace logging
