#pragma once
#include <functional>

#include "index/BackgroundIndexView.h"

namespace zephrix {

class frmSearch;
class SearchDriver;

// Background indexing's view of the main window: the Options page's drive
// list, interval box, label and force button, the indexer's timer, and the
// window's search.
class BackgroundIndexWindowView final : public BackgroundIndexView {
  public:
    // runSearch: the window's search command, for a request that waited.
    BackgroundIndexWindowView(frmSearch& window, const SearchDriver& driver, std::function<void()> runSearch);

    int indexDriveCount() const override;
    bool indexDriveChecked(int row) const override;
    std::string indexDriveRoot(int row) const override;
    std::string reindexHoursText() const override;
    void setReindexing(const std::string& text) override;
    void showIndexingWindow() override;
    void setForceIndexEnabled(bool enabled) override;
    void setIndexerTimerEnabled(bool enabled) override;
    bool searchRunning() const override;
    void runWaitingSearch() override;

  private:
    frmSearch& window_;
    const SearchDriver& driver_;
    std::function<void()> runSearch_;
};

} // namespace zephrix
