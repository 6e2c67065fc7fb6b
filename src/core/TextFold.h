#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace zephrix {

// Case-insensitive comparison for names and texts: Unicode simple case
// folding (one code point to one code point, so character counts never
// change), with ASCII handled without any table. Bytes that are not part of
// a valid UTF-8 sequence are compared as they are.

// The simple case fold of one code point.
char32_t foldCodePoint(char32_t c);

// True when every byte is below 0x80.
bool isAsciiText(std::string_view text);

// Appends the folded form of text to out.
void appendFolded(std::string& out, std::string_view text);

// Folds n bytes from in into out, which must have room for
// foldedCapacity(n) bytes (a few letters grow when folded, for example
// U+023A to U+2C65); returns the folded length. ASCII runs go eight bytes at
// a time.
constexpr size_t foldedCapacity(size_t n)
{
    return n + n / 2 + 4;
}
size_t foldBytes(const char* in, size_t n, char* out);
std::string foldText(std::string_view text);

// Whether some character outside ASCII folds to a byte of the ASCII text
// (the Kelvin sign to k, the long s to s). Only then can a name with such
// characters hold the text, folded, where its own bytes do not.
bool hasFoldsFromOutsideAscii(std::string_view asciiFolded);

// Lower case of each character (the extension shown in the FileType column
// when the request names a type). Invalid bytes are kept as they are.
std::string lowerText(std::string_view text);

bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool containsIgnoringCase(std::string_view haystack, std::string_view needle);

// A text folded once and compared against many others. The comparisons fold
// the other text only when it holds non-ASCII bytes, into a buffer that is
// reused, so steady-state matching allocates nothing.
class FoldedPattern {
  public:
    FoldedPattern() = default;
    explicit FoldedPattern(std::string_view text) { assign(text); }

    void assign(std::string_view text);
    bool empty() const { return folded_.empty(); }
    const std::string& folded() const { return folded_; }

    bool isContainedIn(std::string_view text) const;
    bool equals(std::string_view text) const;
    bool isPrefixOf(std::string_view text) const;
    bool isSuffixOf(std::string_view text) const;

  private:
    // The folded form of text: text itself when it is ASCII and only needs
    // ASCII folding at compare time, else the scratch buffer.
    std::string_view foldedOther(std::string_view text) const;

    std::string folded_;
    bool asciiOnly_ = true;
    mutable std::string scratch_;
};

// Case-insensitive search of an ASCII needle that is already lower case,
// stopping at the first byte of the haystack that is not ASCII.
enum class AsciiSearch { Found, Absent, OtherByte };
AsciiSearch findAsciiUntilOtherByte(std::string_view haystack, std::string_view lowerNeedle);

// Case-insensitive search of an ASCII needle that is already lower case in an
// ASCII haystack; npos when absent.
size_t findAsciiIgnoringCase(std::string_view haystack, std::string_view lowerNeedle);

} // namespace zephrix
