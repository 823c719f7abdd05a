#include "tools/capture_format.h"

#include <array>
#include <charconv>

namespace compass_sim {

namespace {

using Kind = CaptureRecord::Kind;

constexpr std::array<std::pair<Kind, std::string_view>, 6> Words{{{Kind::Module, "module"},
                                                                   {Kind::Program, "program"},
                                                                   {Kind::Dropped, "dropped"},
                                                                   {Kind::Opened, "opened"},
                                                                   {Kind::Closed, "closed"},
                                                                   {Kind::End, "end"}}};
// Version 1 had no "dropped"; nothing else changed, so both read alike.
constexpr std::string_view VersionLines[] = {"compass-capture 1", CaptureVersionLine};
constexpr char Hex[] = "0123456789abcdef";
constexpr std::uint64_t MicrosPerSecond = 1000000;
// Ten digits of seconds are three centuries; more would overflow the microseconds.
constexpr std::size_t MaxSecondDigits = 10;

bool isChunk(Kind kind) { return kind == Kind::Module || kind == Kind::Program || kind == Kind::Dropped; }

void appendTime(std::string &out, std::uint64_t micros)
{
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, micros / MicrosPerSecond);
    *end++ = '.';
    std::uint64_t fraction = micros % MicrosPerSecond;
    for (int i = 5; i >= 0; --i, fraction /= 10)
        end[i] = static_cast<char>('0' + fraction % 10);
    out.append(buf, end + 6);
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string hexByte(unsigned char c) { return {'0', 'x', Hex[c >> 4], Hex[c & 15]}; }

} // namespace

std::string_view captureWord(Kind kind)
{
    for (const auto &[k, word] : Words)
        if (k == kind)
            return word;
    return {};
}

void appendEscaped(std::string &out, std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        switch (c) {
        case '\\': out += "\\\\"; continue;
        case '\r': out += "\\r"; continue;
        case '\n': out += "\\n"; continue;
        case '\t': out += "\\t"; continue;
        case 27: out += "\\e"; continue;
        default: break;
        }
        if (c > ' ' && c < 127)
            out += static_cast<char>(c);
        else if (c == ' ' && i + 1 < bytes.size())
            out += ' ';
        else
            out += {'\\', 'x', Hex[c >> 4], Hex[c & 15]};
    }
}

void appendCaptureLine(std::string &out, Kind kind, std::uint64_t micros, std::string_view text)
{
    appendTime(out, micros);
    out += ' ';
    out += captureWord(kind);
    if (!text.empty())
        out += ' ';
    appendEscaped(out, text);
    out += '\n';
}

bool CaptureReader::fail(std::size_t line, const std::string &what)
{
    m_fault = "line " + std::to_string(line) + ": " + what;
    return false;
}

CaptureReader::LineRead CaptureReader::readLine(std::string &line)
{
    line.clear();
    std::streambuf *in = m_in.rdbuf();
    for (int c; in && (c = in->sbumpc()) != std::char_traits<char>::eof();) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();  // carried through a tool that wrote CR LF
            return LineRead::Whole;
        }
        if (line.size() == MaxCaptureLineBytes)
            return LineRead::TooLong;
        line += static_cast<char>(c);
    }
    return line.empty() ? LineRead::None : LineRead::CutShort;
}

bool CaptureReader::readHeader()
{
    m_headerRead = true;
    std::string first;
    ++m_line;
    switch (readLine(first)) {
    case LineRead::None:
        return fail(m_line, "the file is empty, not a capture");
    case LineRead::TooLong:
        return fail(m_line, "longer than 16 MiB without a line feed, not a capture");
    case LineRead::Whole:
    case LineRead::CutShort:
        break;
    }
    for (const std::string_view version : VersionLines)
        if (first == version)
            return true;
    const std::string_view prefix = "compass-capture ";
    if (first.rfind(prefix, 0) == 0)
        return fail(m_line, "capture format version " + first.substr(prefix.size()) +
                                ", but this program reads versions 1 and 2 only");
    return fail(m_line, "not a capture: the first line must be \"" + std::string(CaptureVersionLine) + "\"");
}

