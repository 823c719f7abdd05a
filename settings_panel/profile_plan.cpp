#include "settings_panel/profile_plan.h"

#include "numbers/number_reader.h"
#include "protocol/menu_protocol.h"
#include "settings_panel/record_text.h"
#include "settings_panel/settings_dump.h"

#include <QCoreApplication>
#include <algorithm>

namespace settings_panel {

namespace {

QString planText(const char *english)
{
    return QCoreApplication::translate("settings_panel::ProfilePlan", english);
}

using protocol::Setting;
using S = protocol::CompassSettings;

// What the row's Set button sends while its input shows the record's value.
std::string sentValue(const Setting &setting, const S &settings, char separator)
{
    if (setting.follows == protocol::Follows::Tenths)
        return protocol::TenthsValue(settings.*std::get<float S::*>(setting.member));
    const std::string text = RecordText(settings, setting.member, separator);
    if (setting.input == protocol::Input::List) {
        if (const auto number = numbers::ReadWhole<std::int16_t>(text, {separator}))
            return protocol::WholeValue(*number);
    }
    return text;
}

// The range a list or a row of check boxes can show.
std::optional<std::pair<std::int64_t, std::int64_t>> inputRange(const Setting &setting)
{
    const auto count = static_cast<std::int64_t>(setting.items.size());
    if (setting.input == protocol::Input::List)
        return std::pair{std::int64_t{setting.firstItem}, setting.firstItem + count - 1};
    if (setting.input == protocol::Input::CheckBoxes)
        return std::pair{std::int64_t{0}, (std::int64_t{1} << count) - 1};
    return std::nullopt;
}

// Why the panel would not send `text` for this setting; stores it in `wanted` otherwise.
std::optional<QString> refusal(const Setting &setting, const ProfileValue &value, S &wanted)
{
    const QString written = QString::fromStdString(value.written);
    if (!value.text || !StoreValue(wanted, setting.member, *value.text, '.'))
        return planText("%1 is no value this setting can hold.").arg(written);
    if (setting.check) {
        if (auto refused = protocol::CheckValue(*setting.check, QString::fromStdString(*value.text), '.').refusal)
            return refused;
    }
    if (const auto range = inputRange(setting)) {
        const auto number = numbers::ReadWhole<std::int64_t>(RecordText(wanted, setting.member, '.'), {'.'});
        if (!number || *number < range->first || *number > range->second)
            return planText("%1 is outside what the panel can set (%2 to %3).")
                .arg(written)
                .arg(range->first)
                .arg(range->second);
    }
    return std::nullopt;
}

} // namespace

std::vector<ProfileEntry> PlanProfile(const SettingsProfile &profile, const protocol::ConsoleState &module,
                                      char decimalSeparator)
{
    std::vector<ProfileEntry> plan;
    std::vector<bool> planned(profile.settings.size());
    for (const Setting &setting : protocol::Settings()) {
        if (!protocol::IsUserSetting(setting))
            continue;
        const auto found = std::find_if(profile.settings.begin(), profile.settings.end(),
                                        [&](const ProfileValue &v) { return v.name == setting.dumpName; });
        if (found == profile.settings.end())
            continue;
        planned[found - profile.settings.begin()] = true;
        ProfileEntry entry;
        entry.name = found->name;
        entry.setting = &setting;
        entry.profile = found->written;
        S wanted = module.Settings;
        if (!module.DumpNamesSeen.count(setting.dumpName)) {
            entry.outcome = ProfileOutcome::ModuleLacks;
        } else if (auto refused = refusal(setting, *found, wanted)) {
            entry.module = DataValueText(module.Settings, setting.member, decimalSeparator);
            entry.outcome = ProfileOutcome::Refused;
            entry.reason = *refused;
        } else {
            entry.module = DataValueText(module.Settings, setting.member, decimalSeparator);
            entry.profile = DataValueText(wanted, setting.member, decimalSeparator);
            entry.sent = sentValue(setting, wanted, decimalSeparator);
            const bool same = entry.sent == sentValue(setting, module.Settings, decimalSeparator);
            entry.outcome = same ? ProfileOutcome::Unchanged : ProfileOutcome::Change;
        }
        plan.push_back(std::move(entry));
    }
    for (std::size_t i = 0; i < profile.settings.size(); ++i) {
        if (planned[i])
            continue;
        const ProfileValue &value = profile.settings[i];
        ProfileEntry entry;
        entry.name = value.name;
        entry.profile = value.written;
        entry.outcome = ProfileOutcome::Unknown;
        entry.reason = protocol::SettingOfDumpName(value.name) ? planText("the panel does not set it.")
                                                               : planText("the program knows no setting of this name.");
        plan.push_back(std::move(entry));
    }
    return plan;
}

std::vector<const ProfileEntry *> SendingOrder(const std::vector<ProfileEntry> &plan)
{
    std::vector<const ProfileEntry *> order;
    for (const ProfileEntry &entry : plan)
        if (entry.outcome == ProfileOutcome::Change)
            order.push_back(&entry);
    std::stable_partition(order.begin(), order.end(),
                          [](const ProfileEntry *entry) { return !entry->setting->changesLineSpeed; });
    return order;
}

void JudgeReadBack(std::vector<ProfileEntry> &plan, const protocol::ConsoleState &module, char decimalSeparator)
{
    for (ProfileEntry &entry : plan) {
        if (entry.outcome != ProfileOutcome::Change)
            continue;
        const Setting &setting = *entry.setting;
        const bool printed = module.DumpNamesSeen.count(setting.dumpName) > 0;
        entry.readBack = printed ? DataValueText(module.Settings, setting.member, decimalSeparator) : std::string();
        const bool taken = printed && sentValue(setting, module.Settings, decimalSeparator) == entry.sent;
        entry.outcome = taken ? ProfileOutcome::Taken : ProfileOutcome::NotTaken;
    }
}

QString OutcomeText(const ProfileEntry &entry)
{
    switch (entry.outcome) {
    case ProfileOutcome::Change: return planText("to be set");
    case ProfileOutcome::Unchanged: return planText("unchanged");
    case ProfileOutcome::Unknown:
    case ProfileOutcome::Refused: return planText("not sent: ") + entry.reason;
    case ProfileOutcome::ModuleLacks: return planText("not sent: the module does not have this setting.");
    case ProfileOutcome::Taken: return planText("taken");
    case ProfileOutcome::NotTaken:
        return entry.readBack.empty()
                   ? planText("not taken: the module's settings no longer show it.")
                   : planText("not taken: the module holds %1.").arg(QString::fromStdString(entry.readBack));
    }
    return {};
}

int Shortfalls(const std::vector<ProfileEntry> &plan)
{
    return static_cast<int>(std::count_if(plan.begin(), plan.end(), [](const ProfileEntry &entry) {
        return entry.outcome != ProfileOutcome::Taken && entry.outcome != ProfileOutcome::Unchanged &&
               entry.outcome != ProfileOutcome::Change;
    }));
}

} // namespace settings_panel
