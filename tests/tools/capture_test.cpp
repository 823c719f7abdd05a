#include "tools/capture_format.h"
#include "tools/sent_keys.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using compass_sim::CaptureReader;
using compass_sim::CaptureRecord;
using Kind = CaptureRecord::Kind;

std::vector<CaptureRecord> readAll(const std::string &text, std::string *fault = nullptr)
{
    std::istringstream in(text);
    CaptureReader reader(in);
    std::vector<CaptureRecord> records;
    for (CaptureRecord r; reader.next(r);)
        records.push_back(r);
    if (fault)
        *fault = reader.fault();
    return records;
}

TEST(Capture, EveryByteAndRecordReadsBackAsWritten)
{
    std::string allBytes;
    for (int c = 0; c < 256; ++c)
        allBytes += static_cast<char>(c);
    const std::vector<CaptureRecord> written{
        {Kind::Opened, 5, "", 0},         {Kind::Module, 5, "$C328.1P-0.4R1.2T26.3*3F\r\n", 0},
        {Kind::Program, 1000000, " ", 0}, {Kind::Module, 1000001, allBytes, 0},
        {Kind::Dropped, 1000002, "$C1", 0}, {Kind::Closed, 2000000, "", 0},
        {Kind::End, 12345678901234, "device gone: Input/output error", 0}};
    std::string file = "compass-capture 2\n# a comment\n\n";
    for (const CaptureRecord &r : written)
        compass_sim::appendCaptureLine(file, r);
    // Sentences stay greppable; a trailing blank cannot be stripped by an editor.
    EXPECT_NE(file.find("0.000005 module $C328.1P-0.4R1.2T26.3*3F\\r\\n\n"), std::string::npos) << file;
    EXPECT_NE(file.find("1.000000 program \\x20\n"), std::string::npos) << file;
    EXPECT_NE(file.find("1.000002 dropped $C1\n"), std::string::npos) << file;

    std::string fault;
    auto read = readAll(file, &fault);
    EXPECT_EQ(fault, "");
    ASSERT_EQ(read.size(), written.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].line, i + 4);
        read[i].line = 0;
        EXPECT_EQ(read[i], written[i]) << i;
    }
}

TEST(Capture, AFaultNamesItsLine)
{
    const std::string head = "compass-capture 1\n0.100000 opened\n";
    const struct {
        std::string file;
        std::string fault;
    } cases[] = {
        {"", "line 1: the file is empty"},
        {"compass-capture 3\n", "line 1: capture format version 3"},
        {"time,direction,bytes\n", "line 1: not a capture"},
        {head + "0.200000 module $C1", "line 3: cut short in the middle"},
        {head + "0.200000 module $C1\n", "line 3: cut short after this line"},
        {head + "0.050000 module $C1\n", "line 3: the time goes back"},
        {head + "0.2 module $C1\n", "line 3: a record begins with seconds"},
        {head + "0.200000 modem $C1\n", "line 3: unknown record"},
        {head + "0.200000 module \\q\n", "line 3: unknown escape (column 17)"},
        {head + "0.200000 module \\x4\n", "line 3: \\x needs two hex digits"},
        {head + "0.200000 module a\tb\n", "line 3: byte 0x09 as it is"},
        {head + "0.200000 program\n", "line 3: a chunk without bytes"},
        {head + "0.200000 opened now\n", "line 3: \"opened\" takes nothing"},
        {head + "0.200000 dropped\n", "line 3: a chunk without bytes"},
        // Refused before it is read whole: a file of one endless line (/dev/zero) would take all memory.
        {std::string(compass_sim::MaxCaptureLineBytes + 1, 'x'), "line 1: longer than 16 MiB"},
        {head + "0.200000 module " + std::string(compass_sim::MaxCaptureLineBytes, 'x') + "\n",
         "line 3: longer than 16 MiB"},
    };
    for (const auto &c : cases) {
        std::string fault;
        readAll(c.file, &fault);
        EXPECT_EQ(fault.rfind(c.fault, 0), 0u) << "got \"" << fault << "\" for\n" << c.file;
    }
    // Line ends converted to CR LF still read, and so do version 1 and a line of the most a line may hold.
    std::string fault;
    EXPECT_EQ(readAll("compass-capture 1\r\n0.100000 module a\\r\r\n0.200000 end x\r\n", &fault).at(0).text, "a\r");
    EXPECT_EQ(fault, "");
    const std::string longest = "0.200000 module " + std::string(compass_sim::MaxCaptureLineBytes - 16, 'x');
    EXPECT_EQ(readAll("compass-capture 1\n" + longest + "\n0.300000 end\n", &fault).size(), 2u);
    EXPECT_EQ(fault, "");
}

TEST(SentKeys, MissingExtraAndDifferentCommandsAreTold)
{
    using compass_sim::SentKey;
    // Commands picked from pieces: the escape in one chunk, its key in the next.
    compass_sim::KeyReader reader;
    std::vector<SentKey> sent;
    reader.feed("\x1b", 1000000, sent);
    reader.feed("& \x1bR5\r", 2000000, sent);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].key, '&');
    EXPECT_EQ(sent[0].micros, 1000000u);
    EXPECT_EQ(sent[1].key, 'R');

    const auto differences = [](const std::string &captured, const std::string &program) {
        std::vector<SentKey> c, p;
        for (char k : captured)
            c.push_back({std::uint64_t(c.size() + 1) * 1000000, k});
        for (char k : program)
            p.push_back({std::uint64_t(p.size() + 1) * 1000000 + 500000, k});
        std::string told;
        for (const auto &d : compass_sim::compareKeys(c, p))
            told += compass_sim::describe(d) + "\n";
        return told;
    };
    EXPECT_EQ(differences("&R&", "&R&"), "");
    EXPECT_EQ(differences("&R&", "&&"),
              "2.000 s: missing key ESC 'R': the capture has the program send it, the program did not\n");
    EXPECT_EQ(differences("&", "&&"), "2.500 s: extra settings request (ESC &): the program sent it, the capture has none\n");
    EXPECT_EQ(differences("&X&", "&R&"), "2.500 s: different key: the program sent key ESC 'R' where the capture has "
                                         "key ESC 'X' (2.000 s)\n");
    EXPECT_EQ(differences("&&", ""), "1.000 s: missing settings request (ESC &): the capture has the program send it, "
                                     "the program did not\n2.000 s: missing settings request (ESC &): the capture has "
                                     "the program send it, the program did not\n");
}

} // namespace
