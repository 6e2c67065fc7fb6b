#pragma once
#include <QWidget>

class QLabel;
class QTableView;

namespace zephrix {

class PictureButton;

// `fraResults`: the results list, how far the search has come, and the
// Expand Results and Cancel Search buttons, which share one place.
class ResultsPage : public QWidget {
    Q_OBJECT
  public:
    explicit ResultsPage(QWidget* pctTabs);

    QTableView* lstSearchResults;
    QLabel* lblFilesSearched;
    QLabel* lblFilesFound;
    QLabel* lblSearchTime;
    QLabel* lblNotes;
    PictureButton* cmdExpandResults;
    PictureButton* cmdCancelSearch;

    // Puts `list` where the results list is, in its place and under its
    // name; the page owns it from then on and the list it replaces is gone.
    void setResultsList(QTableView* list);
    int resultCount() const;
};

// The results list's column headers, in order.
inline constexpr const char* ResultsHeaders[6] = {"File Name", "Path",         "FileType",
                                                  "Size",      "Date Created", "Date Modified"};

} // namespace zephrix
