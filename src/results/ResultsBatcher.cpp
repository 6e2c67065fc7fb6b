#include "results/ResultsBatcher.h"

#include "results/ResultsModel.h"

namespace zephrix {

ResultsBatcher::ResultsBatcher(ResultsModel& model, std::function<bool()> showIcons, QObject* parent)
    : QObject(parent), model_(model), showIcons_(std::move(showIcons))
{
    showTimer_.setSingleShot(true);
    showTimer_.setInterval(ShowInterval);
    connect(&showTimer_, &QTimer::timeout, this, &ResultsBatcher::showPending);
    sinceShown_.start();
}

void ResultsBatcher::clearResults()
{
    showTimer_.stop();
    std::vector<ResultRow>().swap(pending_);
    model_.clear();
    icons_ = showIcons_ && showIcons_() ? RowIcons::ByType : RowIcons::None;
    sinceShown_.start();
}

void ResultsBatcher::addResult(ResultRow&& row)
{
    pending_.push_back(std::move(row));
    if (sinceShown_.hasExpired(ShowInterval))
        showPending();
    else if (pending_.size() == 1)
        showTimer_.start();
}

void ResultsBatcher::flushResults()
{
    showPending();
    // The search is over or paused for a message: the room gathered for a
    // burst of rows is not needed meanwhile.
    std::vector<ResultRow>().swap(pending_);
}

void ResultsBatcher::showPending()
{
    showTimer_.stop();
    sinceShown_.start();
    if (!pending_.empty()) {
        model_.appendRows(std::move(pending_), icons_);
        pending_.clear();
    }
}

} // namespace zephrix
