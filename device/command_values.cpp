#include "device/command_values.h"

#include "device/tagged_sentence.h"

namespace device {

namespace {
void replaceAll(std::string &text, const std::string &from, const std::string &to)
{
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
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
    const double tenths = RoundHalfEven(static_cast<double>(degrees) * 10.0);
    return std::to_string(static_cast<long long>(tenths));
}

std::optional<std::string> SerialNumberValue(std::int32_t serial)
{
    if (serial < 0)
        return std::nullopt;
    std::string digits = std::to_string(serial);
    if (digits.size() < 9)
        digits.insert(0, 9 - digits.size(), '0');
    return digits;
}

std::string CalDateDaysValue(const QDate &today)
{
    return std::to_string(QDate(2008, 1, 1).daysTo(today));
}

std::string CalDateTextValue(const QDate &today, const QString &monthAbbreviation)
{
    const QString text = twoDigits(today.day()) + QLatin1Char(' ') + monthAbbreviation +
                         QLatin1Char(' ') + twoDigits(today.year() % 100);
    return text.toLatin1().toStdString();
}

} // namespace device
