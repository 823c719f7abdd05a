#include "device/menu_replies.h"

#include "settings_panel/menu_protocol.h"
#include "settings_panel/number_text.h"

namespace device {

std::optional<std::string> ValuePromptValue(std::string_view line, char decimalSeparator)
{
    const auto value = settings_panel::MenuProtocol::ValueEcho(line);
    if (!value || !settings_panel::ReadNumber(*value, decimalSeparator))
        return std::nullopt;
    // The number reader also takes "." for the point; an echo of what the user typed has only theirs.
    if (decimalSeparator != '.' && value->find('.') != std::string_view::npos)
        return std::nullopt;
    return std::string(*value);
}

} // namespace device
