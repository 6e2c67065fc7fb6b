#pragma once
#include <functional>
#include <string>

#include "core/FileDescriptor.h"

namespace zephrix {

struct EntryIdentity;

// Deletes what result rows name, and nothing else. Every step works relative
// to an open folder descriptor, so no path is ever resolved twice:
// - a symbolic link is removed as a link, wherever it points;
// - a folder is walked without following links and without entering another
//   mounted file system (a mount point met inside stays, with its folders);
// - write-protected files stay, and so do the folders holding them; a file
//   or folder that nobody may write counts as write-protected even for root;
// - an entry whose kind changed since the search (a file row that is now a
//   folder, or the reverse) is left alone, except that a link is removed.
class EntryRemover {
  public:
    // `yield` runs after every `yieldEvery` entries examined, so the windows
    // keep answering during a long delete.
    explicit EntryRemover(std::function<void()> yield = {}, unsigned yieldEvery = 256);

    // Removes folder/name (folder ends in '/'); `isFolder` is what the row
    // says the entry is. True when nothing of that name is left afterwards,
    // also when it was already gone.
    bool remove(const std::string& folder, const std::string& name, bool isFolder);

  private:
    int openParent(const std::string& folder, int& error);
    bool removeFolderContent(int parent, const std::string& name, const EntryIdentity& expected);
    void tick();

    std::function<void()> yield_;
    unsigned yieldEvery_;
    unsigned sinceYield_ = 0;
    // Rows mostly share their folder: the last one stays open.
    std::string parentPath_;
    FileDescriptor parent_;
};

} // namespace zephrix
