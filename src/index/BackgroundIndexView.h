#pragma once
#include <string>

namespace zephrix {

// What background indexing reads from the main window and shows on it: the
// Options page's drive list, interval, label and force button, the indexer's
// own timer, and the search that a waiting request is handed back to.
class BackgroundIndexView {
  public:
    virtual ~BackgroundIndexView() = default;

    // lstIndexDrives, read row by row while a pass runs, so that a drive
    // unticked during the build of an earlier one is left alone.
    virtual int indexDriveCount() const = 0;
    virtual bool indexDriveChecked(int row) const = 0;
    virtual std::string indexDriveRoot(int row) const = 0; // a mount point ending in '/'

    // txtHours as it reads now: the re-index interval, typed or picked.
    virtual std::string reindexHoursText() const = 0;

    virtual void setReindexing(const std::string& text) = 0; // lblReindexing
    virtual void showIndexingWindow() = 0;                   // frmIndexing, without waiting
    virtual void setForceIndexEnabled(bool enabled) = 0;     // cmdForceIndex
    virtual void setIndexerTimerEnabled(bool enabled) = 0;   // tmrIndexer

    // A search is between its start and its end.
    virtual bool searchRunning() const = 0;
    // The search's cmdSearch_Click, for a request that waited for a pass.
    virtual void runWaitingSearch() = 0;
};

} // namespace zephrix
