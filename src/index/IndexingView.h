#pragma once
#include <string>

namespace zephrix {

// What a build shows while it walks (the indexing window, or the command
// line's progress line). Each call carries the label's whole text.
class IndexingView {
  public:
    virtual ~IndexingView() = default;
    virtual void showIndexing() = 0;
    virtual void hideIndexing() = 0;
    virtual void setIndexingPath(const std::string& text) = 0;       // "Indexing: /home/"
    virtual void setIndexingStatus(const std::string& text) = 0;     // folder just found
    virtual void setIndexingFilesFound(const std::string& text) = 0; // "Files Found: 100"
    virtual void setIndexingDirectoriesFound(const std::string& text) = 0;
};

} // namespace zephrix
