#include "app/terminal_display.h"

namespace app {

namespace {

constexpr char CarriageReturn = '\r';
constexpr char LineFeed = '\n';

// The ASCII names of the bytes below the blank.
constexpr const char *ControlNames[32] = {"NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL",
                                          "BS",  "HT",  "LF",  "VT",  "FF",  "CR",  "SO",  "SI",
                                          "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB",
                                          "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};

bool startsWithCrLf(std::string_view text, std::size_t at)
{
    return at + 1 < text.size() && text[at] == CarriageReturn && text[at + 1] == LineFeed;
}

} // namespace

QString TerminalDisplay(std::string_view text)
{
    QString shown;
    shown.reserve(static_cast<qsizetype>(text.size()));
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == CarriageReturn || byte == LineFeed) {
            // CR LF, a lone CR and a lone LF each end a line. A line from the
            // module keeps its own ending and the terminal adds a CR LF after
            // it: together they end it once.
            i += startsWithCrLf(text, i) ? 2 : 1;
            if (text[i - 1] == LineFeed && startsWithCrLf(text, i))
                i += 2;
            shown += QLatin1Char('\n');
            continue;
        }
        ++i;
        if (byte == '\t' || (byte >= 0x20 && byte < 0x7F) || byte >= 0xA0)
            shown += QChar(byte);
        else if (byte < 0x20)
            shown += QLatin1Char('<') + QLatin1String(ControlNames[byte]) + QLatin1Char('>');
        else if (byte == 0x7F)
            shown += QLatin1String("<DEL>");
        else
            shown += QStringLiteral("<0x%1>").arg(QString::number(byte, 16).toUpper());
    }
    return shown;
}

} // namespace app
