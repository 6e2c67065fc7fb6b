#pragma once
#include <string>
#include <string_view>

namespace zephrix::cli {

// Text bound for a terminal with every control byte written as \xNN: the C0
// bytes (ESC among them), DEL, and the C1 controls as UTF-8 encodes them
// (U+0080 to U+009F, which some terminals obey as well). A file name then
// cannot move the cursor, retitle the window or start any other sequence.
// Everything else, backslashes too, is kept as it is.
std::string escapeControlBytes(std::string_view text);

// A results cell for one line of output: TAB, CR, LF and backslash written as
// \t, \r, \n and \\, the other control bytes as above, so that a cell never
// ends its row or its line.
void appendEscapedCell(std::string& out, std::string_view cell);

} // namespace zephrix::cli
