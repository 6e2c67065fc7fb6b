#pragma once
#include <chrono>
#include <memory>
#include <string>

#include "index/IndexContext.h"
#include "index/IndexingView.h"

namespace zephrix::cli {

// The indexing window's labels as one status line on a terminal. The builder
// sets the labels every hundred files; the line is redrawn at most ten times
// a second so a fast walk does not spend its time on the terminal.
class TerminalProgress : public IndexingView {
  public:
    explicit TerminalProgress(int fd) : fd_(fd) {}

    void showIndexing() override {}
    void hideIndexing() override;
    void setIndexingPath(const std::string& text) override;
    void setIndexingStatus(const std::string& text) override;
    void setIndexingFilesFound(const std::string& text) override;
    void setIndexingDirectoriesFound(const std::string& text) override;

  private:
    void redraw();

    int fd_;
    std::string path_;
    std::string status_;
    std::string files_ = "Files Found:";
    std::string directories_ = "Directories Found:";
    std::string line_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point lastDraw_{};
};

// Shows a build's progress on stderr when it is a terminal (never into a
// file or pipe); the returned view must outlive the build.
std::unique_ptr<TerminalProgress> showProgressOnTerminal(IndexContext& ctx);

} // namespace zephrix::cli
