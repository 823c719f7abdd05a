#pragma once
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

namespace compass_sim {

// A capture of a serial line between the module and the program, as text:
//
//   compass-capture 2
//   # comments
//   0.000000 opened
//   0.012345 module $C328.1P-0.4R1.2T26.3*3F\r\n
//   0.512000 program \e&
//   9.000000 end stopped by SIGINT
//
// One record a line: seconds with six decimals on a monotonic clock, a word,
// and for "module" and "program" the bytes that side sent, printable ASCII as
// it is and the rest escaped (\\ \r \n \t \e \xHH; a last blank as \x20 so an
// editor cannot strip it). "dropped" holds bytes read from the module that the
// tap could not pass on (the program had left too much unread). "opened" and
// "closed" mark the program opening and closing its port; "end" closes the
// capture and says, escaped the same way, how it ended. Version 1 is the same
// without "dropped", and still reads. docs/capture_format.md describes it for people.
inline constexpr std::string_view CaptureVersionLine = "compass-capture 2";
// Far beyond any line the tap writes (a 64 KiB chunk escaped is at most 256 KiB);
// a longer one is no capture line, and reading it whole could take all memory.
inline constexpr std::size_t MaxCaptureLineBytes = 16u << 20;

struct CaptureRecord {
    enum class Kind { Module, Program, Dropped, Opened, Closed, End };
    Kind kind = Kind::End;
    std::uint64_t micros = 0;
    // The bytes of a chunk, or how the capture ended.
    std::string text;
    std::size_t line = 0;

    bool operator==(const CaptureRecord &) const = default;
};

std::string_view captureWord(CaptureRecord::Kind kind);
// Appends the record as one line, LF included.
void appendCaptureLine(std::string &out, CaptureRecord::Kind kind, std::uint64_t micros, std::string_view text);
inline void appendCaptureLine(std::string &out, const CaptureRecord &record)
{
    appendCaptureLine(out, record.kind, record.micros, record.text);
}
void appendEscaped(std::string &out, std::string_view bytes);

// Reads a capture record by record. A fault (wrong version, bad line, a file
// cut short) ends the reading with a message that names the line.
class CaptureReader {
public:
    explicit CaptureReader(std::istream &in) : m_in(in) {}

    // The next record; false once the end record has been read or on a fault.
    bool next(CaptureRecord &record);
    // Empty unless the capture is faulty.
    const std::string &fault() const { return m_fault; }
    bool ended() const { return m_ended; }

private:
    enum class LineRead { Whole, CutShort, TooLong, None };

    bool fail(std::size_t line, const std::string &what);
    // The next line without its LF (and a CR before it).
    LineRead readLine(std::string &line);
    bool readHeader();
    bool parse(std::string_view line, CaptureRecord &record);
    // Undoes the escapes of a record's text that begins at `firstColumn`.
    bool decode(std::string_view text, std::size_t firstColumn, std::string &bytes);

    std::istream &m_in;
    std::size_t m_line = 0;
    std::uint64_t m_lastMicros = 0;
    bool m_headerRead = false;
    bool m_ended = false;
    std::string m_fault;
};

} // namespace compass_sim
