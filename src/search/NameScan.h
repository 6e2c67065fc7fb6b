#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zephrix {

namespace namescan {

// The needle as the scans compare with it.
struct Needle {
    unsigned char first = 0, firstCase = 0; // case: 0x20 where a letter may be of either case
    unsigned char last = 0, lastCase = 0;
    size_t lastAt = 0; // from the first byte to the last
};

// The two scans at one width, for one choice of OtherBytes.
struct Scans {
    size_t (*skip)(const Needle& needle, const char*& at, size_t most);
    bool (*mayHold)(const Needle& needle, const char* text, size_t length);
};

} // namespace namescan

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
    void clear() { scans_ = nullptr; }
    bool active() const { return scans_ != nullptr; }

    // Passes over at most `most` names from `at`, which is the start of a
    // name of the text, as long as they cannot hold the needle. Returns how
    // many it passed over; `at` is then the start of the next name.
    size_t skip(const char*& at, size_t most) const
    {
        return scans_ && most > 0 ? scans_->skip(needle_, at, most) : 0;
    }

    // Whether the text (any text, not only one of the name text, with
    // MaxNeedle + 64 readable bytes after it) may hold the needle: false
    // only when it surely does not. True when the scan is not active.
    bool mayHold(const char* text, size_t length) const
    {
        return !scans_ || scans_->mayHold(needle_, text, length);
    }

    // The same at a width of the caller's choice, which the processor has.
    size_t skip(const char*& at, size_t most, Width width) const;
    bool mayHold(const char* text, size_t length, Width width) const;
    static bool available(Width width);

  private:
    namescan::Needle needle_;
    bool stopAtOtherBytes_ = false;
    const namescan::Scans* scans_ = nullptr; // at the widest width there is; null: no scan
};

} // namespace zephrix
