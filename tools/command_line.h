#pragma once
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace compass_sim {

// Every command-line tool of the project answers alike (compass-bench, whose
// window system takes options of its own, does the same in app/command_line.cpp):
//
//   --help      "Usage: TOOL [options]", what the tool does and its options, on
//               standard output; exit status 0.
//   --version   "TOOL VERSION" on standard output; exit status 0.
//   a command line the tool cannot take: nothing is done, and standard error gets
//                   TOOL: what is wrong, naming the option and what it takes
//                   Run TOOL --help for its options.
//               exit status 2.
//   a failure while running: one line "TOOL: what happened; what to do" on
//               standard error, and the exit status the tool's --help gives.
//
// Messages begin in lower case, name options with their dashes and quote what
// the user gave in double quotes.
std::string refusal(const std::string &tool, const std::string &what);
// Prints the refusal on standard error and gives the exit status for it.
int refuse(const std::string &tool, const std::string &what);

// One option of a tool's command line, taken as --name VALUE or --name=VALUE,
// or a flag when `valueName` is empty. `apply` checks the value and stores it,
// throwing std::invalid_argument that says what the option takes.
template <class Options>
struct ToolOption {
    std::string name;
    std::string valueName;
    std::string help;
    std::function<void(Options &, const std::string &value)> apply;
};

struct ToolInfo {
    std::string name;
    std::string description;
};

// The options, or the text --help or --version asked for (print it and exit).
template <class Options>
struct CommandLine {
    Options options;
    std::optional<std::string> print;
};

struct OptionLine {
    std::string name;
    std::string valueName;
    std::string help;
};

// For each declared option in order, its last value when given ("" for a flag);
// --help and --version give the text to print instead. Throws
// std::invalid_argument for an unknown option, a missing value or a stray word.
std::optional<std::string> readDeclaredOptions(const ToolInfo &tool, const std::vector<OptionLine> &declared,
                                               const std::vector<std::string> &args,
                                               std::vector<std::optional<std::string>> &values);

template <class Options>
CommandLine<Options> parseCommandLine(const ToolInfo &tool, const std::vector<ToolOption<Options>> &table,
                                      const std::vector<std::string> &args)
{
    std::vector<OptionLine> declared;
    for (const ToolOption<Options> &option : table)
        declared.push_back({option.name, option.valueName, option.help});
    std::vector<std::optional<std::string>> values;
    CommandLine<Options> result;
    result.print = readDeclaredOptions(tool, declared, args, values);
    if (result.print)
        return result;
    for (std::size_t i = 0; i < table.size(); ++i)
        if (values[i])
            table[i].apply(result.options, *values[i]);
    return result;
}

// Values checked the same way in every tool; the message names the option and what it takes.
double numberValue(const std::string &option, const std::string &text);
double numberValue(const std::string &option, const std::string &text, double min, double max);
// "from MIN to MAX", as the messages say it.
std::string rangeText(double min, double max);
int wholeValue(const std::string &option, const std::string &text, int min, int max);

} // namespace compass_sim
