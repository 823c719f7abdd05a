#include "settings_panel/record_text.h"

#include "numbers/number_text.h"

namespace settings_panel {

namespace {

using S = protocol::CompassSettings;

struct Text {
    const S &settings;
    char separator;
    const char *yes;
    const char *no;

    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(std::string S::*field) const { return settings.*field; }
    std::string operator()(std::int32_t S::*field) const { return std::to_string(settings.*field); }
    std::string operator()(std::int16_t S::*field) const { return std::to_string(settings.*field); }
    std::string operator()(float S::*field) const { return numbers::FormatSingle(settings.*field, separator); }
    std::string operator()(bool S::*field) const { return settings.*field ? yes : no; }
};

} // namespace

std::string RecordText(const S &settings, const protocol::RecordMember &member, char decimalSeparator)
{
    return std::visit(Text{settings, decimalSeparator, "1", "0"}, member);
}

std::string DataValueText(const S &settings, const protocol::RecordMember &member, char decimalSeparator)
{
    return std::visit(Text{settings, decimalSeparator, "True", "False"}, member);
}

std::string CompassDataText(const S &settings, char decimalSeparator)
{
    std::string text;
    for (const protocol::Setting &setting : protocol::Settings()) {
        if (!setting.dataLabel)
            continue;
        text += protocol::SettingText(setting.dataLabel).toStdString()
                + DataValueText(settings, setting.member, decimalSeparator);
        text += "\r\n";
        if (setting.emptyLineAfter)
            text += "\r\n";
    }
    return text;
}

} // namespace settings_panel