bool CaptureReader::next(CaptureRecord &record)
{
    if (!m_fault.empty() || m_ended || (!m_headerRead && !readHeader()))
        return false;
    std::string line;
    for (;;) {
        ++m_line;
        switch (readLine(line)) {
        case LineRead::None:
            return fail(m_line - 1, "cut short after this line: the capture has no end line");
        case LineRead::CutShort:
            return fail(m_line, "cut short in the middle of the line");
        case LineRead::TooLong:
            return fail(m_line, "longer than 16 MiB, more than any capture line holds");
        case LineRead::Whole:
            break;
        }
        if (line.empty() || line.front() == '#')
            continue;
        if (!parse(line, record))
            return false;
        m_ended = record.kind == Kind::End;
        return true;
    }
}

bool CaptureReader::parse(std::string_view line, CaptureRecord &record)
{
    record = {};
    record.line = m_line;
    const std::size_t dot = line.find('.');
    const std::size_t space = line.find(' ');
    if (dot == 0 || dot > MaxSecondDigits || space != dot + 7)
        return fail(m_line, "a record begins with seconds and six decimals, as in \"12.345678 module ...\"");
    std::uint64_t seconds = 0, fraction = 0;
    const auto whole = std::from_chars(line.data(), line.data() + dot, seconds);
    const auto part = std::from_chars(line.data() + dot + 1, line.data() + space, fraction);
    if (whole.ptr != line.data() + dot || part.ptr != line.data() + space)
        return fail(m_line, "the time \"" + std::string(line.substr(0, space)) + "\" is not seconds and six decimals");
    record.micros = seconds * MicrosPerSecond + fraction;
    if (record.micros < m_lastMicros)
        return fail(m_line, "the time goes back");
    m_lastMicros = record.micros;

    const std::string_view rest = line.substr(space + 1);
    const std::size_t wordEnd = rest.find(' ');
    const std::string_view word = rest.substr(0, wordEnd);
    const std::string_view text = wordEnd == std::string_view::npos ? std::string_view{} : rest.substr(wordEnd + 1);
    bool known = false;
    for (const auto &[kind, name] : Words)
        if (word == name) {
            record.kind = kind;
            known = true;
        }
    if (!known)
        return fail(m_line, "unknown record \"" + std::string(word) +
                                "\"; records are module, program, dropped, opened, closed and end");
    if (record.kind == Kind::Opened || record.kind == Kind::Closed)
        return text.empty() || fail(m_line, "\"" + std::string(word) + "\" takes nothing after it");
    if (text.empty() && isChunk(record.kind))
        return fail(m_line, "a chunk without bytes");
    return decode(text, space + wordEnd + 3, record.text);
}

bool CaptureReader::decode(std::string_view text, std::size_t firstColumn, std::string &bytes)
{
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t at = i;
        const auto column = [&] { return " (column " + std::to_string(firstColumn + at) + ")"; };
        if (c < ' ' || c > '~')
            return fail(m_line, "byte " + hexByte(c) + " as it is" + column() + "; write it as \\x" + hexByte(c).substr(2));
        if (c != '\\') {
            bytes += static_cast<char>(c);
            continue;
        }
        const char escape = i + 1 < text.size() ? text[++i] : '\0';
        switch (escape) {
        case '\\': bytes += '\\'; break;
        case 'r': bytes += '\r'; break;
        case 'n': bytes += '\n'; break;
        case 't': bytes += '\t'; break;
        case 'e': bytes += '\x1b'; break;
        case 'x': {
            const int high = i + 1 < text.size() ? hexValue(text[i + 1]) : -1;
            const int low = i + 2 < text.size() ? hexValue(text[i + 2]) : -1;
            if (high < 0 || low < 0)
                return fail(m_line, "\\x needs two hex digits" + column());
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            return fail(m_line, "unknown escape" + column() + "; escapes are \\\\ \\r \\n \\t \\e and \\xHH");
        }
    }
    return true;
}

} // namespace compass_sim
