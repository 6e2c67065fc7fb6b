#pragma once
#include <cstdint>
#include <string>

#include "core/EngineHost.h"
#include "index/LoadedIndex.h"

namespace zephrix {

class IndexingView;

// The index state that lives as long as the process, with the services the
// builder and loader report through.
struct IndexContext {
    std::string indexesDir; // folder holding the index pairs
    YieldFn yield = [] {};
    ErrorReporter* errors = nullptr;      // never null while building or loading
    IndexingView* indexingView = nullptr; // may be null: nothing is shown

    bool CancelIndexing = false; // set by Cancel Search; a build stops at its checks

    // Between searches and background builds: a request that arrived while a
    // background build ran waits (SearchWaitingForIndex) and the indexer runs
    // it again when its pass ends.
    bool SearchWaitingForIndex = false;
    std::string BackgroundIndexRoot; // root of the last background or forced build
    bool BackgroundIndexing = false; // lblReindexing shows a root: a build is running
    LoadedIndex index;               // IndexEntries and IndexFolders
    std::string LoadedIndexRoot;     // root of the pair in `index`, empty when none
    // The entries file `index` was read from, as it was then: a build renames
    // a new file into place, so a changed identity means a newer pair.
    struct FileIdentity {
        std::string path;
        uint64_t device = 0, inode = 0;
        int64_t modifiedNanoseconds = 0;
        bool operator==(const FileIdentity&) const = default;
    } loadedEntriesFile;
};

} // namespace zephrix
