#pragma once
#include <QObject>
#include <memory>

#include "ui/WindowYield.h"

namespace zephrix {

class BackgroundIndexer;
class BackgroundIndexWindowView;
class KeyedAccess;
class ResultsList;
class ResultsOperations;
class SearchSession;
class SearchWindowFrontEnd;
class TrayIcon;
class frmSearch;

// Puts the main window to work: its search (a session over the window's
// request, labels and results list), background indexing of the ticked
// drives, the file operations of the results, the larger results window,
// help, the tray icon and Super+S. The window owns one for as long as it
// lives; the index in memory belongs to its session.
class MainWindowWiring : public QObject {
    Q_OBJECT
  public:
    explicit MainWindowWiring(frmSearch& window);
    ~MainWindowWiring() override;

    // The search command (Search, Enter, a request that waited for
    // background indexing).
    void runSearch();
    // The last step of the window's load.
    void addTrayIcon();
    // Hide: to the tray, or minimised where there is no notification area.
    void hideWindow();
    // Exit: the icon goes and the process ends at once.
    [[noreturn]] void exitProgram();

    SearchSession& session() { return *session_; }
    SearchWindowFrontEnd& frontEnd() { return *frontEnd_; }
    BackgroundIndexer& indexer() { return *indexer_; }
    ResultsList& resultsList() { return *list_; }
    TrayIcon& tray() { return *tray_; }
    KeyedAccess& keyedAccess() { return *keys_; }
    const WindowYield& yield() const { return yield_; }

  private:
    void connectWindow();
    void logSearchForTests() const;

    frmSearch& window_;
    ResultsList* list_;
    SearchWindowFrontEnd* frontEnd_;
    WindowYield yield_;
    std::unique_ptr<SearchSession> session_;
    std::unique_ptr<BackgroundIndexWindowView> indexView_;
    std::unique_ptr<BackgroundIndexer> indexer_;
    TrayIcon* tray_;
    KeyedAccess* keys_;
};

// The file operations of every results list: one for the process.
ResultsOperations& desktopResultsOperations();

} // namespace zephrix
