#pragma once
#include <QTableView>
#include <string>
#include <vector>

#include "results/ResultsModel.h"

class QMenu;
class QAction;

namespace zephrix {

class ResultSink;
class ResultsBatcher;
class ResultsOperations;

// A results list (lstSearchResults): the six columns over its own rows, with
// the mouse, keys, popup menu and toolbar commands that act on them. Every
// command reaches the file operations through one slot per operation, with
// the rows it acts on; rows moved away by a drag are answered with a message
// instead.
class ResultsList : public QTableView {
    Q_OBJECT
  public:
    // The main list opens the current row on Enter; the enlarged window's does not.
    enum class EnterKey { Opens, DoesNothing };

    explicit ResultsList(QWidget* parent = nullptr, EnterKey enterKey = EnterKey::Opens);

    ResultsModel& results() { return *model_; }
    // Where a search puts its rows: they are shown in batches as they come.
    ResultSink& resultSink();
    void setOperations(ResultsOperations* operations) { operations_ = operations; }
    void setEnterKey(EnterKey enterKey) { enterKey_ = enterKey; }

    // The popup menu mnu_Results.
    QMenu* resultsMenu() const { return mnu_Results; }
    // The direction of the next header click: off means descending.
    bool sortToggle() const { return ResultsSortToggle; }

  public slots:
    // The menu items; the toolbar buttons call the same. All do nothing on an
    // empty list. Open, Rename and Properties act on the current row when it is
    // selected (else the first selected row), Delete on every selected row.
    void mnu_open_Click();
    void mnu_Rename_Click();
    void mnu_properties_Click();
    void mnuDelete_Click();
    // A header click: sorts by that column, descending and ascending in turn
    // whichever column is clicked.
    void lstSearchResults_ColumnClick(int column);

  protected:
    // Shows mnu_Results at the pointer without waiting for it.
    virtual void popUpMenu(const QPoint& globalPosition);

    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

  private:
    // The selected rows that still name files, in list order, with where
    // they are (a dialog may let the rows change before they are used).
    struct SelectedFiles {
        std::vector<QPersistentModelIndex> targets;
        std::vector<ResultRow> rows;
        bool movedSelected = false;
    };

    void setUpColumns();
    void setUpMenu();
    void rightButtonDown(const QPoint& position, const QPoint& globalPosition);
    int actionRow() const;
    std::vector<int> selectedRowsInOrder() const;
    SelectedFiles selectedFiles() const;
    void runOnActionRow(void (ResultsOperations::*operation)(QWidget*, const ResultRow&));
    bool renameRow(int row, const std::string& newName);
    void tellMoved();

    ResultsModel* model_;
    ResultsBatcher* batcher_;
    ResultsOperations* operations_ = nullptr;
    EnterKey enterKey_;
    bool ResultsSortToggle = false;

    QMenu* mnu_Results;
    QAction* mnu_open;
    QAction* mnu_Rename;
    QAction* mnu_properties;
    QAction* mnu_sep1;
    QAction* mnuDelete;
};

} // namespace zephrix
