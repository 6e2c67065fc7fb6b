#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

#include "results/ResultsEntry.h"
#include "search/SearchFrontEnd.h"

namespace zephrix {

class ResultsModel;

// The search's result sink for a results list. A row found is only appended to
// a vector; the rows gathered go into the model with one insert every
// ShowInterval (checked as rows arrive, and by a timer for a search that goes
// quiet) and whenever the search flushes. A hundred thousand rows thus cost a
// hundred thousand appends and a few dozen view updates.
class ResultsBatcher : public QObject, public ResultSink {
    Q_OBJECT
  public:
    static constexpr int ShowInterval = 75; // ms

    // showIcons is asked when a search starts: its rows get icons or not, and
    // a change of the option meanwhile applies to the next search.
    ResultsBatcher(ResultsModel& model, std::function<bool()> showIcons, QObject* parent = nullptr);

    void clearResults() override;
    void addResult(ResultRow&& row) override;
    void flushResults() override;

    // Rows received but not shown yet.
    size_t pendingCount() const { return pending_.size(); }

  private:
    void showPending();

    ResultsModel& model_;
    std::function<bool()> showIcons_;
    RowIcons icons_ = RowIcons::None;
    std::vector<ResultRow> pending_;
    QElapsedTimer sinceShown_;
    QTimer showTimer_;
};

} // namespace zephrix
