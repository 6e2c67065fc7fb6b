#pragma once
#include <cstddef>

namespace zephrix {

// A range of address space reserved up front and made usable as it fills.
// What is stored never moves, so a table can grow into it without copying,
// and only pages that were written cost memory. Reservations from a few
// hundred KiB on start on a huge-page boundary and ask for huge pages: on
// virtual machines the first touch of every 4 KiB page is a costly fault.
class ReservedPages {
  public:
    ReservedPages() = default;
    ~ReservedPages();
    ReservedPages(ReservedPages&& other) noexcept;
    ReservedPages& operator=(ReservedPages&& other) noexcept;
    ReservedPages(const ReservedPages&) = delete;
    ReservedPages& operator=(const ReservedPages&) = delete;

    // Drops what was held and reserves room for `limit` bytes; false with
    // errno set when the address space cannot be had.
    bool reserve(size_t limit);

    // Makes at least the first `bytes` readable and writable; false with
    // errno set past the reservation or when the memory cannot be had.
    bool commit(size_t bytes);

    // Gives back the pages past the first `bytes`; they cannot be committed
    // again.
    void trim(size_t bytes);

    // Under AddressSanitizer, makes any use of the committed bytes past the
    // first `bytes` an error, so views that run past their text are caught;
    // nothing otherwise.
    void guardAfter(size_t bytes) const;

    char* data() const { return start_; }
    size_t reserved() const { return reserved_; }
    size_t committed() const { return committed_; }

  private:
    void release();

    char* start_ = nullptr;
    size_t reserved_ = 0;
    size_t committed_ = 0;
    bool huge_ = false;
};

} // namespace zephrix
