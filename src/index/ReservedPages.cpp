#include "index/ReservedPages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <utility>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZEPHRIX_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ZEPHRIX_ASAN 1
#endif
#if defined(ZEPHRIX_ASAN)
#include <sanitizer/asan_interface.h>
#endif

namespace zephrix {
namespace {

constexpr size_t HugePage = size_t(2) << 20;
// From this size on a table gets huge pages: clearing one 2 MiB page costs
// less than faulting in sixty-four small ones on a virtual machine.
constexpr size_t HugeFrom = size_t(256) << 10;

size_t pageSize()
{
    static const size_t size = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    return size;
}

size_t roundUp(size_t bytes, size_t unit)
{
    return (bytes + unit - 1) / unit * unit;
}

} // namespace

ReservedPages::~ReservedPages()
{
    release();
}

ReservedPages::ReservedPages(ReservedPages&& other) noexcept
    : start_(std::exchange(other.start_, nullptr)), reserved_(std::exchange(other.reserved_, 0)),
      committed_(std::exchange(other.committed_, 0)), huge_(std::exchange(other.huge_, false))
{
}

ReservedPages& ReservedPages::operator=(ReservedPages&& other) noexcept
{
    if (this != &other) {
        release();
        start_ = std::exchange(other.start_, nullptr);
        reserved_ = std::exchange(other.reserved_, 0);
        committed_ = std::exchange(other.committed_, 0);
        huge_ = std::exchange(other.huge_, false);
    }
    return *this;
}

void ReservedPages::release()
{
#if defined(ZEPHRIX_ASAN)
    // The sanitizer would keep the marks for the next mapping at this place.
    if (start_)
        ASAN_UNPOISON_MEMORY_REGION(start_, committed_);
#endif
    if (start_)
        ::munmap(start_, reserved_);
    start_ = nullptr;
    reserved_ = 0;
    committed_ = 0;
    huge_ = false;
}

bool ReservedPages::reserve(size_t limit)
{
    release();
    if (limit == 0)
        return true;
    const bool huge = limit >= HugeFrom;
    const size_t size = roundUp(limit, huge ? HugePage : pageSize());
    if (size < limit) {
        errno = ENOMEM;
        return false;
    }
    // Inaccessible pages are not charged as memory; commit() opens them.
    const size_t slack = huge ? HugePage : 0;
    void* mapped = ::mmap(nullptr, size + slack, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return false;
    char* start = static_cast<char*>(mapped);
    if (huge) {
        // Start on a huge-page boundary and hand back the slack on both sides.
        char* aligned = reinterpret_cast<char*>(roundUp(reinterpret_cast<uintptr_t>(start), HugePage));
        if (aligned > start)
            ::munmap(start, size_t(aligned - start));
        const size_t after = slack - size_t(aligned - start);
        if (after > 0)
            ::munmap(aligned + size, after);
        start = aligned;
        ::madvise(start, size, MADV_HUGEPAGE);
    }
    start_ = start;
    reserved_ = size;
    huge_ = huge;
    return true;
}

bool ReservedPages::commit(size_t bytes)
{
    if (bytes <= committed_)
        return true;
    if (bytes > reserved_) {
        errno = ENOMEM;
        return false;
    }
    // Whole huge pages where the reservation has them, so growing a table
    // step by step does not split them.
    const size_t unit = huge_ ? HugePage : pageSize();
    const size_t target = std::min(roundUp(bytes, unit), reserved_);
    if (::mprotect(start_ + committed_, target - committed_, PROT_READ | PROT_WRITE) != 0)
        return false;
    committed_ = target;
    return true;
}

void ReservedPages::trim(size_t bytes)
{
    // A huge page cut in two would be split into small ones.
    const size_t keep = roundUp(bytes, huge_ ? HugePage : pageSize());
    if (keep >= reserved_)
        return;
#if defined(ZEPHRIX_ASAN)
    if (committed_ > keep)
        ASAN_UNPOISON_MEMORY_REGION(start_ + keep, committed_ - keep);
#endif
    ::munmap(start_ + keep, reserved_ - keep);
    if (keep == 0)
        start_ = nullptr;
    reserved_ = keep;
    committed_ = std::min(committed_, keep);
}

void ReservedPages::guardAfter(size_t bytes) const
{
#if defined(ZEPHRIX_ASAN)
    if (bytes < committed_)
        ASAN_POISON_MEMORY_REGION(start_ + bytes, committed_ - bytes);
#else
    (void)bytes;
#endif
}

} // namespace zephrix
