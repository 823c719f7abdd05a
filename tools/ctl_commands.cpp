#include "tools/ctl_commands.h"

#include "logging/log_columns.h"
#include "logging/log_session.h"
#include "mag_check/calibration_check.h"
#include "numbers/number_text.h"
#include "platform/wait.h"
#include "protocol/menu_protocol.h"
#include "protocol/reading_value.h"
#include "settings_panel/profile_plan.h"
#include "settings_panel/settings_profile.h"
#include "tools/ctl_check_json.h"

#include <QFile>
#include <QJsonDocument>
#include <cstdio>
#include <deque>

namespace compass_ctl {

namespace {

using settings_panel::ProfileEntry;

// The check keeps the newest sentences, as its window does.
constexpr std::size_t CheckedSentences = 20000;

void say(const QString &text)
{
    std::fprintf(stderr, "compass-ctl: %s\n", text.toLocal8Bit().constData());
}

void print(const QJsonObject &json)
{
    std::fputs(QJsonDocument(json).toJson(QJsonDocument::Indented).constData(), stdout);
}

// Done when the module holds every setting of the profile it can hold.
int statusOf(const std::vector<ProfileEntry> &plan)
{
    return settings_panel::Shortfalls(plan) ? Exit::NotAllTaken : Exit::Done;
}

int noSettings()
{
    say(QStringLiteral("the module printed no settings when asked (\"&\"); check that it is powered, that --line "
                       "matches its speed, and that its firmware is newer than 1.4."));
    return Exit::NoAnswer;
}

// One line a setting: its name, the module's value and the profile's, and what became of it.
void printPlan(const char *heading, const std::vector<ProfileEntry> &plan)
{
    std::printf("%s\n", heading);
    for (const ProfileEntry &entry : plan) {
        const std::string values = entry.module + " -> " + entry.profile;
        std::printf("  %-20s %-20s %s\n", entry.name.c_str(), values.c_str(),
                    settings_panel::OutcomeText(entry).toLocal8Bit().constData());
    }
}

// Heading, pitch and roll as the attitude instrument gives them back to the log.
class ReadingInstrument : public platform::Instrument {
public:
    explicit ReadingInstrument(const protocol::CompassReading &reading) : m_reading(reading) {}
    void setValue(int, double) override {}
    double value(int dispatchNumber) const override
    {
        switch (dispatchNumber) {
        case Heading: return m_reading.Heading;
        case Pitch: return m_reading.Pitch;
        case Roll: return m_reading.Roll;
        default: return 0;
        }
    }
    void setBackgroundColor(std::uint32_t) override {}

private:
    const protocol::CompassReading &m_reading;
};

// Standard output written as the program writes its log file: a header line
// whenever the columns change, then the values; lines end in CR LF.
class StandardOutputLog {
public:
    StandardOutputLog(logging::LogValues values, QChar separator) : m_values(std::move(values)), m_separator(separator) {}
    void write(std::int32_t mask)
    {
        if (mask != m_lastMask)
            line(logging::HeaderLine(mask, false, false));
        m_lastMask = mask;
        line(logging::DataLine(mask, {}, m_values, m_separator));
    }

private:
    static void line(const QString &text)
    {
        std::fputs((text.toLocal8Bit() + "\r\n").constData(), stdout);
        std::fflush(stdout);
    }
    logging::LogValues m_values;
    QChar m_separator;
    std::int32_t m_lastMask = 0;
};

} // namespace

int Info(ModuleLine &module, const QString &port)
{
    const auto identity = module.identity();
    if (!identity) {
        say(QStringLiteral("the module on %1 did not answer the version request (\"V\"); check that it is powered "
                           "and that --line matches its speed.")
                .arg(port));
        return Exit::NoAnswer;
    }
    print(QJsonObject{{"port", port},
                      {"model", QString::fromStdString(identity->model)},
                      {"firmware_version", QString::fromStdString(identity->firmwareVersion)},
                      {"serial_number", QString::fromStdString(identity->serialNumber)}});
    return Exit::Done;
}

int Settings(ModuleLine &module)
{
    if (!module.readSettings())
        return noSettings();
    QJsonObject json = settings_panel::ProfileObject(module.state(), module.platform().clock.now());
    json.insert(QStringLiteral("dump"), settings_panel::DumpObject(module.state()));
    print(json);
    return Exit::Done;
}

int Apply(ModuleLine &module, const CtlOptions &options)
{
    const QString path = QString::fromStdString(options.profile);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        say(QStringLiteral("cannot read the profile %1: %2.").arg(path, file.errorString()));
        return Exit::File;
    }
    const settings_panel::ProfileRead read = settings_panel::ReadProfile(file.readAll());
    if (!read.profile) {
        say(QStringLiteral("%1 cannot be loaded; nothing was sent. %2").arg(path, read.error));
        return Exit::File;
    }
    if (!module.readSettings())
        return noSettings();
    std::vector<ProfileEntry> plan = settings_panel::PlanProfile(*read.profile, module.state(), module.numberSeparator());
    printPlan("differences (module -> profile):", plan);
    if (options.dryRun)
        return statusOf(plan);

