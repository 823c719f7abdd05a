#include "device/command_values.h"

#include "numbers/number_reader.h"

namespace device {

namespace {
void replaceAll(std::string &text, const std::string &from, const std::string &to)
{
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}
} // namespace

std::string ExpandCustomCommand(const std::string &text)
{
    std::string out = text;
    replaceAll(out, "<esc>", "\x1b");
    replaceAll(out, "<space>", " ");
    replaceAll(out, "<enter>", "\r\n");
    replaceAll(out, "<wait>", "");
    return out;
}

std::string TempOffsetValue(float degrees)
{
    // Round to one decimal first, as the compass's own menu does, then scale.
    const double tenths = numbers::RoundHalfEven(static_cast<double>(degrees) * 10.0);
    return std::to_string(static_cast<long long>(tenths));
}

std::string CalDateDaysValue(const QDate &today)
{
    return std::to_string(QDate(2008, 1, 1).daysTo(today));
}

} // namespace device
