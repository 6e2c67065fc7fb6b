#pragma once
#include <chrono>
#include <map>
#include <string>
#include <string_view>

#include "index/BackgroundIndexView.h"
#include "index/IndexBuilder.h"
#include "index/IndexContext.h"

namespace zephrix {

// Keeps the indexes of the ticked drives fresh while the program runs: every
// tick of the window's tmrIndexer builds a drive that has no index and
// rebuilds one older than the interval, quietly; the force button rebuilds
// them all with the indexing window shown. Never two builds at once: ticks
// that arrive while a pass builds are dropped, a search that arrives waits
// and is run at the end of the pass, and a forced re-index asked for while a
// search runs waits for that search to end.
//
// Wiring: tmrIndexer (10 s) calls tmrIndexer_Timer; cmdForceIndex and the
// tray menu's Re-Index call cmdForceIndex_Click; the window calls
// searchEnded() each time the search's cmdSearch_Click returns.
class BackgroundIndexer {
  public:
    // Which ticked roots may be built. An unmounted drive leaves its empty
    // mount folder behind, and indexing that would replace the drive's index
    // with an empty one: MountedDrives builds a root only while it is a mount
    // point. AnyFolder takes roots that are plain folders as they are.
    enum class RootCheck { MountedDrives, AnyFolder };

    static constexpr int PassLocation = 6049;      // tmrIndexer_Timer
    static constexpr int ForceLocation = 60491292; // cmdForceIndex_Click
    static constexpr const char* ReindexingText = "Background Indexing ";

    BackgroundIndexer(IndexContext& ctx, BackgroundIndexView& view,
                      RootCheck check = RootCheck::MountedDrives);

    void tmrIndexer_Timer();
    void cmdForceIndex_Click();
    // The search's cmdSearch_Click has returned: a forced re-index asked for
    // while it ran goes ahead now.
    void searchEnded();

    // A pass or a forced re-index is between its start and its end.
    bool busy() const { return busy_; }
    bool forceIndexPending() const { return forcePending_; }

    // After a root's build or age check was reported as failed, the schedule
    // leaves that root alone this long instead of failing again every tick
    // (a full disk, an unreadable drive). The forced re-index always tries.
    void setRetryDelay(std::chrono::seconds delay) { retryDelay_ = delay; }

  private:
    void runPass();
    void runForcedReIndex();
    // Builds root quietly or with the indexing window. A pass skips a root
    // whose pair another build (another process, say) is writing: it comes
    // back to it on a later tick. A forced re-index waits for that build.
    BuildOutcome build(const std::string& root, IndexingWindow window, LockWait wait);
    bool heldOff(const std::string& root) const;
    bool mayBuild(const std::string& root) const;
    void setReindexing(const std::string& text);
    void reportFailure(int location, const std::string& suffix);

    IndexContext& ctx_;
    BackgroundIndexView& view_;
    RootCheck check_;
    bool busy_ = false;
    bool forcePending_ = false;
    std::chrono::seconds retryDelay_{3600};
    std::map<std::string, std::chrono::steady_clock::time_point> retryAt_;
};

// The re-index interval that txtHours gives: a whole number of hours from 1
// up, blanks around it allowed (one beyond the int range means practically
// never). Anything else, "0" and negative numbers included, gives the
// default of 3 hours: an interval that cannot be read must neither stop the
// indexes from being refreshed nor rebuild them on every tick.
int reindexIntervalHours(std::string_view text);
inline constexpr int DefaultReindexHours = 3;

// True while root is a mount point (or "/"): a drive that is there now.
bool rootIsMounted(const std::string& root);

} // namespace zephrix
