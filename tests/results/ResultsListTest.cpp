#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "RecordingOperations.h"
#include "ResultRows.h"
#include "results/ResultsList.h"
#include "results/ResultsTexts.h"
#include "ui/frmMessages.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

QLineEdit* nameEditor(ResultsList& list)
{
    auto* editor = list.viewport()->findChild<QLineEdit*>();
    return editor && editor->isVisible() ? editor : nullptr;
}

// Rows as their names' first letters: "ac" for a.txt and c.txt.
QString letters(ResultsList& list, bool moved)
{
    QString out;
    for (int row = 0; row < list.results().rowCount(); ++row)
        if (moved ? list.results().isMoved(row) : list.selectionModel()->isRowSelected(row, {}))
            out += list.results().row(row).name.front();
    return out;
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

// Rows a.txt, b.txt, ... by letter, the last selected current; a delete's first row is reported gone.
struct DispatchCase {
    const char* name;
    int rowCount;
    const char* selected;
    const char* moved; // rows a drag moved away before the input
    const char* input;
    int at;
    QString calls;
    const char* selectedAfter;
    const char* movedAfter;
    bool menu = false;
    bool told = false; // the moved-row message shown
    bool answer = true;
};

const DispatchCase dispatchCases[] = {
    {"double-click", 4, "a", "", "double-click", 2, "open c.txt", "c", ""},
    {"Enter", 4, "b", "", "Return", -1, "open b.txt", "b", ""},
    {"Delete", 4, "bd", "", "Delete", -1, "delete b.txt,d.txt", "d", ""},
    {"Ctrl+A", 4, "b", "", "Ctrl+A", -1, "", "abcd", ""},
    {"Ctrl+Shift+click", 4, "c", "", "Ctrl+Shift+click", 0, "", "abcd", ""},
    {"right-click, unselected row", 4, "ab", "", "right-click", 2, "", "c", "", true},
    {"right-click, selected row", 4, "ab", "", "right-click", 1, "", "ab", "", true},
    {"right-click, no row there", 2, "b", "", "right-click", -1, "", "b", "", true},
    {"Menu key", 4, "b", "", "Menu key", -1, "", "b", "", true},
    {"Open", 4, "db", "", "mnu_open", -1, "open b.txt", "bd", ""},
    {"Properties", 4, "c", "", "mnu_properties", -1, "properties c.txt", "c", ""},
    {"menu Delete", 4, "ac", "", "mnuDelete", -1, "delete a.txt,c.txt", "c", ""},
    {"drag", 4, "ab", "", "drag", 1, "drag a.txt,b.txt", "ab", "ab"},
    {"drag refused", 4, "ab", "", "drag", 1, "drag a.txt,b.txt", "ab", "", false, false, false},
    {"moved: Enter", 3, "b", "b", "Return", -1, "", "b", "b", false, true},
    {"moved: F2", 3, "b", "b", "F2", -1, "", "b", "b", false, true},
    {"moved: Delete", 3, "ab", "b", "Delete", -1, "delete a.txt", "b", "b", false, true},
    {"moved: drag", 3, "ab", "b", "drag", 0, "drag a.txt", "ab", "ab"},
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

    void setUpList(int rowCount, const QString& selected)
    {
        list = std::make_unique<ResultsList>();
        list->resize(700, 300);
        list->setOperations(&operations);
        std::vector<ResultRow> rows;
        for (int i = 0; i < rowCount; ++i)
            rows.push_back(fileRow(std::string(1, char('a' + i)) + ".txt", 10));
        list->results().appendRows(std::move(rows));
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list.get()));
        for (QChar row : selected)
            list->selectionModel()->setCurrentIndex(list->results().index(row.unicode() - 'a', 0),
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
            QTest::addRow("empty list, %s", input) << DispatchCase{"", 0, "", "", input, -1, "", "", ""};
    }
    void inputsReachTheirOperation()
    {
        QFETCH(DispatchCase, c);
        setUpList(c.rowCount, c.selected);
        operations.answer = c.answer;
        for (QChar row : QString(c.moved))
            list->results().markMoved(row.unicode() - 'a');
        perform(*list, c.input, c.at);
        QCOMPARE(operations.calls.join(';'), c.calls);
        QCOMPARE(list->resultsMenu()->isVisible(), c.menu);
        list->resultsMenu()->hide();
        QCOMPARE(letters(*list, false), c.selectedAfter);
        QCOMPARE(letters(*list, true), c.movedAfter);
        QCOMPARE(list->results().rowCount(), c.rowCount - int(c.calls.startsWith("delete")));
        QVERIFY(!nameEditor(*list));
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
        setUpList(3, "b");
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

    // Its description, the tooltip, is checked with every control of the window.
    void accessibleName()
    {
        setUpList(2, "");
        QCOMPARE(list->accessibleName(), "Search Results");
    }
};

QTEST_MAIN(ResultsListTest)
#include "ResultsListTest.moc"
