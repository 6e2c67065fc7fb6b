#include "ui/BackgroundIndexWindowView.h"

#include <QLineEdit>
#include <QTimer>

#include "search/SearchDriver.h"
#include "ui/DriveCheckList.h"
#include "ui/OptionsPage.h"
#include "ui/PictureButton.h"
#include "ui/frmIndexing.h"
#include "ui/frmSearch.h"

namespace zephrix {

BackgroundIndexWindowView::BackgroundIndexWindowView(frmSearch& window, const SearchDriver& driver,
                                                     std::function<void()> runSearch)
    : window_(window), driver_(driver), runSearch_(std::move(runSearch))
{
}

int BackgroundIndexWindowView::indexDriveCount() const
{
    return window_.fraOptions->lstIndexDrives->rowCount();
}

bool BackgroundIndexWindowView::indexDriveChecked(int row) const
{
    return window_.fraOptions->lstIndexDrives->isChecked(row);
}

std::string BackgroundIndexWindowView::indexDriveRoot(int row) const
{
    return window_.fraOptions->lstIndexDrives->rootAt(row);
}

std::string BackgroundIndexWindowView::reindexHoursText() const
{
    return window_.txtHours()->text().toStdString();
}

void BackgroundIndexWindowView::setReindexing(const std::string& text)
{
    window_.setReindexingText(text);
}

void BackgroundIndexWindowView::showIndexingWindow()
{
    frmIndexing::instance().showIndexing();
}

void BackgroundIndexWindowView::setForceIndexEnabled(bool enabled)
{
    window_.fraOptions->cmdForceIndex->setEnabled(enabled);
}

void BackgroundIndexWindowView::setIndexerTimerEnabled(bool enabled)
{
    if (enabled)
        window_.tmrIndexer->start();
    else
        window_.tmrIndexer->stop();
}

bool BackgroundIndexWindowView::searchRunning() const
{
    return driver_.running();
}

void BackgroundIndexWindowView::runWaitingSearch()
{
    runSearch_();
}

} // namespace zephrix
