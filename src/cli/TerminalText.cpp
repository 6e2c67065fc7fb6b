#include "cli/TerminalText.h"

namespace zephrix::cli {
namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

void appendHex(std::string& out, unsigned char byte)
{
    out += "\\x";
    out.push_back(HexDigits[byte >> 4]);
    out.push_back(HexDigits[byte & 15]);
}

bool isControl(unsigned char byte)
{
    return byte < 0x20 || byte == 0x7F;
}

// Appends text with its control bytes escaped; special() writes the bytes
// the caller escapes its own way, and says so.
template <typename Special> void appendEscaped(std::string& out, std::string_view text, Special special)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (special(out, text[i]))
            continue;
        // U+0080..U+009F: 0xC2 followed by 0x80..0x9F.
        if (byte == 0xC2 && i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80) {
            appendHex(out, byte);
            appendHex(out, static_cast<unsigned char>(text[++i]));
        } else if (isControl(byte)) {
            appendHex(out, byte);
        } else {
            out.push_back(text[i]);
        }
    }
}

} // namespace

std::string escapeControlBytes(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    appendEscaped(out, text, [](std::string&, char) { return false; });
    return out;
}

void appendEscapedCell(std::string& out, std::string_view cell)
{
    appendEscaped(out, cell, [](std::string& into, char c) {
        switch (c) {
        case '\t':
            into += "\\t";
            return true;
        case '\r':
            into += "\\r";
            return true;
        case '\n':
            into += "\\n";
            return true;
        case '\\':
            into += "\\\\";
            return true;
        default:
            return false;
        }
    });
}

} // namespace zephrix::cli
