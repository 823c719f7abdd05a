#include "device/cls_compass.h"

#include "device/menu_replies.h"

namespace device {

namespace {
bool isCalibrationKey(const std::string &key)
{
    return key == "C" || key == "Z" || key == "(" || key == ")";
}
} // namespace

void clsCompass::ProcessReply(const std::string &line)
{
    if (IsKeyEcho(line, m_lastKeySent)) {
        m_versionExpected = m_lastKeySent == "V";
        m_calibrationAcknowledged = isCalibrationKey(m_lastKeySent);
        m_keyAcknowledged = true;
        m_keyEchoed = true;
        m_lastKeySent.clear();
        // A reply counts from the echo on, even when it came in the same chunk.
        m_lastReplyLine.clear();
        return;
    }
    m_lastReplyLine = line;

    if (line == MenuText::FactoryNotice) {
        m_mode = 2;
        m_versionExpected = false;
        m_calibrationAcknowledged = false;
    }
    if (auto value = ValuePromptValue(line, DecimalSeparator())) {
        m_versionExpected = false;
        m_calibrationAcknowledged = false;
        m_promptValue = std::move(*value);
        m_valuePromptSeen = true;
    }
    if (line == MenuText::CalibrationProgress && m_calibrationAcknowledged)
        m_skipToLineEnd = true;
    if (m_versionExpected)
        ReadVersion(line);
}

// Every line counts until something else clears the expectation.
void clsCompass::ReadVersion(const std::string &line)
{
    const VersionLine version = ReadVersionLine(line);
    if (version.PartNumber)
        m_partNumber = *version.PartNumber;
    if (version.FirmwareVersion)
        m_firmwareVersion = *version.FirmwareVersion;
    if (version.SN)
        m_sn = *version.SN;
}

} // namespace device
