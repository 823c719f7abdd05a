#include "settings_panel/settings_dump.h"

#include "numbers/number_reader.h"
#include "protocol/menu_protocol.h"

#include <cctype>

namespace settings_panel {

namespace {

using S = protocol::CompassSettings;

bool equalsIgnoringCase(std::string_view text, std::string_view word)
{
    if (text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != word[i])
            return false;
    }
    return true;
}

// 0 is false, any other number true; the words True and False in any case.
std::optional<bool> readBoolean(std::string_view text, numbers::NumberRules rules)
{
    const auto first = text.find_first_not_of(" \t");
    const std::string_view word = first == std::string_view::npos
                                      ? std::string_view()
                                      : text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (equalsIgnoringCase(word, "true"))
        return true;
    if (equalsIgnoringCase(word, "false"))
        return false;
    const auto number = numbers::ReadNumber(text, rules);
    if (!number)
        return std::nullopt;
    return *number != 0.0;
}

struct Store {
    S &settings;
    const std::string &value;
    numbers::NumberRules rules;

    bool operator()(std::monostate) const { return false; }
    bool operator()(std::string S::*field) const
    {
        settings.*field = value;
        return true;
    }
    bool operator()(std::int32_t S::*field) const { return assign(field, numbers::ReadWhole<std::int32_t>(value, rules)); }
    bool operator()(std::int16_t S::*field) const { return assign(field, numbers::ReadWhole<std::int16_t>(value, rules)); }
    bool operator()(float S::*field) const { return assign(field, numbers::ReadSingle(value, rules)); }
    bool operator()(bool S::*field) const { return assign(field, readBoolean(value, rules)); }

    template <typename T>
    bool assign(T S::*field, const std::optional<T> &converted) const
    {
        if (converted)
            settings.*field = *converted;
        return converted.has_value();
    }
};

} // namespace

bool StoreValue(protocol::CompassSettings &settings, const protocol::RecordMember &member, const std::string &value,
                char decimalSeparator)
{
    return std::visit(Store{settings, value, {decimalSeparator}}, member);
}

void ParseSettingsLine(protocol::ConsoleState &state, std::string_view line, char decimalSeparator)
{
    const auto parts = protocol::SplitDumpLine(line);
    if (!parts)
        return;
    state.DumpReceived = true;
    const protocol::Setting *setting = protocol::SettingOfDumpName(parts->Name);
    if (!setting)
        return;
    state.DumpNamesSeen.insert(setting->dumpName);
    if (setting->presence)
        state.Settings.*setting->presence = true;
    StoreValue(state.Settings, setting->member, parts->Value, decimalSeparator);
}

} // namespace settings_panel
