#pragma once
#include "protocol/console_state.h"
#include "protocol/setting_table.h"
#include "settings_panel/settings_profile.h"

#include <QString>
#include <string>
#include <vector>

namespace settings_panel {

// What becomes of one setting of a profile.
enum class ProfileOutcome {
    // Differs from the module: sent.
    Change,
    // The module holds it already: not sent.
    Unchanged,
    // Reported, not sent: a name no user setting has, a setting the module's
    // dump does not print, or a value its field's check refuses.
    Unknown,
    ModuleLacks,
    Refused,
    // After the read-back, for each change.
    Taken,
    NotTaken,
};

struct ProfileEntry {
    std::string name;
    // Nothing for a name no user setting has.
    const protocol::Setting *setting = nullptr;
    // The values as the panel shows them; the module's is empty when it lacks
    // the setting, the profile's is as the file writes it when refused.
    std::string module;
    std::string profile;
    // What the Set button sends (a change), and what the module holds after
    // the read-back.
    std::string sent;
    std::string readBack;
    ProfileOutcome outcome = ProfileOutcome::Unknown;
    // Why it is refused.
    QString reason;
};

// The profile against the module's settings (its record and the names its
// dump printed), setting by setting, in the table's order; the names the
// program does not know come last. `decimalSeparator` is the user's: values
// go out and are shown as the panel's fields have them.
std::vector<ProfileEntry> PlanProfile(const SettingsProfile &profile, const protocol::ConsoleState &module,
                                      char decimalSeparator);

// The changes in the order they go out: a change of the line's speed last,
// since the module answers at the new speed after it.
std::vector<const ProfileEntry *> SendingOrder(const std::vector<ProfileEntry> &plan);

// After the settings were read back: each change taken, or not taken with
// what the module holds now.
void JudgeReadBack(std::vector<ProfileEntry> &plan, const protocol::ConsoleState &module, char decimalSeparator);

// "taken", "not taken: the module holds 5", "unchanged", ...: one line a setting.
QString OutcomeText(const ProfileEntry &entry);
// How many entries did not end as the profile wants: refused, unknown,
// lacking or not taken.
int Shortfalls(const std::vector<ProfileEntry> &plan);

} // namespace settings_panel
