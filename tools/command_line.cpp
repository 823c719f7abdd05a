#include "tools/command_line.h"

#include <QCommandLineParser>

#include <cmath>
#include <cstdlib>

namespace compass_sim {

namespace {

std::string usage(const ToolInfo &tool, const std::vector<OptionLine> &declared)
{
    std::string text = "usage: " + tool.name + " [options]\n" + tool.description + "\nOptions:\n";
    for (const OptionLine &o : declared) {
        std::string left = "  --" + o.name + (o.valueName.empty() ? "" : " " + o.valueName);
        left.resize(std::max<std::size_t>(left.size() + 2, 28), ' ');
        text += left + o.help + "\n";
    }
    return text + "  --help                    this text\n  --version                 the version\n"
                  "Options take their value as --option VALUE or --option=VALUE.\n";
}

} // namespace

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

int wholeValue(const std::string &option, const std::string &text, int min, int max)
{
    const double v = numberValue(option, text);
    if (v != std::floor(v) || v < min || v > max)
        throw std::invalid_argument("--" + option + " takes a whole number from " + std::to_string(min) + " to " +
                                    std::to_string(max) + ", not \"" + text + "\"");
    return static_cast<int>(v);
}

} // namespace compass_sim
