// libFuzzer target for the data-sentence parser: any line, any form, any
// display fields, any of a few separators. Built by run_fuzz.sh with clang.
//
// Input: byte 0 picks the form, bytes 1-2 are the display fields, byte 3 the
// separator and whether logging is on; the rest is the line.
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/parser_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 4)
        return 0;
    constexpr std::int32_t forms[] = {1, 2, 4, 8};
    // Mostly the four real forms, now and then a code the line handler never gives.
    const std::int32_t form = data[0] < 240 ? forms[data[0] % 4] : data[0] - 248;
    const std::int32_t displayFields = data[1] | data[2] << 8;
    constexpr char separators[] = {'.', ',', '\xB7', ';'};
    const char separator = separators[data[3] % 4];
    const bool logging = (data[3] & 4) != 0;
    const std::string_view line(reinterpret_cast<const char *>(data + 4), size - 4);

    parser_invariants::CheckedParser parser(separator);
    std::string failure = parser.check(line, form, displayFields, logging);
    if (failure.empty())
        failure = parser_invariants::checkNumber(line, separator);
    expect(failure.empty(), failure.c_str());
    return 0;
}
