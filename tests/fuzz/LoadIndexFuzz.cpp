// libFuzzer target for the index loader: an entries file, a NUL byte and a folders file. A load
// either fails with a report and empty tables, or every entry names an existing folder, unreported.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "core/EngineHost.h"
#include "index/IndexLoader.h"

namespace {

struct CountingReporter : zephrix::ErrorReporter {
    void reportError(int, int, const std::string&) override { ++count; }
    int count = 0;
};

void require(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string folder = [] {
        std::string pattern = "/tmp/zephrix-fuzz-XXXXXX";
        require(::mkdtemp(pattern.data()) != nullptr);
        return pattern;
    }();
    const auto* split = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    const size_t entriesSize = split ? size_t(split - data) : size;
    std::ofstream(folder + "/temp.idx", std::ios::binary)
        .write(reinterpret_cast<const char*>(data), entriesSize);
    ::unlink((folder + "/temppaths.idx").c_str());
    if (split)
        std::ofstream(folder + "/temppaths.idx", std::ios::binary)
            .write(reinterpret_cast<const char*>(split + 1), std::streamsize(size - entriesSize - 1));

    CountingReporter reporter;
    zephrix::IndexContext ctx;
    ctx.indexesDir = folder;
    ctx.errors = &reporter;
    const bool loaded = zephrix::LoadIndex(ctx, "/fuzz/", zephrix::IndexMode::Folder);
    require(loaded == (ctx.LoadedIndexRoot == "/fuzz/"));
    require(loaded ? reporter.count == 0 : ctx.index.entryCount() == 0 && ctx.index.folderCount() == 0);
    size_t bytes = 0;
    for (size_t row = 0; row < ctx.index.entryCount(); ++row) {
        const zephrix::IndexEntry entry = ctx.index.entry(row);
        require(entry.folderIndex < ctx.index.folderCount() && ctx.index.entryName(row) == entry.name &&
                ctx.index.entryFolder(row) == entry.folderIndex);
        // Every byte is read, so the sanitizer sees any view past its buffer.
        for (std::string_view field :
             {entry.name, entry.size, entry.created, entry.modified, ctx.index.folder(entry.folderIndex)})
            for (char c : field)
                bytes += static_cast<unsigned char>(c);
    }
    if (ctx.index.entryCount() > 0)
        ctx.index.completeEntry(0, "1", "2", "3");
    return bytes == SIZE_MAX ? 1 : 0;
}
