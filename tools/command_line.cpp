#include "tools/command_line.h"

#include <QCommandLineParser>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace compass_sim {

namespace {

constexpr std::size_t HelpColumn = 28;
constexpr std::size_t LineWidth = 100;

// `help` word-wrapped into the column after `left`; a long `left` puts it on the next line.
std::string optionLine(const std::string &left, const std::string &help)
{
    std::string text = left.size() + 2 > HelpColumn ? left + "\n" + std::string(HelpColumn, ' ')
                                                    : left + std::string(HelpColumn - left.size(), ' ');
    std::size_t width = HelpColumn;
    for (std::size_t start = 0; start < help.size();) {
        const std::size_t end = std::min(help.find(' ', start), help.size());
        if (width > HelpColumn) {
            const bool wrap = width + 1 + end - start > LineWidth;
            text += wrap ? "\n" + std::string(HelpColumn, ' ') : " ";
            width = wrap ? HelpColumn : width + 1;
        }
        text += help.substr(start, end - start);
        width += end - start;
        start = end + 1;
    }
    return text + "\n";
}

std::string usage(const ToolInfo &tool, const std::vector<OptionLine> &declared)
{
    std::string text = "Usage: " + tool.name + " [options]\n" + tool.description + "\nOptions:\n";
    for (const OptionLine &o : declared)
        text += optionLine("  --" + o.name + (o.valueName.empty() ? "" : " " + o.valueName), o.help);
    return text + "  --help                    this text\n  --version                 the version\n"
                  "Options take their value as --option VALUE or --option=VALUE.\n";
}

} // namespace

std::string refusal(const std::string &tool, const std::string &what)
{
    return tool + ": " + what + "\nRun " + tool + " --help for its options.\n";
}

int refuse(const std::string &tool, const std::string &what)
{
    std::fputs(refusal(tool, what).c_str(), stderr);
    return 2;
}

std::optional<std::string> readDeclaredOptions(const ToolInfo &tool, const std::vector<OptionLine> &declared,
                                               const std::vector<std::string> &args,
                                               std::vector<std::optional<std::string>> &values)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{"help", "h"});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOption(help);
    parser.addOption(version);
    for (const OptionLine &o : declared)
        parser.addOption(QCommandLineOption(QString::fromStdString(o.name), QString::fromStdString(o.help),
                                            QString::fromStdString(o.valueName)));
    QStringList arguments{QString::fromStdString(tool.name)};
    for (const std::string &a : args)
        arguments << QString::fromStdString(a);
    if (!parser.parse(arguments))
        throw std::invalid_argument(parser.errorText().toStdString());
    if (!parser.positionalArguments().isEmpty())
        throw std::invalid_argument("unexpected argument \"" + parser.positionalArguments().first().toStdString() + "\"");
    if (parser.isSet(help))
        return usage(tool, declared);
    if (parser.isSet(version))
        return tool.name + " " COMPASS_TOOLS_VERSION "\n";
    values.clear();
    for (const OptionLine &o : declared) {
        const QString name = QString::fromStdString(o.name);
        values.push_back(parser.isSet(name) ? std::optional(parser.value(name).toStdString()) : std::nullopt);
    }
    return std::nullopt;
}

double numberValue(const std::string &option, const std::string &text)
{
    char *end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(v))
        throw std::invalid_argument("--" + option + " takes a number, not \"" + text + "\"");
    return v;
}

double numberValue(const std::string &option, const std::string &text, double min, double max)
{
    const double v = numberValue(option, text);
    if (v < min || v > max)
        throw std::invalid_argument("--" + option + " takes a number " + rangeText(min, max) + ", not \"" + text + "\"");
    return v;
}

std::string rangeText(double min, double max)
{
    char range[64];
    std::snprintf(range, sizeof range, "from %.15g to %.15g", min, max);
    return range;
}

int wholeValue(const std::string &option, const std::string &text, int min, int max)
{
    const double v = numberValue(option, text);
    if (v != std::floor(v) || v < min || v > max)
        throw std::invalid_argument("--" + option + " takes a whole number from " + std::to_string(min) + " to " +
                                    std::to_string(max) + ", not \"" + text + "\"");
    return static_cast<int>(v);
}

} // namespace compass_sim
