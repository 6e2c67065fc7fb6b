#include <QHeaderView>
#include <QTest>

#include "ResultRows.h"
#include "results/ResultsBatcher.h"
#include "results/ResultsList.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

constexpr int Name = int(ResultsColumn::Name);
using C = ResultsColumn;

void clickHeader(ResultsList& list, ResultsColumn column)
{
    QHeaderView* header = list.horizontalHeader();
    const int middle = header->sectionViewportPosition(int(column)) + header->sectionSize(int(column)) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(middle, header->height() / 2));
}

const std::vector<ResultRow> sizes = {fileRow("999.txt", 999), folderRow("folder"),
                                      fileRow("1234567.txt", 1234567), fileRow("12345.txt", 12345),
                                      fileRow("empty.txt", 0)};
const std::vector<ResultRow> dates = {fileRow("2003.txt", 1, "7/3/2003 3:43:30 PM"), folderRow("folder"),
                                      fileRow("2002.txt", 1, "12/1/2002 9:00:00 AM")};
const std::vector<ResultRow> names = {fileRow("file9.txt", 3), fileRow("Banana.txt", 2),
                                      fileRow("apple.txt", 2), fileRow("file10.txt", 1)};
const std::vector<ResultRow> paths = {{"x.b", "/b/", "b", 0, NoTime, NoTime, false},
                                      {"y.a", "/c/", "a", 0, NoTime, NoTime, false},
                                      {"z.c", "/a/", "c", 0, NoTime, NoTime, false}};

// Header clicks in turn, then File Name top to bottom. One flag serves every column: the first click
// sorts descending, each further one reverses, whichever column it is on.
struct SortCase {
    const char* name;
    const std::vector<ResultRow>& rows;
    QList<ResultsColumn> clicks;
    QString names;
};

const SortCase sortCases[] = {
    {"Size: largest first, folders last", sizes, {C::Size}, "1234567.txt|12345.txt|999.txt|folder|empty.txt"},
    {"Size twice", sizes, {C::Size, C::Size}, "folder|empty.txt|999.txt|12345.txt|1234567.txt"},
    {"dates by date, not text", dates, {C::DateCreated, C::DateCreated}, "folder|2002.txt|2003.txt"},
    {"names, digits as text", names, {C::Size, C::Name}, "apple.txt|Banana.txt|file10.txt|file9.txt"},
    {"equal sizes keep their order", names, {C::Size, C::Size}, "file10.txt|Banana.txt|apple.txt|file9.txt"},
    {"Path descending", paths, {C::Path}, "y.a|x.b|z.c"},
};

struct CellCase {
    const char* locale;
    ResultRow row;
    bool moved;
    QString cells; // File Name|Path|FileType|Size|Date Created|Date Modified
};

const CellCase cellCases[] = {
    {"en_US", fileRow("a.txt", 1234567, "7/3/2003 3:43:30 PM"), false,
     "a.txt|/t/|txt|1,234,567|7/3/2003 3:43:30 PM|7/3/2003 3:43:30 PM"},
    {"de_DE", fileRow("a.txt", 12345), false, "a.txt|/t/|txt|12.345||"},
    {"en_US", fileRow("b.doc", 999, "3/1/2005"), false, "b.doc|/t/|doc|999|3/1/2005|3/1/2005"},
    {"en_US", fileRow("empty.log", 0), false, "empty.log|/t/|log|||"},
    {"en_US", folderRow("docs"), false, "docs|/t/||||"},
    {"en_US", fileRow("m.txt", 5), true, "m.txt|MOVED PLEASE RE-SEARCH|txt|5||"},
    {"en_US", fileRow("bad\xff\n.txt", 1), false, "bad\uFFFD\uFFFD.txt|/t/|txt|1||"},
};

} // namespace

class ResultsModelTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void headerClicks_data()
    {
        QTest::addColumn<int>("at");
        for (int at = 0; at < int(std::size(sortCases)); ++at)
            QTest::newRow(sortCases[at].name) << at;
    }
    void headerClicks()
    {
        QFETCH(int, at);
        const SortCase& c = sortCases[at];
        ResultsList list;
        list.show();
        list.results().appendRows(std::vector<ResultRow>(c.rows));
        list.selectRow(0); // the selection stays with its row
        const std::string selected = list.results().row(0).name;
        for (ResultsColumn column : c.clicks)
            clickHeader(list, column);
        QCOMPARE(columnTexts(list.results(), C::Name), c.names);
        QCOMPARE(list.sortToggle(), c.clicks.size() % 2 == 1);
        QCOMPARE(list.results().row(list.selectionModel()->selectedRows().at(0).row()).name, selected);
        QCOMPARE(list.currentIndex().row(), list.selectionModel()->selectedRows().at(0).row());
    }

    void moreRowsThanA16BitCounterSort()
    {
        ResultsList list;
        std::vector<ResultRow> rows;
        for (uint64_t i = 0; i < 40000; ++i)
            rows.push_back(fileRow(std::to_string(i) + ".bin", i * 7919 % 40000));
        list.results().appendRows(std::move(rows));
        clickHeader(list, C::Size);
        for (int row = 0; row < 40000; ++row)
            QCOMPARE(list.results().row(row).size, uint64_t(39999 - row));
    }

    void cells_data()
    {
        QTest::addColumn<int>("at");
        for (int at = 0; at < int(std::size(cellCases)); ++at)
            QTest::addRow("%s", qPrintable(cellCases[at].cells)) << at;
    }
    void cells()
    {
        QFETCH(int, at);
        const CellCase& c = cellCases[at];
        QLocale::setDefault(QLocale(c.locale));
        ResultsModel model;
        model.appendRows({c.row});
        if (c.moved)
            model.markMoved(0);
        QStringList shown;
        for (int column = 0; column < ResultsColumnCount; ++column) {
            shown << model.index(0, column).data().toString();
            QCOMPARE(bool(model.flags(model.index(0, column)) & Qt::ItemIsEditable), column == Name);
        }
        QCOMPARE(shown.join('|'), c.cells);
        QCOMPARE(model.row(0).name, c.row.name); // the bytes stay for the file operations
    }

    void batchedRowsAllArriveUnlessCleared()
    {
        ResultsModel model;
        ResultsBatcher batcher(model, [] { return false; });
        batcher.clearResults();
        for (int i = 0; i < 20000; ++i)
            batcher.addResult(fileRow("f" + std::to_string(i) + ".txt", i));
        batcher.flushResults();
        QCOMPARE(model.rowCount(), 20000);
        QCOMPARE(model.index(19999, Name).data().toString(), "f19999.txt");

        batcher.addResult(fileRow("late.txt")); // a search gone quiet still shows it
        QTRY_COMPARE(model.rowCount(), 20001);
        batcher.addResult(fileRow("dropped.txt"));
        batcher.clearResults();
        batcher.flushResults();
        QCOMPARE(model.rowCount(), 0);
    }

    void removedRowsLeaveTheOthersInOrder()
    {
        ResultsModel model;
        model.appendRows(
            {fileRow("a.txt"), fileRow("b.txt"), fileRow("c.txt"), fileRow("d.txt"), fileRow("e.txt")});
        model.sort(Name, Qt::DescendingOrder);
        model.removeRowsAt({3, 0, 1, 3, 9});
        QCOMPARE(columnTexts(model, ResultsColumn::Name), "c.txt|a.txt");
        model.appendRows({fileRow("f.txt")});
        QCOMPARE(columnTexts(model, ResultsColumn::Name), "c.txt|a.txt|f.txt");
    }
};

QTEST_MAIN(ResultsModelTest)
#include "ResultsModelTest.moc"
