#include "platform/com_port_map.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <charconv>

namespace platform {

namespace {
struct Family {
    const char *prefix;
    int firstCom;
};
constexpr Family kFamilies[] = {{"/dev/ttyS", 1}, {"/dev/ttyUSB", 101}, {"/dev/ttyACM", 201}};
constexpr int kFamilySize = 100;
constexpr int kHighestPortNumber = 32767;

std::string trimmedBlanks(const std::string &text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}
} // namespace

std::optional<int> ComPortNumber(const std::string &text)
{
    const std::string digits = trimmedBlanks(text);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    if (number < 1 || number > kHighestPortNumber)
        return std::nullopt;
    return number;
}

std::optional<QString> ComPortMap::overrideLink(int comNumber) const
{
    if (m_portsDir.isEmpty())
        return std::nullopt;
    const QString link = QDir(m_portsDir).filePath(QStringLiteral("COM%1").arg(comNumber));
    const QFileInfo info(link);
    if (info.isSymLink() || info.exists())
        return link;
    return std::nullopt;
}

QString ComPortMap::devicePath(int comNumber) const
{
    if (const auto link = overrideLink(comNumber)) {
        const QFileInfo info(*link);
        // A dangling link still names its target, so the open error can show it.
        return info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
    }
    return defaultDevicePath(comNumber);
}

QString ComPortMap::defaultDevicePath(int comNumber)
{
    for (const Family &f : kFamilies) {
        if (comNumber >= f.firstCom && comNumber < f.firstCom + kFamilySize)
            return QString::fromLatin1(f.prefix) + QString::number(comNumber - f.firstCom);
    }
    return {};
}

std::optional<int> ComPortMap::defaultComNumber(const QString &devicePath)
{
    for (const Family &f : kFamilies) {
        const QString prefix = QString::fromLatin1(f.prefix);
        if (!devicePath.startsWith(prefix))
            continue;
        // Only the name the rule gives: "/dev/ttyS01" is not the device COM2 opens.
        const QString suffix = devicePath.mid(prefix.size());
        bool ok = false;
        const int index = suffix.toInt(&ok);
        if (ok && index >= 0 && index < kFamilySize && suffix == QString::number(index))
            return f.firstCom + index;
    }
    return std::nullopt;
}

} // namespace platform
