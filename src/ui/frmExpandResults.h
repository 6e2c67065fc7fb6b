#pragma once
#include <QWidget>

#include "ui/CommandPictures.h"

class QFrame;

namespace zephrix {

class HeaderBar;
class PictureButton;
class ResultsList;
class ResultsModel;
class ResultsOperations;

// The larger results window: a resizable copy of the main window's results
// with a toolbar of its own. The copy is taken when the window opens; after
// that the two lists live apart, so operations here change this window's
// rows only. One window for the process, hidden (and emptied) when closed.
class frmExpandResults : public QWidget {
    Q_OBJECT
  public:
    static frmExpandResults& instance();

    // The file operations of the list: the process's one instance, the one
    // the main list uses.
    void setOperations(ResultsOperations* operations);

    // Shows the window without waiting, brought to the front, holding a
    // fresh copy of `mainList`'s rows in their present order. Opening it
    // again while it is shown replaces its rows by a new copy.
    void openWith(const ResultsModel& mainList);
    // Appends copies of all rows of `mainList` in its present order, moved
    // marks included; icons are this list's own.
    void LoadResults(const ResultsModel& mainList);

    void cmdHelp_Click();
    void cmdCloseResults_Click();
    void pctMaximize_Click();
    void pctNormalize_Click();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    frmExpandResults();
    void addToolbar();
    PictureButton* addSizePicture(const char* name, const char* caption, const char* toolTip,
                                  art::WindowSizePicture look);
    // Places everything for the present size and state of the window.
    void Form_Resize();

    QWidget* clientArea;
    HeaderBar* pictHeaderBar;
    PictureButton* pctMaximize;
    PictureButton* pctNormalize;
    QWidget* fraTopToolbar;
    QFrame* lnToolbarSep;
    ResultsList* lstSearchResults;
    PictureButton* cmdCloseResults;
};

} // namespace zephrix
