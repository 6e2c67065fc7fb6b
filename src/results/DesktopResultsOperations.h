#pragma once
#include <chrono>

#include "results/ResultsOperations.h"
#include "shell/FileManagerBus.h"

namespace zephrix {

// The file operations of the results lists, done on this desktop: folders
// and properties through the user's file manager, files in their default
// application, renames that never replace anything, deletes that never
// leave the selected rows' own paths, drags that offer the one action the
// "DragMode" option chooses. Messages go through the message dialog.
class DesktopResultsOperations final : public ResultsOperations {
  public:
    // `fileManagerTimeout`: how long the file manager may take to answer
    // over the session bus before the fallback is used.
    explicit DesktopResultsOperations(
        std::chrono::milliseconds fileManagerTimeout = FileManagerBus::CallTimeout);

    void openEntry(QWidget* owner, const ResultRow& row) override;
    void showProperties(QWidget* owner, const ResultRow& row) override;
    bool renameEntry(QWidget* owner, const ResultRow& row, const std::string& newName) override;
    std::vector<size_t> deleteEntries(QWidget* owner, const std::vector<ResultRow>& rows) override;
    bool dragEntries(QWidget* source, const std::vector<ResultRow>& rows) override;

  private:
    std::chrono::milliseconds fileManagerTimeout_;
    bool deleting_ = false;
};

} // namespace zephrix
