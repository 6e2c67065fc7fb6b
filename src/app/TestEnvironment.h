#pragma once
#include <optional>
#include <string>

namespace zephrix {

// Switches that only tests and benchmarks set, read from the environment in
// this one place so that the program's own code never looks for them.

// ZEPHRIX_TEST_MOUNTS names a mount table file to read the drives from
// instead of /proc/self/mounts, so a test can give folders of a temporary
// tree as drives. Those are no mount points, so background indexing then
// builds plain folders too.
std::string driveMountTable();
bool drivesFromTestMountTable();

// ZEPHRIX_TEST_INDEXER_MS: the interval of the background indexing timer
// instead of ten seconds, so a test sees the first pass soon.
std::optional<int> testIndexerInterval();

// ZEPHRIX_TEST_EVENT_LOG names a file that tests read to see what the running
// program did: one line per event ("listening", "shown", a search's rows).
bool testEventLogWanted();
void logTestEvent(const std::string& line);

} // namespace zephrix
