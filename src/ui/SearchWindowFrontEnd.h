#pragma once
#include <QObject>
#include <QTimer>
#include <string>
#include <vector>

#include "search/SearchFrontEnd.h"

class QLabel;

namespace zephrix {

class frmSearch;

// The main window as the search sees it: the request its pages hold, its
// labels, buttons and timers, and the message dialog.
//
// The search asks for the request after every yield, tens of thousands of
// times a search, and sets the counting labels about as often; both must cost
// next to nothing. So the request is kept as a snapshot, read from the
// controls again only after one of them changed, and the two counters and
// the scan note are kept as texts and put into their labels a few times a
// second, and at once when the search ends, so the final texts are exact.
class SearchWindowFrontEnd final : public QObject,
                                   public SearchRequestSource,
                                   public SearchStatusView,
                                   public SearchMessages {
    Q_OBJECT
  public:
    static constexpr int LabelIntervalMs = 50;

    explicit SearchWindowFrontEnd(frmSearch& window);

    // A request starts: whatever the controls hold now is read.
    void markRequestChanged() { criteriaStale_ = optionsStale_ = true; }

    void readCriteria(SearchCriteria& criteria) override;
    void readOptions(SearchOptions& options) override;
    void setNameAndType(const std::string& name, const std::string& type) override;

    void setSearchTime(const std::string& text) override;
    void setFilesSearched(const std::string& text) override;
    void setFilesFound(const std::string& text) override;
    void setNotes(const std::string& text) override;
    void showResultsToolbar(bool full) override;
    void showResultsTab() override;
    void showIndexingWindow() override;
    void setSearchTimerRunning(bool running) override;
    void setIndexerTimerRunning(bool running) override;
    void setSearchEnabled(bool enabled) override;
    void setCancelSearchVisible(bool visible) override;
    void setExpandResultsVisible(bool visible) override;

    void displayError(const std::string& message) override;
    void displayOk(const std::string& message) override;

    // Puts the texts kept for the counting labels into them now.
    void showLabels();

  private:
    struct HeldText {
        QLabel* label;
        std::string text;
        bool changed = false;
    };

    void watchControls();
    void hold(HeldText& held, const std::string& text);

    frmSearch& window_;
    SearchCriteria criteria_;
    SearchOptions options_;
    bool criteriaStale_ = true;
    bool optionsStale_ = true;
    HeldText filesSearched_;
    HeldText filesFound_;
    HeldText notes_;
    QTimer labelTimer_;
};

} // namespace zephrix
