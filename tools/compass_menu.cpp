// The escape-key menu of CompassSimulator: what each byte from the host does.
#include "tools/compass_simulator.h"

#include "tools/menu_keys.h"

#include <cstdlib>

namespace compass_sim {

namespace {

constexpr char Esc = 27;
constexpr char Cr = 13;
constexpr char Lf = 10;
constexpr char Blank = ' ';
// Longer entries are not echoed or kept: the value buffer stays bounded.
constexpr std::size_t MaxValueLength = 32;
constexpr int SoftIronHeadings = 4;

} // namespace

void CompassSimulator::receive(std::string_view bytes)
{
    for (char c : bytes) {
        m_received.push_back({m_now, c});
        m_lastByteAt = m_now;
        onByte(c);
    }
}

void CompassSimulator::openMenu()
{
    m_mode = Mode::AwaitKey;
    send("CMD:");
}

void CompassSimulator::onByte(char c)
{
    const bool escape = static_cast<unsigned char>(c) == m_escapeCode;
    switch (m_mode) {
    case Mode::Data:
        if (escape)
            openMenu();
        return;
    case Mode::AwaitKey:
        if (escape)
            send("\r\nCMD:");
        else if (c != Cr && c != Lf)
            onKey(c);
        return;
    case Mode::Value:
        onValueByte(c);
        return;
    case Mode::FixedText:
        onFixedTextByte(c);
        return;
    case Mode::AwaitBlank:
        if (c == Blank)
            finishCommand();
        else if (escape)
            openMenu();
        return;
    case Mode::BridgeCalibration:
        if (c == Blank)
            finishCommand();
        return;
    case Mode::SoftIronCalibration:
        if (c == Blank && ++m_softIronPoints == SoftIronHeadings) {
            activeSettings().set("SOFTIRONCORRECTION", "1");
            finishCommand();
        }
        return;
    }
}

void CompassSimulator::onKey(char key)
{
    m_key = key;
    m_value.clear();
    send(std::string(1, key) + "\r\n");
    if (findValueKey(key)) {
        m_mode = Mode::Value;
        send("Value and Enter, or Esc ");
        return;
    }
    if (isFixedTextKey(key)) {
        m_mode = Mode::FixedText;
        return;
    }
    if (isBridgeCalibrationKey(key)) {
        startCalibration(Mode::BridgeCalibration);
        return;
    }
    const Readings &measured = readings();
    ModuleSettings &space = activeSettings();
    switch (key) {
    case 'P':
        space.setNumber("DEPTH_OFFSET", measured.depth);
        m_mode = Mode::AwaitBlank;
        return;
    case 'G':
        space.setNumber("GYR_X_OFFSET", measured.gyroX);
        space.setNumber("GYR_Y_OFFSET", measured.gyroY);
        space.setNumber("GYR_Z_OFFSET", measured.gyroZ);
        m_mode = Mode::AwaitBlank;
        return;
    case 'T':
        space.pitchTrim = measured.pitch;
        space.rollTrim = measured.roll;
        send("Roll trim: " + formatDecimal(measured.roll, 1) + "  Pitch trim: " + formatDecimal(measured.pitch, 1) +
             "\r\n");
        m_mode = Mode::AwaitBlank;
        return;
    case '&':
        send(space.dump(m_gyroFitted));
        m_mode = Mode::AwaitBlank;
        return;
    case 'V':
        send(versionLine() + "\r\n");
        m_mode = Mode::AwaitBlank;
        return;
    case '#':
        m_inFactory = !m_inFactory;
        send(m_inFactory ? "FACTORY \r\n" : "USER \r\n");
        finishCommand();
        return;
    case 'F':
        m_user = m_factory;
        finishCommand();
        return;
    default:
        send("?\r\n");
        finishCommand();
        return;
    }
}

void CompassSimulator::onValueByte(char c)
{
    if (c == Esc) {
        // Cancels the entry; a host that retries its key finds the menu open.
        send("\r\n");
        openMenu();
    } else if (c == Cr) {
        send("\r\n");
        applyValue();
    } else if (c != Lf && m_value.size() < MaxValueLength) {
        m_value += c;
        send(std::string(1, c));
    }
}

void CompassSimulator::onFixedTextByte(char c)
{
    m_value += c;
    send(std::string(1, c));
    if (m_value.size() < FixedTextLength)
        return;
    send("\r\n");
    activeSettings().set(m_key == '[' ? "SERIAL_NUMBER" : "TEST_DATE", m_value);
    finishCommand();
}

void CompassSimulator::applyValue()
{
    const ValueKey &key = *findValueKey(m_key);
    const auto accepted = acceptValue(key, m_value);
    if (!accepted || (key.target == ValueTarget::DumpSetting && m_refused.count(key.setting))) {
        // The module keeps the old value; the echo already showed what came.
        finishCommand();
        return;
    }
    if (key.key == '$' && *accepted == "2") {
        m_softIronPoints = 0;
        startCalibration(Mode::SoftIronCalibration);
        return;
    }
    ModuleSettings &space = activeSettings();
    const int whole = std::atoi(accepted->c_str());
    switch (key.target) {
    case ValueTarget::DumpSetting:
        space.set(key.setting, *accepted);
        break;
    case ValueTarget::AccelerometerRange:
        space.accelerometerRange = whole;
        break;
    case ValueTarget::QuietMode:
        space.quietMode = whole != 0;
        break;
    case ValueTarget::CalibrationDays:
        space.calibrationDays = whole;
        break;
    case ValueTarget::EscapeCode:
        m_escapeCode = whole;
        break;
    }
    finishCommand();
}

void CompassSimulator::startCalibration(Mode mode)
{
    m_mode = mode;
    m_nextReport = m_now + CalibrationReportMs;
}

} // namespace compass_sim
