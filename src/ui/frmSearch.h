#pragma once
#include <QWidget>
#include <string>
#include <vector>

#include "search/SearchCriteria.h"

class QLineEdit;
class QTimer;

namespace zephrix {

class AdvancedPage;
class HeaderBar;
class MainToolbar;
class MainWindowWiring;
class OptionsPage;
class PictureButton;
class ResultsList;
class ResultsPage;
class SearchPage;
class TabStrip;

// The main window: header bar, toolbar, and the tab strip with its four
// pages. Loaded the first time it is referred to: the load fills the drive
// lists from DriveList(), the pickers, and every option control from the
// settings store. Controls are public, as the search and the other windows
// reach them directly.
class frmSearch : public QWidget {
    Q_OBJECT
  public:
    static frmSearch& instance();
    // True once instance() has been called.
    static bool isLoaded();
    // Unloads the window: the next instance() loads it anew, reading the
    // drive catalogue and the settings again.
    static void unload();

    HeaderBar* pictHeaderBar;
    PictureButton* pctMinimize;
    MainToolbar* fraTopToolbar;
    TabStrip* pctTabs;
    SearchPage* fraSearch;
    AdvancedPage* fraAdvanced;
    OptionsPage* fraOptions;
    ResultsPage* fraResults;

    // tmrSearchTime: 100 ms, off. tmrIndexer: 10 s, on. tmrCheckforAccessing:
    // 250 ms, on. Their work is the search's, background indexing's and the
    // shortcut's.
    QTimer* tmrSearchTime;
    QTimer* tmrIndexer;
    QTimer* tmrCheckforAccessing;

    // Pages 1 (Search) to 4 (Results); any other index does nothing. The
    // toolbar follows: full on the Results page while it lists rows.
    void lblTabs_Click(int index);
    // The results-toolbar rule's layouts: full (true) or compact.
    void showResultsToolbar(bool full);

    // Emits searchRequested(); the search runs there.
    void cmdSearch_Click();
    void cmdHide_Click();
    void lblHide_Click();
    // To the tray, or minimised where the desktop has no notification area.
    void hideToTray();
    // Exit (also the tray menu's): the tray icon goes and the process ends
    // at once, in the middle of a search or a build too.
    void cmdExit_Click();
    void lblExit_Click();
    void cmdHelp_Click();
    void lblHelp_Click();
    // Emits forceIndexRequested(); background indexing runs there (also the
    // tray menu's Re-Index).
    void cmdForceIndex_Click();
    void pctMinimize_Click();

    // The request as the Search page holds it, and the options the search
    // reads besides it (module-level values and the exclusion table).
    void fillCriteria(SearchCriteria& criteria) const;
    void fillOptions(SearchOptions& options) const;
    // The name and type boxes after a name typed with an extension was split.
    void setNameAndType(const std::string& name, const std::string& type);

    // The progress labels of the Results page, each with its whole text.
    void setSearchTime(const std::string& text);
    void setFilesSearched(const std::string& text);
    void setFilesFound(const std::string& text);
    void setNotes(const std::string& text);

    // The results list, lstSearchResults.
    ResultsList* resultsList() const;

    // Background indexing: lblReindexing's text (empty while idle), the
    // interval box, and the roots of the checked rows of lstIndexDrives.
    std::string reindexingText() const;
    void setReindexingText(const std::string& text);
    QLineEdit* txtHours() const;
    std::vector<std::string> indexDriveRoots() const;

    void LoadExcludedFolders();

    // The search, background indexing, the results' operations, the tray
    // and the shortcut, as this window uses them.
    MainWindowWiring& wiring() const { return *wiring_; }

  signals:
    void searchRequested();
    void forceIndexRequested();
    void helpRequested();
    // The four commands on the results.
    void openRequested();
    void renameRequested();
    void propertiesRequested();
    void deleteRequested();
    void expandResultsRequested();
    void cancelSearchRequested();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    frmSearch();
    void Form_Load();
    bool fillDriveLists();
    void readOptions();
    void connectCommands();
    QList<QWidget*> pages() const;

    MainWindowWiring* wiring_ = nullptr;
};

} // namespace zephrix
