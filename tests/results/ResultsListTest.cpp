#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "RecordingOperations.h"
#include "ResultRows.h"
#include "results/ResultsList.h"
#include "results/ResultsOperations.h"
#include "results/ResultsTexts.h"
#include "ui/WindowChrome.h"
#include "ui/frmMessages.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

QLineEdit* nameEditor(ResultsList& list)
{
    auto* editor = list.viewport()->findChild<QLineEdit*>();
    return editor && editor->isVisible() ? editor : nullptr;
}

QList<int> selectedRows(ResultsList& list)
{
    QList<int> rows;
    for (const QModelIndex& index : list.selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

// One user input on the list; `row` is the row under the pointer (-1: below the rows).
void perform(ResultsList& list, const QString& input, int row)
{
    QWidget* rows = list.viewport();
    const QPoint at =
        row >= 0 ? list.visualRect(list.results().index(row, 1)).center() : QPoint(5, rows->height() - 5);
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    if (input == "double-click") { // the first press selects, the second arrives as the double-click
        QTest::mouseClick(rows, Qt::LeftButton, {}, at);
        QTest::mouseDClick(rows, Qt::LeftButton, {}, at);
    } else if (input == "Ctrl+Shift+click")
        QTest::mouseClick(rows, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier, at);
    else if (input == "right-click")
        QTest::mousePress(rows, Qt::RightButton, {}, at);
    else if (input == "Menu key")
        QApplication::sendEvent(rows, &menuKey);
    else if (input == "drag") {
        QTest::mousePress(rows, Qt::LeftButton, {}, at);
        QTest::mouseMove(rows, at + QPoint(0, 2));
        QTest::mouseMove(rows, at + QPoint(0, 40));
        QTest::mouseRelease(rows, Qt::LeftButton, {}, at + QPoint(0, 40));
    } else if (input.startsWith("mnu"))
        list.resultsMenu()->findChild<QAction*>(input)->trigger();
    else {
        const QKeySequence keys(input);
        QTest::keyClick(&list, Qt::Key(keys[0].key()), keys[0].keyboardModifiers());
    }
}

using EnterKey = ResultsList::EnterKey;

struct DispatchCase {
    const char* name;
    int rowCount;        // rows a.txt, b.txt, ...
    QList<int> selected; // the last one current
    int moved;           // a row moved away by a drag, or -1
    const char* input;
    int at;
    QString calls;
    QList<int> selectedAfter;
    bool menu;
    bool told = false; // the moved-row message shown
    bool answer = true;
    EnterKey enterKey = EnterKey::Opens;
};

const DispatchCase dispatchCases[] = {
    {"double-click", 4, {0}, -1, "double-click", 2, "open c.txt", {2}, false},
    {"Enter", 4, {1}, -1, "Return", -1, "open b.txt", {1}, false},
    {"Delete", 4, {1, 3}, -1, "Delete", -1, "delete b.txt,d.txt", {2}, false},
    {"Ctrl+A", 4, {1}, -1, "Ctrl+A", -1, "", {0, 1, 2, 3}, false},
    {"Ctrl+Shift+A", 4, {1}, -1, "Ctrl+Shift+A", -1, "", {1}, false},
    {"Ctrl+Shift+click", 4, {2}, -1, "Ctrl+Shift+click", 0, "", {0, 1, 2, 3}, false},
    {"right-click, unselected row", 4, {0, 1}, -1, "right-click", 2, "", {2}, true},
    {"right-click, selected row", 4, {0, 1}, -1, "right-click", 1, "", {0, 1}, true},
    {"right-click, no row there", 2, {1}, -1, "right-click", -1, "", {1}, true},
    {"right-click, no row, none selected", 2, {}, -1, "right-click", -1, "", {}, false},
    {"Menu key", 4, {1}, -1, "Menu key", -1, "", {1}, true},
    {"Open", 4, {3, 1}, -1, "mnu_open", -1, "open b.txt", {1, 3}, false},
    {"Properties", 4, {2}, -1, "mnu_properties", -1, "properties c.txt", {2}, false},
    {"menu Delete", 4, {0, 2}, -1, "mnuDelete", -1, "delete a.txt,c.txt", {1}, false},
    {"drag", 4, {0, 1}, -1, "drag", 1, "drag a.txt,b.txt", {0, 1}, false},
    {"drag refused", 4, {0, 1}, -1, "drag", 1, "drag a.txt,b.txt", {0, 1}, false, false, false},
    {"Enter, enlarged", 4, {1}, -1, "Return", -1, "", {1}, false, false, true, EnterKey::DoesNothing},
    {"moved: Enter", 3, {1}, 1, "Return", -1, "", {1}, false, true},
    {"moved: Properties", 3, {1}, 1, "mnu_properties", -1, "", {1}, false, true},
    {"moved: F2", 3, {1}, 1, "F2", -1, "", {1}, false, true},
    {"moved: Delete", 3, {0, 1}, 1, "Delete", -1, "delete a.txt", {0}, false, true},
    {"moved: drag", 3, {0, 1}, 1, "drag", 0, "drag a.txt", {0, 1}, false},
};

struct RenameCase {
    const char* name;
    const char* start;
    std::string oldName;
    const char* typed; // nullptr: confirmed unchanged
    Qt::Key key;
    bool renames;
    QString call;
    std::string shown;
};

const RenameCase renameCases[] = {
    {"F2, accepted", "F2", "b.txt", "x.txt", Qt::Key_Return, true, "rename b.txt>x.txt", "x.txt"},
    {"menu, refused", "mnu_Rename", "b.txt", "x.txt", Qt::Key_Return, false, "rename b.txt>x.txt", "b.txt"},
    {"emptied", "F2", "b.txt", "", Qt::Key_Return, true, "", "b.txt"},
    {"Escape", "F2", "b.txt", "other.txt", Qt::Key_Escape, true, "", "b.txt"},
    {"unchanged keeps its bytes", "F2", "bad\xff.txt", nullptr, Qt::Key_Return, true,
     "rename bad%FF.txt>bad%FF.txt", "bad\xff.txt"},
};

} // namespace

class ResultsListTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ResultsList> list;
    RecordingOperations operations;

    void setUpList(ResultsList::EnterKey enterKey, int rowCount, const QList<int>& selected)
    {
        list = std::make_unique<ResultsList>(nullptr, enterKey);
        list->resize(700, 300);
        list->setOperations(&operations);
        std::vector<ResultRow> rows;
        for (int i = 0; i < rowCount; ++i)
            rows.push_back(fileRow(std::string(1, char('a' + i)) + ".txt", 10));
        list->results().appendRows(std::move(rows));
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list.get()));
        for (int row : selected)
            list->selectionModel()->setCurrentIndex(list->results().index(row, 0),
                                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
        operations = {};
    }

  private slots:
    void cleanup() { frmMessages::instance().hide(); }

    void inputsReachTheirOperation_data()
    {
        QTest::addColumn<DispatchCase>("c");
        for (const DispatchCase& c : dispatchCases)
            QTest::newRow(c.name) << c;
        for (const char* input : {"double-click", "Return", "F2", "Delete", "Ctrl+A", "right-click",
                                  "Menu key", "mnu_open", "mnu_Rename", "mnu_properties", "mnuDelete"})
            QTest::addRow("empty list, %s", input) << DispatchCase{"", 0, {}, -1, input, -1, "", {}, false};
    }
    void inputsReachTheirOperation()
    {
        QFETCH(DispatchCase, c);
        setUpList(c.enterKey, c.rowCount, c.selected);
        operations.answer = c.answer;
        if (c.moved >= 0)
            list->results().markMoved(c.moved);
        perform(*list, c.input, c.at);
        QCOMPARE(operations.calls.join(';'), c.calls);
        QCOMPARE(list->resultsMenu()->isVisible(), c.menu);
        list->resultsMenu()->hide();
        QCOMPARE(selectedRows(*list), c.selectedAfter);
        // Delete removes only the row the operation reports gone: the first.
        QCOMPARE(list->results().rowCount(), c.rowCount - int(c.calls.startsWith("delete")));
        QVERIFY(!nameEditor(*list));
        // A drag the drop moved marks its rows; a row moved before stays so.
        QString moved, expectedMoved;
        for (int row = 0; row < c.rowCount; ++row) {
            if (row == c.moved || (c.input == QString("drag") && c.answer && c.selected.contains(row)))
                expectedMoved += QChar('a' + row);
            if (row < list->results().rowCount() && list->results().isMoved(row))
                moved += QString::fromStdString(list->results().row(row).name).front();
        }
        QCOMPARE(moved, expectedMoved);
        QCOMPARE(frmMessages::instance().isVisible(), c.told);
        if (c.told)
            QCOMPARE(frmMessages::instance().findChild<QLabel*>("lblMessage")->text(), results::MovedMessage);
    }

    void renameInPlace_data()
    {
        QTest::addColumn<RenameCase>("c");
        for (const RenameCase& c : renameCases)
            QTest::newRow(c.name) << c;
    }
    void renameInPlace()
    {
        QFETCH(RenameCase, c);
        setUpList(ResultsList::EnterKey::Opens, 3, {1});
        list->results().setName(1, c.oldName);
        operations.answer = c.renames;
        perform(*list, c.start, -1);
        QLineEdit* editor = nameEditor(*list);
        QVERIFY(editor);
        QCOMPARE(list->currentIndex(), list->results().index(1, 0));
        if (c.typed)
            editor->setText(c.typed);
        QTest::keyClick(editor, c.key);
        QTRY_VERIFY(!nameEditor(*list));
        QCOMPARE(operations.calls.join(';'), c.call); // Enter confirmed the name and opened nothing
        QCOMPARE(list->results().row(1).name, c.shown);
    }

    void designAndAccessibleTexts()
    {
        setUpList(ResultsList::EnterKey::Opens, 2, {});
        const int widths[] = {2000, 2000, 450, 1000, 1440, 1440};
        for (int column = 0; column < ResultsColumnCount; ++column)
            QCOMPARE(list->columnWidth(column), twips(widths[column]));
        QMenu* menu = list->resultsMenu();
        QStringList items{menu->objectName() + ":" + menu->title()};
        for (QAction* item : menu->actions())
            items << item->objectName() + ":" + item->text();
        QCOMPARE(items.join(' '),
                 "mnu_Results:Results mnu_open:Open mnu_Rename:Rename mnu_properties:Properties "
                 "mnu_sep1: mnuDelete:Delete");
        QCOMPARE(list->accessibleName(), "Search Results");
        QCOMPARE(list->toolTip(), results::ListToolTip);
        QCOMPARE(list->accessibleDescription(), results::ListToolTip);
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(list.get());
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->tableInterface()->columnDescription(3), "Size");
        QCOMPARE(table->tableInterface()->cellAt(1, 0)->text(QAccessible::Name), "b.txt");
    }
};

QTEST_MAIN(ResultsListTest)
#include "ResultsListTest.moc"
