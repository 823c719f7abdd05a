// The menu's replies as the program reads them: key echoes, value prompts, the
// version line and the lines of the settings dump. Byte 0 picks the user's
// decimal separator; the rest is one line.
#include "device/menu_replies.h"
#include "protocol/menu_protocol.h"
#include "settings_panel/settings_dump.h"
#include "tests/fuzz/fuzz_check.h"

#include <algorithm>
#include <cctype>

namespace {

bool has(std::string_view text, const std::string &part)
{
    return text.find(part) != std::string_view::npos;
}

bool isBlankOrComma(char c)
{
    return c == ' ' || c == ',';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    constexpr char separators[] = {'.', ','};
    const char separator = separators[data[0] % 2];
    const std::string_view line(reinterpret_cast<const char *>(data + 1), size - 1);

    expect(protocol::IsKeyEcho(line, 'V') == (line == "CMD:V"), "a key echo is CMD: and the key alone");
    const auto echo = protocol::ValueEcho(line);
    expect(!echo || (!echo->empty() && line == std::string(protocol::ValuePrompt) + std::string(*echo)),
           "a value echo is what follows the prompt");
    const auto value = device::ValuePromptValue(line, separator);
    expect(!value || (echo && *value == *echo), "the prompt's value is its echo");

    const protocol::VersionLine version = protocol::ReadVersionLine(line);
    expect(!version.Model || (!version.Model->empty() && !has(*version.Model, " ") && has(line, *version.Model + " ")),
           "the model runs up to the first blank");
    for (const auto &part : {version.FirmwareVersion, version.SerialNumber})
        expect(!part || std::none_of(part->begin(), part->end(), isBlankOrComma), "no blank or comma in a part");
    expect(!version.FirmwareVersion || has(line, " V" + *version.FirmwareVersion), "the version follows \" V\"");
    expect(!version.SerialNumber || has(line, "SN#" + *version.SerialNumber), "the serial follows \"SN#\"");

    protocol::ConsoleState state;
    settings_panel::ParseSettingsLine(state, line, separator);
    const auto dump = protocol::SplitDumpLine(line);
    expect(state.DumpReceived == dump.has_value(), "a dump line is a name, \"=\" and a value");
    if (dump) {
        for (const std::string *part : {&dump->Name, &dump->Value})
            expect(part->empty() || (part->front() != ' ' && part->back() != ' '), "name and value are trimmed");
        expect(std::none_of(dump->Name.begin(), dump->Name.end(),
                                [](char c) { return std::islower(static_cast<unsigned char>(c)); }), "the name is upper case");
    }
    return 0;
}
