#include "app/TestEnvironment.h"

#include <fcntl.h>

#include <cstdlib>

#include "core/FileDescriptor.h"

namespace zephrix {
namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::string driveMountTable()
{
    const std::string table = environment("ZEPHRIX_TEST_MOUNTS");
    return table.empty() ? "/proc/self/mounts" : table;
}

bool drivesFromTestMountTable()
{
    return !environment("ZEPHRIX_TEST_MOUNTS").empty();
}

std::optional<int> testIndexerInterval()
{
    const std::string text = environment("ZEPHRIX_TEST_INDEXER_MS");
    char* end = nullptr;
    const long ms = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || ms <= 0 || ms > 3600000)
        return std::nullopt;
    return static_cast<int>(ms);
}

bool testEventLogWanted()
{
    return !environment("ZEPHRIX_TEST_EVENT_LOG").empty();
}

void logTestEvent(const std::string& line)
{
    const std::string path = environment("ZEPHRIX_TEST_EVENT_LOG");
    if (path.empty())
        return;
    // One write per line with O_APPEND: a test reading meanwhile never sees
    // half a line from this process.
    FileDescriptor log(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    const std::string whole = line + '\n';
    if (log.isOpen())
        writeFully(log.get(), whole.data(), whole.size());
}

} // namespace zephrix
