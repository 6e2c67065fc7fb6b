#include "search/NameScan.h"

#if defined(__x86_64__) && defined(__SSE2__)
#include <immintrin.h>
#define ZEPHRIX_NAME_SCAN_X86 1
#endif

namespace zephrix {
namespace {

constexpr size_t Step = 64;

// The low `count` bits of a step's mask, all of them from Step on.
constexpr uint64_t lowBits(size_t count)
{
    return count >= Step ? ~uint64_t(0) : (uint64_t(1) << count) - 1;
}

constexpr unsigned char caseBitOf(unsigned char c)
{
    return c >= 'a' && c <= 'z' ? 0x20 : 0;
}

// Set bits of x. The baseline processor has no instruction for it, and the
// library's routine is a call.
template <bool Popcnt> [[gnu::always_inline]] inline unsigned bitCount(uint64_t x)
{
    if constexpr (Popcnt) {
        return static_cast<unsigned>(__builtin_popcountll(x));
    } else {
        x -= (x >> 1) & 0x5555555555555555ull;
        x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
        x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
        return static_cast<unsigned>((x * 0x0101010101010101ull) >> 56);
    }
}

// Where a scan stands between its steps of sixty-four bytes. Each step
// gives two masks of its bytes: `stops`, where the needle may begin (or a
// byte that stops the scan by itself stands), and `ends`, the NULs that end
// names. The scan stops in the name of the first stop, unless `most` names
// end before it.
template <bool Popcnt> class Steps {
  public:
    Steps(const char* at, size_t most) : nameStart_(at), left_(most), most_(most) {}

    // True when the scan ends in the step at p.
    [[gnu::always_inline]] bool settle(const char* p, uint64_t stops, uint64_t ends)
    {
        if (stops) {
            const uint64_t before = ends & ((stops & (0 - stops)) - 1);
            const unsigned ended = bitCount<Popcnt>(before);
            if (ended < left_) {
                if (before)
                    nameStart_ = p + Step - static_cast<size_t>(__builtin_clzll(before));
                left_ -= ended;
                return true;
            }
        }
        const unsigned ended = bitCount<Popcnt>(ends);
        if (ended >= left_) {
            // The last name passed over ends at the left_-th NUL here.
            uint64_t rest = ends;
            for (size_t k = 1; k < left_; ++k)
                rest &= rest - 1;
            nameStart_ = p + static_cast<size_t>(__builtin_ctzll(rest)) + 1;
            left_ = 0;
            return true;
        }
        left_ -= ended;
        if (ends)
            nameStart_ = p + Step - static_cast<size_t>(__builtin_clzll(ends));
        return false;
    }

    size_t finish(const char*& at) const
    {
        at = nameStart_;
        return most_ - left_;
    }

  private:
    const char* nameStart_; // of the name the scan is in
    size_t left_;           // names it may still pass over
    size_t most_;
};

using namescan::Needle;
using namescan::Scans;

#if defined(ZEPHRIX_NAME_SCAN_X86)

// The needle's bytes in every lane, and the two masks of one block: the
// lanes where the needle may start, and the NULs.
struct Sse2Needle {
    __m128i first, firstCase, last, lastCase;
    size_t lastAt;
};

template <bool StopAtOtherBytes>
[[gnu::always_inline]] inline void sse2Block(const Sse2Needle& n, const char* p, unsigned shift,
                                             uint64_t& stops, uint64_t& ends)
{
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i later = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + n.lastAt));
    const __m128i both = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(bytes, n.firstCase), n.first),
                                       _mm_cmpeq_epi8(_mm_or_si128(later, n.lastCase), n.last));
    uint64_t here = static_cast<uint32_t>(_mm_movemask_epi8(both));
    if constexpr (StopAtOtherBytes)
        here |= static_cast<uint32_t>(_mm_movemask_epi8(bytes));
    stops |= here << shift;
    const __m128i nul = _mm_cmpeq_epi8(bytes, _mm_setzero_si128());
    ends |= uint64_t(static_cast<uint32_t>(_mm_movemask_epi8(nul))) << shift;
}

