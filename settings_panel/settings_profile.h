#pragma once
#include "protocol/console_state.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace settings_panel {

// One setting as a profile holds it.
struct ProfileValue {
    std::string name;
    // The value as text with "." for the point, as the dump would print it;
    // nothing when the file holds no number, text or true/false there.
    std::optional<std::string> text;
    // The value as the file writes it, for the report.
    std::string written;
};

// The user settings of one module by their dump names, and what the file says
// about the module and when it was saved.
struct SettingsProfile {
    std::vector<ProfileValue> settings;
    QString serialNumber;
    QString firmwareVersion;
    QString firmwareDate;
    QString saved;
};

// The profile of the module's settings as its last dump printed them: every
// user setting the dump printed, by its dump name, plus the module's serial
// number, firmware version and date and the time saved.
QJsonObject ProfileObject(const protocol::ConsoleState &state, const QDateTime &saved);
// The same as JSON text, one value a line.
QByteArray ProfileJson(const protocol::ConsoleState &state, const QDateTime &saved);
// Every value the last dump printed, by its name.
QJsonObject DumpObject(const protocol::ConsoleState &state);

struct ProfileRead {
    std::optional<SettingsProfile> profile;
    // What is wrong with the file when there is no profile.
    QString error;
};
// Reads a profile; a file that is no JSON, or of another or a newer format,
// gives no profile and says why.
ProfileRead ReadProfile(const QByteArray &json);

} // namespace settings_panel