    for (const ProfileEntry *entry : settings_panel::SendingOrder(plan))
        module.sendSetting(*entry->setting, entry->sent);
    if (!module.lostReason().empty()) {
        say(QString::fromStdString(module.lostReason()) + QStringLiteral(" Reconnect the module and apply again."));
        return Exit::Port;
    }
    platform::Wait(module.platform(), protocol::PanelPace::BeforeReread);
    if (!module.readSettings()) {
        say(QStringLiteral("the module printed no settings when they were read back, so none of those sent is "
                           "confirmed. If the profile changed the baud rate, run apply again with --line at the new "
                           "speed to compare."));
        return Exit::NoAnswer;
    }
    settings_panel::JudgeReadBack(plan, module.state(), module.numberSeparator());
    printPlan("read back (module before -> profile):", plan);
    return statusOf(plan);
}

int Log(ModuleLine &module, const CtlOptions &options)
{
    // Comma sentences carry what the display fields say: read them first.
    if (!module.readSettings())
        say(QStringLiteral("the module printed no settings; sentences without tags are read as its display fields "
                           "were last known."));
    protocol::CompassReading reading;
    ReadingInstrument horizon(reading);
    const QChar separator = module.monetarySeparator();
    auto labelText = [&reading, separator](int valueIndex) {
        const auto value = static_cast<protocol::ReadingValue>(valueIndex);
        return numbers::FormatNumber(protocol::valueOf(reading, value), separator) +
               QString::fromUtf8(protocol::ReadingUnit(value));
    };
    const logging::LogValues values{horizon, labelText};
    StandardOutputLog standardOutput(values, separator);
    logging::LogSession log(values, separator);
    const QString path = QString::fromStdString(options.output.value_or(""));
    if (options.output) {
        if (auto error = log.open(path)) {
            say(QStringLiteral("cannot write the log %1: %2.").arg(path, error->description));
            return Exit::File;
        }
    }
    std::optional<logging::LogError> failed;
    module.listen(options.seconds * 1000, [&](const protocol::CompassReading &sentence, std::int32_t mask) {
        reading = sentence;
        if (!options.output)
            standardOutput.write(mask);
        else if (!failed)
            failed = log.write(mask, 0, 0, {});
    });
    log.close();
    if (failed) {
        say(QStringLiteral("the log %1 could not be written: %2; the lines before stay.").arg(path, failed->description));
        return Exit::File;
    }
    if (module.sentences() == 0) {
        say(QStringLiteral("no data sentence came in %1 s; the module sends none in output format 16.")
                .arg(options.seconds));
        return Exit::NoAnswer;
    }
    if (options.output)
        say(QStringLiteral("%1 sentences logged to %2.").arg(module.sentences()).arg(path));
    return Exit::Done;
}

int Check(ModuleLine &module, const CtlOptions &options)
{
    if (!module.readSettings())
        say(QStringLiteral("the module printed no settings; checking what its sentences carry."));
    std::deque<mag_check::FieldSample> samples;
    module.listen(options.seconds * 1000, [&](const protocol::CompassReading &r, std::int32_t) {
        if (!r.MagXPresent || !r.MagYPresent || !r.MagZPresent)
            return;
        mag_check::FieldSample sample{{r.MagX, r.MagY, r.MagZ}, std::nullopt};
        if (r.AccXPresent && r.AccYPresent && r.AccZPresent)
            sample.gravity = Eigen::Vector3d(r.AccX, r.AccY, r.AccZ);
        samples.push_back(sample);
        if (samples.size() > CheckedSentences)
            samples.pop_front();
    });
    if (module.sentences() == 0) {
        say(QStringLiteral("no data sentence came in %1 s; the module sends none in output format 16.")
                .arg(options.seconds));
        return Exit::NoAnswer;
    }
    if (samples.empty()) {
        say(QStringLiteral("the module's sentences carry no magnetic vector; tick \"M. Vect\" (and \"Acc. Vect\") "
                           "in its display fields."));
        return Exit::NoAnswer;
    }
    const std::vector<mag_check::FieldSample> points(samples.begin(), samples.end());
    const mag_check::CheckResult result = mag_check::checkCalibration(points);
    print(CheckJson(result));
    return CheckExitStatus(result);
}

} // namespace compass_ctl