template <bool StopAtOtherBytes>
[[gnu::always_inline]] inline void sse2Step(const Sse2Needle& n, const char* p, uint64_t& stops,
                                            uint64_t& ends)
{
    stops = ends = 0;
    sse2Block<StopAtOtherBytes>(n, p, 0, stops, ends);
    sse2Block<StopAtOtherBytes>(n, p + 16, 16, stops, ends);
    sse2Block<StopAtOtherBytes>(n, p + 32, 32, stops, ends);
    sse2Block<StopAtOtherBytes>(n, p + 48, 48, stops, ends);
}

inline Sse2Needle sse2Needle(const Needle& needle)
{
    return {_mm_set1_epi8(static_cast<char>(needle.first)),
            _mm_set1_epi8(static_cast<char>(needle.firstCase)), _mm_set1_epi8(static_cast<char>(needle.last)),
            _mm_set1_epi8(static_cast<char>(needle.lastCase)), needle.lastAt};
}

template <bool StopAtOtherBytes> size_t skipSse2(const Needle& needle, const char*& at, size_t most)
{
    const Sse2Needle n = sse2Needle(needle);
    Steps<false> steps(at, most);
    for (const char* p = at;; p += Step) {
        uint64_t stops, ends;
        sse2Step<StopAtOtherBytes>(n, p, stops, ends);
        if (steps.settle(p, stops, ends))
            return steps.finish(at);
    }
}

template <bool StopAtOtherBytes> bool mayHoldSse2(const Needle& needle, const char* text, size_t length)
{
    const Sse2Needle n = sse2Needle(needle);
    for (size_t at = 0; at < length; at += Step) {
        uint64_t stops, ends;
        sse2Step<StopAtOtherBytes>(n, text + at, stops, ends);
        if (stops & lowBits(length - at))
            return true;
    }
    return false;
}

struct Avx2Needle {
    __m256i first, firstCase, last, lastCase;
    size_t lastAt;
};

template <bool StopAtOtherBytes>
[[gnu::always_inline]] __attribute__((target("avx2"))) inline void
avx2Block(const Avx2Needle& n, const char* p, unsigned shift, uint64_t& stops, uint64_t& ends)
{
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i later = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + n.lastAt));
    const __m256i both = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_or_si256(bytes, n.firstCase), n.first),
                                          _mm256_cmpeq_epi8(_mm256_or_si256(later, n.lastCase), n.last));
    uint64_t here = static_cast<uint32_t>(_mm256_movemask_epi8(both));
    if constexpr (StopAtOtherBytes)
        here |= static_cast<uint32_t>(_mm256_movemask_epi8(bytes));
    stops |= here << shift;
    const __m256i nul = _mm256_cmpeq_epi8(bytes, _mm256_setzero_si256());
    ends |= uint64_t(static_cast<uint32_t>(_mm256_movemask_epi8(nul))) << shift;
}

template <bool StopAtOtherBytes>
[[gnu::always_inline]] __attribute__((target("avx2"))) inline void
avx2Step(const Avx2Needle& n, const char* p, uint64_t& stops, uint64_t& ends)
{
    stops = ends = 0;
    avx2Block<StopAtOtherBytes>(n, p, 0, stops, ends);
    avx2Block<StopAtOtherBytes>(n, p + 32, 32, stops, ends);
}

__attribute__((target("avx2"))) inline Avx2Needle avx2Needle(const Needle& needle)
{
    return {_mm256_set1_epi8(static_cast<char>(needle.first)),
            _mm256_set1_epi8(static_cast<char>(needle.firstCase)),
            _mm256_set1_epi8(static_cast<char>(needle.last)),
            _mm256_set1_epi8(static_cast<char>(needle.lastCase)), needle.lastAt};
}

template <bool StopAtOtherBytes>
__attribute__((target("avx2,popcnt"))) size_t skipAvx2(const Needle& needle, const char*& at, size_t most)
{
    const Avx2Needle n = avx2Needle(needle);
    Steps<true> steps(at, most);
    for (const char* p = at;; p += Step) {
        uint64_t stops, ends;
        avx2Step<StopAtOtherBytes>(n, p, stops, ends);
        if (steps.settle(p, stops, ends))
            return steps.finish(at);
    }
}

template <bool StopAtOtherBytes>
__attribute__((target("avx2"))) bool mayHoldAvx2(const Needle& needle, const char* text, size_t length)
{
    const Avx2Needle n = avx2Needle(needle);
    for (size_t at = 0; at < length; at += Step) {
        uint64_t stops, ends;
        avx2Step<StopAtOtherBytes>(n, text + at, stops, ends);
        if (stops & lowBits(length - at))
            return true;
    }
    return false;
}

