#pragma once
#include "app/receive_path.h"
#include "app/sentence_parser.h"
#include "device/cls_compass.h"
#include "platform/platform.h"
#include "protocol/console_state.h"
#include "protocol/setting_table.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace compass_ctl {

// What the module's version line ("V") told.
struct ModuleIdentity {
    std::string model;
    std::string firmwareVersion;
    std::string serialNumber;
};

// One module on one port, as the program talks to it: the compass object opens
// the port and asks for the version; the program's receive path cuts lines and
// hands the dump to the settings parser and data sentences to the program's
// sentence parser; settings go out as the Set buttons send them.
class ModuleLine : private app::ReadingSink, private app::SentenceLog {
public:
    using SentenceHandler = std::function<void(const protocol::CompassReading &reading, std::int32_t mask)>;

    // `comNumber` names the port by the program's rule; `line` is "9600,N,8,1".
    ModuleLine(platform::Platform &platform, int comNumber, const std::string &line);
    ~ModuleLine() override;

    // False with the port's reason and what to do.
    bool open(QString &failure);
    // Why the open port stopped working; empty while it works.
    const std::string &lostReason() const { return m_lostReason; }

    // The module's settings read afresh ("&"); false when it printed none.
    bool readSettings();
    const protocol::ConsoleState &state() const { return m_state; }
    // One row's command, paced as its Set button paces it.
    void sendSetting(const protocol::Setting &setting, std::string_view value);
    // Nothing when the module does not answer "V".
    std::optional<ModuleIdentity> identity();
    // Runs for `ms`; each data sentence, once read whole, goes to `sentence`.
    void listen(int ms, SentenceHandler sentence);
    // How many data sentences have been read.
    int sentences() const { return m_sentences; }

    platform::Platform &platform() const { return m_platform; }
    char numberSeparator() const { return m_platform.separators.numberByte(); }
    QChar monetarySeparator() const { return m_platform.separators.Monetary; }

private:
    // ReadingSink
    void ShowValue(protocol::ReadingValue, double) override {}
    void ShowItems(const protocol::CompassReading &reading) override { m_reading = reading; }
    // SentenceLog
    bool LoggingActive() const override { return true; }
    void WriteLogLine(std::int32_t mask) override;

    // Charts nobody looks at.
    class NoChart : public platform::StripChart {
    public:
        void addPoint(int, double, double) override {}
        void clearTraces() override {}
        void setRange(double, double) override {}
        void setHistoryLength(int) override {}
    };

    platform::Platform &m_platform;
    protocol::ConsoleState m_state;
    std::unique_ptr<platform::SerialPort> m_port;
    device::clsCompass m_compass;
    NoChart m_noChart;
    app::SentenceParser m_parser;
    app::ReceivePath m_receive;
    protocol::CompassReading m_reading;
    SentenceHandler m_onSentence;
    int m_sentences = 0;
    std::string m_lostReason;
};

} // namespace compass_ctl
