#include "device/menu_replies.h"

#include "numbers/number_reader.h"
#include "protocol/menu_protocol.h"

namespace device {

std::optional<std::string> ValuePromptValue(std::string_view line, char decimalSeparator)
{
    const auto value = protocol::ValueEcho(line);
    // An echo of what the user typed has only the user's point.
    if (!value || !numbers::ReadNumber(*value, {decimalSeparator, false}))
        return std::nullopt;
    return std::string(*value);
}

} // namespace device
