#include <QHeaderView>
#include <QTest>

#include "ResultRows.h"
#include "results/ResultsList.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

using C = ResultsColumn;

void clickHeader(ResultsList& list, ResultsColumn column)
{
    QHeaderView* header = list.horizontalHeader();
    const int middle = header->sectionViewportPosition(int(column)) + header->sectionSize(int(column)) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(middle, header->height() / 2));
}

std::vector<ResultRow> inPaths(std::vector<ResultRow> rows, std::vector<std::string> paths)
{
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].path = paths[i];
    return rows;
}

const std::vector<ResultRow> sizes = {fileRow("999.txt", 999), folderRow("folder"),
                                      fileRow("1234567.txt", 1234567), fileRow("12345.txt", 12345),
                                      fileRow("empty.txt", 0)};
const std::vector<ResultRow> dates = {fileRow("2003.txt", 1, "7/3/2003 3:43:30 PM"), folderRow("folder"),
                                      fileRow("2002.txt", 1, "12/1/2002 9:00:00 AM")};
const std::vector<ResultRow> names = {fileRow("file9.txt", 3), fileRow("Banana.txt", 2),
                                      fileRow("apple.txt", 2), fileRow("file10.txt", 1)};
const std::vector<ResultRow> paths =
    inPaths({fileRow("x.b"), fileRow("y.a"), fileRow("z.c")}, {"/b/", "/c/", "/a/"});

// Header clicks in turn, then the File Name column top to bottom. One flag
// serves every column: the first click sorts descending, each further one
// reverses, whichever column it is on.
struct SortCase {
    const char* name;
    const std::vector<ResultRow>& rows;
    QList<ResultsColumn> clicks;
    QString names;
};

const SortCase sortCases[] = {
    {"Size: largest first, folders last", sizes, {C::Size}, "1234567.txt|12345.txt|999.txt|folder|empty.txt"},
    {"Size twice: smallest first",
     sizes,
     {C::Size, C::Size},
     "folder|empty.txt|999.txt|12345.txt|1234567.txt"},
    {"dates by date, not text", dates, {C::DateCreated, C::DateCreated}, "folder|2002.txt|2003.txt"},
    {"Date Modified descending", dates, {C::DateModified}, "2003.txt|2002.txt|folder"},
    {"after Size, names ascending, digits as text",
     names,
     {C::Size, C::Name},
     "apple.txt|Banana.txt|file10.txt|file9.txt"},
    {"equal sizes keep their order", names, {C::Size, C::Size}, "file10.txt|Banana.txt|apple.txt|file9.txt"},
    {"Path descending", paths, {C::Path}, "y.a|x.b|z.c"},
    {"FileType twice", paths, {C::FileType, C::FileType}, "y.a|x.b|z.c"},
};

} // namespace

class ResultsSortTest : public QObject {
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
        auto sortedCells = [&list](int column) {
            QStringList cells = columnTexts(list.results(), ResultsColumn(column)).split('|');
            cells.sort();
            return cells;
        };
        QList<QStringList> before;
        for (int column = 0; column < ResultsColumnCount; ++column)
            before << sortedCells(column);
        for (ResultsColumn column : c.clicks)
            clickHeader(list, column);
        QCOMPARE(columnTexts(list.results(), C::Name), c.names);
        QCOMPARE(list.sortToggle(), c.clicks.size() % 2 == 1);
        for (int column = 0; column < ResultsColumnCount; ++column) // the same texts, reordered
            QCOMPARE(sortedCells(column), before[column]);
    }

    // Beyond any 16-bit row counter; the selection stays with its row.
    void manyRowsSortAndKeepTheSelection()
    {
        ResultsList list;
        std::vector<ResultRow> rows;
        for (uint64_t i = 0; i < 40000; ++i)
            rows.push_back(fileRow(std::to_string(i) + ".bin", i * 7919 % 40000));
        list.results().appendRows(std::move(rows));
        list.selectRow(5);
        clickHeader(list, C::Size);
        for (int row = 0; row < 40000; ++row)
            QCOMPARE(list.results().row(row).size, uint64_t(39999 - row));
        const int selected = list.selectionModel()->selectedRows().at(0).row();
        QCOMPARE(list.results().row(selected).name, std::string("5.bin"));
        QCOMPARE(list.currentIndex().row(), selected);
    }
};

QTEST_MAIN(ResultsSortTest)
#include "ResultsSortTest.moc"