#else

// Elsewhere a byte at a time, with the same masks.
template <bool StopAtOtherBytes>
void plainStep(const Needle& needle, const char* p, uint64_t& stops, uint64_t& ends)
{
    stops = ends = 0;
    for (size_t k = 0; k < Step; ++k) {
        const auto byte = static_cast<unsigned char>(p[k]);
        const auto later = static_cast<unsigned char>(p[k + needle.lastAt]);
        const bool stop =
            ((byte | needle.firstCase) == needle.first && (later | needle.lastCase) == needle.last) ||
            (StopAtOtherBytes && byte >= 0x80);
        stops |= uint64_t(stop) << k;
        ends |= uint64_t(byte == 0) << k;
    }
}

template <bool StopAtOtherBytes> size_t skipPlain(const Needle& needle, const char*& at, size_t most)
{
    Steps<false> steps(at, most);
    for (const char* p = at;; p += Step) {
        uint64_t stops, ends;
        plainStep<StopAtOtherBytes>(needle, p, stops, ends);
        if (steps.settle(p, stops, ends))
            return steps.finish(at);
    }
}

template <bool StopAtOtherBytes> bool mayHoldPlain(const Needle& needle, const char* text, size_t length)
{
    for (size_t at = 0; at < length; at += Step) {
        uint64_t stops, ends;
        plainStep<StopAtOtherBytes>(needle, text + at, stops, ends);
        if (stops & lowBits(length - at))
            return true;
    }
    return false;
}

#endif

#if defined(ZEPHRIX_NAME_SCAN_X86)
const Scans Sse2Scans[2] = {{skipSse2<false>, mayHoldSse2<false>}, {skipSse2<true>, mayHoldSse2<true>}};
const Scans Avx2Scans[2] = {{skipAvx2<false>, mayHoldAvx2<false>}, {skipAvx2<true>, mayHoldAvx2<true>}};
#else
const Scans PlainScans[2] = {{skipPlain<false>, mayHoldPlain<false>}, {skipPlain<true>, mayHoldPlain<true>}};
#endif

const Scans& scansAt(NameScan::Width width, bool stopAtOtherBytes)
{
#if defined(ZEPHRIX_NAME_SCAN_X86)
    return (width == NameScan::Width::Avx2 ? Avx2Scans : Sse2Scans)[stopAtOtherBytes];
#else
    (void)width;
    return PlainScans[stopAtOtherBytes];
#endif
}

} // namespace

void NameScan::assign(std::string_view needle, Letters letters, OtherBytes otherBytes)
{
    scans_ = nullptr;
    if (needle.empty() || needle.size() > MaxNeedle || needle.find('\0') != std::string_view::npos)
        return;
    const auto first = static_cast<unsigned char>(needle.front());
    const auto last = static_cast<unsigned char>(needle.back());
    const bool eitherCase = letters == Letters::EitherCase;
    needle_.first = first;
    needle_.firstCase = eitherCase ? caseBitOf(first) : 0;
    needle_.last = last;
    needle_.lastCase = eitherCase ? caseBitOf(last) : 0;
    needle_.lastAt = needle.size() - 1;
    stopAtOtherBytes_ = otherBytes == OtherBytes::Stop;
    static const Width widest = available(Width::Avx2) ? Width::Avx2 : Width::Sse2;
    scans_ = &scansAt(widest, stopAtOtherBytes_);
}

size_t NameScan::skip(const char*& at, size_t most, Width width) const
{
    return scans_ && most > 0 && available(width) ? scansAt(width, stopAtOtherBytes_).skip(needle_, at, most)
                                                  : 0;
}

bool NameScan::mayHold(const char* text, size_t length, Width width) const
{
    return !scans_ || !available(width) || scansAt(width, stopAtOtherBytes_).mayHold(needle_, text, length);
}

bool NameScan::available(Width width)
{
#if defined(ZEPHRIX_NAME_SCAN_X86)
    if (width == Width::Avx2) {
        static const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
        return avx2;
    }
    return true;
#else
    return width == Width::Sse2;
#endif
}

} // namespace zephrix
