#pragma once
#include "device/line_buffer.h"
#include "device/serial_line.h"
#include "platform/platform.h"
#include "protocol/compass_reading.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <string>

namespace device {

// Values of clsCompass::Status().
namespace LinkStatus {
constexpr std::int32_t NotUsed = 1;
constexpr std::int32_t Listening = 2;
constexpr std::int32_t Timeout = 3;
constexpr std::int32_t Alive = 4;
} // namespace LinkStatus

// One compass module on a serial port that a window owns. The object
// configures and opens that port, but the owner keeps its receive handler:
// while the object holds the port, the owner calls OnCom() for every event.
// Commands send menu keys, wait for the compass's echo and prompts (events
// keep running meanwhile) and report success as a boolean.
//
// One command exchange runs at a time: a command started while another one
// waits (from an event handler, say) returns false at once and sends nothing.
// The object must outlive any command it runs.
class clsCompass : public SerialLineSettings {
public:
    // No sign of life for longer than this makes the link time out.
    static constexpr std::uint32_t AliveTimeoutMs = 5000;
    // The raw copy keeps its newest half once it grows past its limit.
    static constexpr std::size_t RawBufferLimit = 2000;
    static constexpr std::size_t RawBufferKeep = 1000;

    explicit clsCompass(platform::Platform &platform);
    clsCompass(const clsCompass &) = delete;
    clsCompass &operator=(const clsCompass &) = delete;

    // --- link ---
    // Binds the object to the port; the binding cannot be undone.
    void SetCom(platform::SerialPort &ComObj);
    // Closes the port, configures it from ComPort .. ComParity and opens it.
    // False (status "Not Used") when unbound, when ComPort is not a port
    // number or when the port will not open.
    bool StartCompass();
    // Why the last StartCompass failed and what to do; empty when no reason is known.
    const QString &OpenFailureDetail() const { return m_openFailure; }
    void StopCompass();
    // The owner's receive handler calls this for every event of the port.
    void OnCom();

    // --- commands (true when the compass confirmed them) ---
    // Ends in the factory settings space: "#" toggles, so it is sent a second
    // time when the compass did not answer "FACTORY ".
    bool CmdSetFactoryZone();
    // One "#": back to the user settings space.
    bool CmdSwitchFlashZone();
    bool CmdShowFields(std::int16_t newVal);
    bool CmdSaveCalDate();
    bool CmdSaveCalDateStr();
    // False for a negative serial number.
    bool CmdSaveSN(std::int32_t theSN);
    bool CmdShowVersion();
    bool CmdStartLevelCalibration();
    bool CmdStart90DegreeCal();
    bool CmdSetTempOffset(float theOffset);
    bool CmdStartHighTempLevelCal();
    bool CmdStartHighTemp90DegreeCal();
    bool CmdRestoreDefaults();
    // Sends free text with its placeholders expanded (the caller's text is
    // replaced by the expansion), one character per 200 ms. False when
    // unbound or the port is closed.
    bool CmdCustomCommand(std::string &theCmd);
    // A blank: ends a running calibration.
    bool CmdSpace();
    bool CommandRunning() const { return m_commandRunning; }

    // --- properties ---
    std::int16_t Id = 0;
    bool HoldsBuffer = false;
    std::int16_t CmdTries = 1;
    // Raised after each data sentence has been read completely.
    std::function<void()> NewData;

    std::int32_t Status();
    QString StatusStr();
    // The identity asks the compass ("V") while the version is unknown.
    std::string FirmwareVersion();
    // "ND" when the compass did not tell.
    std::string SN();
    std::string PartNumber();
    std::int32_t Mode() const { return m_mode; }
    // The raw text received since the last call (kept while HoldsBuffer).
    std::string InputBuffer();

