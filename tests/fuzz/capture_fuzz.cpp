// libFuzzer target for the capture reader. Built by run_fuzz.sh with clang.
// Any file reads without a crash and ends either at its end record or at a
// fault that names a line; whatever it yields writes back and reads back the
// same. The input taken as the bytes of one chunk also comes back unchanged.
#include "tests/fuzz/fuzz_check.h"
#include "tools/capture_format.h"

#include <sstream>

namespace {

using compass_sim::CaptureReader;
using compass_sim::CaptureRecord;

std::vector<CaptureRecord> readAll(const std::string &text, std::string &fault, bool &ended)
{
    std::istringstream in(text);
    CaptureReader reader(in);
    std::vector<CaptureRecord> records;
    for (CaptureRecord r; reader.next(r);) {
        r.line = 0;
        records.push_back(r);
    }
    fault = reader.fault();
    ended = reader.ended();
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char *>(data), size);
    std::string fault;
    bool ended = false;
    const auto records = readAll(input, fault, ended);
    expect(ended != !fault.empty() && (ended || fault.rfind("line ", 0) == 0),
           "a reading ends at its end record or at a fault naming the line");

    std::string rewritten = std::string(compass_sim::CaptureVersionLine) + "\n";
    for (const CaptureRecord &r : records)
        compass_sim::appendCaptureLine(rewritten, r);
    std::string againFault;
    bool againEnded = false;
    expect(readAll(rewritten, againFault, againEnded) == records && againEnded == ended,
           "records written back read back the same");

    if (!input.empty()) {
        std::string chunk = std::string(compass_sim::CaptureVersionLine) + "\n";
        compass_sim::appendCaptureLine(chunk, CaptureRecord::Kind::Module, 1, input);
        compass_sim::appendCaptureLine(chunk, CaptureRecord::Kind::End, 2, input);
        const auto back = readAll(chunk, againFault, againEnded);
        expect(back.size() == 2 && back[0].text == input && back[1].text == input,
               "bytes written as a chunk read back the same");
    }
    return 0;
}
