#include "device/cls_compass.h"

#include "device/menu_replies.h"
#include "protocol/menu_protocol.h"

namespace device {

namespace {
namespace Key = protocol::Key;

// The keys after which the compass prints its calibration progress.
bool isCalibrationKey(char key)
{
    return key == Key::LevelCalibration || key == Key::ZCalibration || key == Key::HighTempLevelCal ||
           key == Key::HighTemp90Cal;
}
} // namespace

void clsCompass::ProcessReply(const std::string &line)
{
    if (m_lastKeySent.size() == 1 && protocol::IsKeyEcho(line, m_lastKeySent.front())) {
        m_versionExpected = m_lastKeySent.front() == Key::Version;
        m_calibrationAcknowledged = isCalibrationKey(m_lastKeySent.front());
        m_keyAcknowledged = true;
        m_keyEchoed = true;
        m_lastKeySent.clear();
        // A reply counts from the echo on, even when it came in the same chunk.
        m_lastReplyLine.clear();
        return;
    }
    m_lastReplyLine = line;

    if (protocol::IsFactoryNotice(line)) {
        m_mode = 2;
        m_versionExpected = false;
        m_calibrationAcknowledged = false;
    }
    if (auto value = ValuePromptValue(line, m_platform.separators.numberByte())) {
        m_versionExpected = false;
        m_calibrationAcknowledged = false;
        m_promptValue = std::move(*value);
        m_valuePromptSeen = true;
    }
    if (protocol::IsCalibrationProgress(line) && m_calibrationAcknowledged)
        m_skipToLineEnd = true;
    if (m_versionExpected)
        ReadVersion(line);
}

// Every line counts until something else clears the expectation.
void clsCompass::ReadVersion(const std::string &line)
{
    const protocol::VersionLine version = protocol::ReadVersionLine(line);
    if (version.Model)
        m_partNumber = *version.Model;
    if (version.FirmwareVersion)
        m_firmwareVersion = *version.FirmwareVersion;
    if (version.SerialNumber)
        m_sn = *version.SerialNumber;
}

} // namespace device
