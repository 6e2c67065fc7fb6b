#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zephrix {

// A first pass over the name text of the loaded index (LoadedIndex::
// nameText: every name, each ended by a NUL) that passes over the names a
// request's name or type test surely refuses, sixty-four bytes per step, so
// that only the few others get the full test. It looks for a needle every
// accepted name holds: wherever the needle's first and last bytes stand the
// right distance apart, the scan stops at that name. A name holding the
// needle always stops it; the full test then drops the odd name that stopped
// it without holding the needle.
class NameScan {
  public:
    // The text is padded far enough for needles of this length.
    static constexpr size_t MaxNeedle = 256;

    enum class Letters { Exact, EitherCase };
    enum class OtherBytes { PassOver, Stop };
    // The widths of the step: SSE2 everywhere, AVX2 where the processor has it.
    enum class Width { Sse2, Avx2 };

    // needle: bytes that every name the request accepts holds in a row.
    // EitherCase: an ASCII letter of the needle (given in lower case) also
    // matches its capital. OtherBytes::Stop: names with a byte of 0x80 or
    // more stop the scan whatever they hold (their characters may fold to
    // the needle's). A needle that is empty, longer than MaxNeedle or holds a
    // NUL makes no scan: active() is then false.
    void assign(std::string_view needle, Letters letters, OtherBytes otherBytes);
    void clear() { length_ = 0; }
    bool active() const { return length_ > 0; }

    // Passes over at most `most` names from `at`, which is the start of a
    // name of the text, as long as they cannot hold the needle. Returns how
    // many it passed over; `at` is then the start of the next name.
    size_t skip(const char*& at, size_t most) const { return skip(at, most, best()); }
    size_t skip(const char*& at, size_t most, Width width) const;

    static bool available(Width width);

  private:
    static Width best();

    size_t length_ = 0;
    unsigned char first_ = 0;
    unsigned char firstCase_ = 0; // 0x20 where the byte is a letter of either case
    unsigned char last_ = 0;
    unsigned char lastCase_ = 0;
    bool stopAtOtherBytes_ = false;
};

} // namespace zephrix