    float Heading() const { return static_cast<float>(m_reading.Heading); }
    float Roll() const { return static_cast<float>(m_reading.Roll); }
    float Pitch() const { return static_cast<float>(m_reading.Pitch); }
    float Temperature() const { return static_cast<float>(m_reading.Temperature); }
    float Depth() const { return static_cast<float>(m_reading.Depth); }
    float MagVector() const { return static_cast<float>(m_reading.MagVector); }
    float MagX() const { return static_cast<float>(m_reading.MagX); }
    float MagY() const { return static_cast<float>(m_reading.MagY); }
    float MagZ() const { return static_cast<float>(m_reading.MagZ); }
    float AccVector() const { return static_cast<float>(m_reading.AccVector); }
    float AccX() const { return static_cast<float>(m_reading.AccX); }
    float AccY() const { return static_cast<float>(m_reading.AccY); }
    float AccZ() const { return static_cast<float>(m_reading.AccZ); }
    float GyroVect() const { return static_cast<float>(m_reading.GyroVect); }
    float GyroX() const { return static_cast<float>(m_reading.GyroX); }
    float GyroY() const { return static_cast<float>(m_reading.GyroY); }
    std::int32_t SPIErr() const { return static_cast<std::int32_t>(m_reading.SPIErr); }
    std::int32_t LifeCount() const { return static_cast<std::int32_t>(m_reading.LifeCount); }
    bool HeadingPresent() const { return m_reading.HeadingPresent; }
    bool RollPresent() const { return m_reading.RollPresent; }
    bool PitchPresent() const { return m_reading.PitchPresent; }
    bool TemperaturePresent() const { return m_reading.TemperaturePresent; }
    bool DepthPresent() const { return m_reading.DepthPresent; }
    bool MagVectorPresent() const { return m_reading.MagVectorPresent; }
    bool MagXPresent() const { return m_reading.MagXPresent; }
    bool MagYPresent() const { return m_reading.MagYPresent; }
    bool MagZPresent() const { return m_reading.MagZPresent; }
    bool AccVectorPresent() const { return m_reading.AccVectorPresent; }
    bool AccXPresent() const { return m_reading.AccXPresent; }
    bool AccYPresent() const { return m_reading.AccYPresent; }
    bool AccZPresent() const { return m_reading.AccZPresent; }
    bool GyroVectPresent() const { return m_reading.GyroVectPresent; }
    bool GyroXPresent() const { return m_reading.GyroXPresent; }
    bool GyroYPresent() const { return m_reading.GyroYPresent; }
    bool SpiErrPresent() const { return m_reading.SpiErrPresent; }
    bool LifeCountPresent() const { return m_reading.LifeCountPresent; }

private:
    // What WaitReply saw.
    enum class Reply { None = 1, Line = 2, DataSentence = 3 };

    // link
    void CheckTimeout();
    void MarkAlive();
    void KeepRaw(const std::string &text);
    void ProcessLine(const std::string &line);
    void ParseDataSentence(const std::string &line);
    void ProcessReply(const std::string &line);
    void ReadVersion(const std::string &line);

    // sending
    template <typename Exchange> bool RunExchange(Exchange exchange);
    bool PortOpen() const;
    bool Send(std::string_view text);
    bool SendCmd(char key);
    bool SendValueCmd(char key, const std::string &value);
    bool SendTextCmd(char key, const std::string &text);
    Reply WaitReply();
    bool SendSpace();
    bool ShowVersion();
    bool SetFactoryZone();
    QString MonthAbbreviation(int month) const;

    platform::Platform &m_platform;
    platform::SerialPort *m_port = nullptr;

    std::int32_t m_status = LinkStatus::NotUsed;
    QString m_openFailure;
    platform::Tick m_lastActivity = 0;
    LineBuffer m_lines;
    bool m_skipToLineEnd = false;
    // The CR that ended a skip came last in its chunk; its LF is still due.
    bool m_lfAfterSkip = false;
    std::string m_raw;

    std::string m_firmwareVersion, m_sn, m_partNumber;
    std::int32_t m_mode = 0;
    protocol::CompassReading m_reading;

    bool m_commandRunning = false;
    std::string m_lastKeySent;
    std::string m_lastReplyLine;
    std::string m_promptValue;
    bool m_keyAcknowledged = false;
    bool m_keyEchoed = false;
    bool m_versionExpected = false;
    bool m_calibrationAcknowledged = false;
    bool m_valuePromptSeen = false;
};

} // namespace device
