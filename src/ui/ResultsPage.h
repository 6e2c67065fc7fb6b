#pragma once
#include <QWidget>

class QLabel;

namespace zephrix {

class PictureButton;
class ResultsList;

// `fraResults`: the results list, how far the search has come, and the
// Expand Results and Cancel Search buttons, which share one place.
class ResultsPage : public QWidget {
    Q_OBJECT
  public:
    explicit ResultsPage(QWidget* pctTabs);

    ResultsList* lstSearchResults;
    QLabel* lblFilesSearched;
    QLabel* lblFilesFound;
    QLabel* lblSearchTime;
    QLabel* lblNotes;
    PictureButton* cmdExpandResults;
    PictureButton* cmdCancelSearch;

    int resultCount() const;
};

} // namespace zephrix
