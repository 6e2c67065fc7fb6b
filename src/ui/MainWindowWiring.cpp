#include "ui/MainWindowWiring.h"

#include <QLabel>
#include <QTimer>

#include "app/DataPaths.h"
#include "app/ErrorReport.h"
#include "app/ProgramEnd.h"
#include "app/SearchSession.h"
#include "app/TestEnvironment.h"
#include "core/DecimalText.h"
#include "index/BackgroundIndexer.h"
#include "results/DesktopResultsOperations.h"
#include "results/ResultsList.h"
#include "shell/KeyedAccess.h"
#include "shell/TrayIcon.h"
#include "ui/Artwork.h"
#include "ui/BackgroundIndexWindowView.h"
#include "ui/OptionsPage.h"
#include "ui/ResultsPage.h"
#include "ui/SearchWindowFrontEnd.h"
#include "ui/frmExpandResults.h"
#include "ui/frmHelp.h"
#include "ui/frmIndexing.h"
#include "ui/frmSearch.h"

namespace zephrix {

ResultsOperations& desktopResultsOperations()
{
    static DesktopResultsOperations* operations = new DesktopResultsOperations;
    return *operations;
}

MainWindowWiring::MainWindowWiring(frmSearch& window)
    : QObject(&window), window_(window), list_(window.fraResults->lstSearchResults),
      frontEnd_(new SearchWindowFrontEnd(window))
{
    list_->setOperations(&desktopResultsOperations());
    frmExpandResults::instance().setOperations(&desktopResultsOperations());

    session_ = std::make_unique<SearchSession>(
        indexesFolder(), SearchFrontEnd{*frontEnd_, *frontEnd_, list_->resultSink(), *frontEnd_},
        engineErrorReporter(), &frmIndexing::instance());
    session_->setYield([this] { yield_(); });

    indexView_ =
        std::make_unique<BackgroundIndexWindowView>(window, session_->driver(), [this] { runSearch(); });
    // Drives of a test's mount table are plain folders, not mount points.
    const auto check = drivesFromTestMountTable() ? BackgroundIndexer::RootCheck::AnyFolder
                                                  : BackgroundIndexer::RootCheck::MountedDrives;
    indexer_ = std::make_unique<BackgroundIndexer>(session_->index(), *indexView_, check);
    if (const auto interval = testIndexerInterval())
        window.tmrIndexer->setInterval(*interval);

    if (window.windowIcon().isNull())
        window.setWindowIcon(art::logoIcon());
    tray_ = new TrayIcon(&window);
    keys_ = new KeyedAccess(&window, window.tmrCheckforAccessing);
    // Only an X11 session shows other programs' keys to a program.
    window.fraOptions->lblKeyedAccessNote->setVisible(!keys_->available());
    connectWindow();
}

MainWindowWiring::~MainWindowWiring() = default;

void MainWindowWiring::connectWindow()
{
    SearchDriver& driver = session_->driver();
    connect(&window_, &frmSearch::searchRequested, this, &MainWindowWiring::runSearch);
    connect(&window_, &frmSearch::cancelSearchRequested, this, [&driver] { driver.cmdCancelSearch_Click(); });
    connect(window_.tmrSearchTime, &QTimer::timeout, this, [&driver] { driver.tmrSearchTime_Timer(); });

    connect(window_.tmrIndexer, &QTimer::timeout, this, [this] { indexer_->tmrIndexer_Timer(); });
    connect(&window_, &frmSearch::forceIndexRequested, this, [this] { indexer_->cmdForceIndex_Click(); });
    connect(tray_, &TrayIcon::reIndexRequested, &window_, &frmSearch::cmdForceIndex_Click);
    connect(tray_, &TrayIcon::exitRequested, &window_, &frmSearch::cmdExit_Click);

    connect(&window_, &frmSearch::openRequested, list_, &ResultsList::mnu_open_Click);
    connect(&window_, &frmSearch::renameRequested, list_, &ResultsList::mnu_Rename_Click);
    connect(&window_, &frmSearch::propertiesRequested, list_, &ResultsList::mnu_properties_Click);
    connect(&window_, &frmSearch::deleteRequested, list_, &ResultsList::mnuDelete_Click);
    connect(&window_, &frmSearch::expandResultsRequested, this,
            [this] { frmExpandResults::instance().openWith(list_->results()); });
    connect(&window_, &frmSearch::helpRequested, this, [] {
        frmHelp& help = frmHelp::instance();
        help.show();
        help.raise();
    });
}

void MainWindowWiring::runSearch()
{
    // The first read of a request sees the controls as they are now, also
    // after a change that no control reported (an option set elsewhere).
    frontEnd_->markRequestChanged();
    session_->driver().cmdSearch_Click();
    // A forced re-index asked for while the search ran goes ahead now.
    indexer_->searchEnded();
    if (testEventLogWanted() && !session_->driver().running())
        logSearchForTests();
}

void MainWindowWiring::addTrayIcon()
{
    tray_->add();
}

void MainWindowWiring::hideWindow()
{
    tray_->hideWindow();
}

void MainWindowWiring::exitProgram()
{
    tray_->remove();
    endProgram();
}

// What the list and the labels show once a search ended, for tests that run
// the real program: "search-ended", the three labels, then one "row" line
// per row (name, folder, size in bytes, tab-separated), then "rows-end".
void MainWindowWiring::logSearchForTests() const
{
    logTestEvent("search-ended");
    const ResultsPage* page = window_.fraResults;
    for (const QLabel* label : {page->lblSearchTime, page->lblFilesSearched, page->lblFilesFound})
        logTestEvent("label\t" + label->text().toStdString());
    const ResultsModel& rows = list_->results();
    for (int at = 0; at < rows.rowCount(); ++at) {
        const ResultRow& row = rows.row(at);
        std::string line = "row\t" + row.name + '\t' + row.path + '\t';
        appendDecimal(line, row.size);
        logTestEvent(line);
    }
    logTestEvent("rows-end");
}

} // namespace zephrix
