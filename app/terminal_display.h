#pragma once
#include <QString>
#include <string_view>

namespace app {

// What the terminal shows of its text: each line break once, and control
// bytes by name ("<ESC>") instead of as boxes. The terminal's text itself,
// and so everything else that reads it, keeps the bytes as they came.
QString TerminalDisplay(std::string_view text);

} // namespace app
