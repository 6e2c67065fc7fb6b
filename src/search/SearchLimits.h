#pragma once
#include <cstddef>
#include <cstdint>

// The numbers the search works by.
namespace zephrix::SearchLimits {

// A stored drive index this many hours old, or older, is rebuilt first.
inline constexpr int StaleAgeHours = 100;
// Without the option that lifts it, a search stops at this many files.
inline constexpr int64_t ResultsLimitCount = 1000;
// The examined-files label is refreshed, and the front end given a turn,
// every this many entries.
inline constexpr int64_t ProgressEvery = 100;
// Size classes: small is at most 100 KB, medium at most 1 MB, large at least
// 1 MB (a file of exactly 1 MB is both).
inline constexpr uint64_t SmallMost = uint64_t{100} * 1024;
inline constexpr uint64_t MediumMost = uint64_t{1024} * 1024;
inline constexpr uint64_t LargeLeast = uint64_t{1024} * 1024;
// Files are searched inside in pieces of this many bytes.
inline constexpr size_t InsidePieceSize = 100000;

} // namespace zephrix::SearchLimits
