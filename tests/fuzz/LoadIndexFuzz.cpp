// libFuzzer target for the index loader: the input is an entries file, a NUL
// byte, and a folders file. Whatever the bytes, a load must either fail with
// a report or give tables whose every entry names an existing folder.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/EngineHost.h"
#include "index/IndexLoader.h"

namespace {

class CountingReporter : public zephrix::ErrorReporter {
  public:
    void reportError(int, int, const std::string&) override { ++count; }
    int count = 0;
};

std::string scratchFolder()
{
    static std::string folder = [] {
        std::string pattern = "/dev/shm/zephrix-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) {
            pattern = "/tmp/zephrix-fuzz-XXXXXX";
            if (!::mkdtemp(pattern.data()))
                std::abort();
        }
        return pattern;
    }();
    return folder;
}

void writeFile(const std::string& path, const uint8_t* data, size_t size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        std::abort();
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written <= 0)
            std::abort();
        data += written;
        size -= static_cast<size_t>(written);
    }
    ::close(fd);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string folder = scratchFolder();
    const auto* split = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    const size_t entriesSize = split ? size_t(split - data) : size;
    writeFile(folder + "/temp.idx", data, entriesSize);
    if (split)
        writeFile(folder + "/temppaths.idx", split + 1, size - entriesSize - 1);
    else
        ::unlink((folder + "/temppaths.idx").c_str());

    CountingReporter reporter;
    zephrix::IndexContext ctx;
    ctx.indexesDir = folder;
    ctx.errors = &reporter;
    const bool loaded = zephrix::LoadIndex(ctx, "/fuzz/", zephrix::IndexMode::Folder);
    if (loaded != (ctx.LoadedIndexRoot == "/fuzz/"))
        std::abort();
    if (!loaded) {
        if (ctx.index.entryCount() != 0 || ctx.index.folderCount() != 0)
            std::abort();
        return 0;
    }
    if (reporter.count != 0)
        std::abort();
    size_t bytes = 0;
    for (size_t row = 0; row < ctx.index.entryCount(); ++row) {
        const zephrix::IndexEntry entry = ctx.index.entry(row);
        if (entry.folderIndex >= ctx.index.folderCount())
            std::abort();
        if (ctx.index.entryName(row) != entry.name || ctx.index.entryFolder(row) != entry.folderIndex)
            std::abort();
        // Touch every byte so the sanitizer sees any view past its buffer.
        for (std::string_view field : {entry.name, entry.size, entry.created, entry.modified})
            for (char c : field)
                bytes += static_cast<unsigned char>(c);
        bytes += ctx.index.folder(entry.folderIndex).size();
    }
    for (size_t k = 0; k < ctx.index.folderCount(); ++k)
        for (char c : ctx.index.folder(k))
            bytes += static_cast<unsigned char>(c);
    if (ctx.index.entryCount() > 0)
        ctx.index.completeEntry(0, "1", "2", "3");
    return bytes == SIZE_MAX ? 1 : 0;
}
