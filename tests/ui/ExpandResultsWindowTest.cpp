#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <tuple>

#include "results/RecordingOperations.h"
#include "results/ResultRows.h"
#include "results/ResultsList.h"
#include "ui/frmExpandResults.h"
#include "ui/frmHelp.h"
#include "ui/frmMessages.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

frmExpandResults& window()
{
    return frmExpandResults::instance();
}

QWidget* control(const char* name)
{
    return window().findChild<QWidget*>(name);
}

ResultsList& list()
{
    return *window().findChild<ResultsList*>("lstSearchResults");
}

// What a list shows: the moved mark, the icon's pixels and every cell.
QStringList shownRows(ResultsModel& model)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QImage icon =
            qvariant_cast<QIcon>(model.index(row, 0).data(Qt::DecorationRole)).pixmap(16).toImage();
        QStringList cells{model.isMoved(row) ? "moved" : "",
                          QString::number(qHash(QByteArrayView(icon.constBits(), icon.sizeInBytes())))};
        for (int column = 0; column < ResultsColumnCount; ++column)
            cells << model.index(row, column).data().toString();
        rows << cells.join('|');
    }
    return rows;
}

// A command by picture ("cmd"), caption or key, on a and c of rows a, b, c
// (c current), and the operations it reaches ("edit": c's name editor open).
const std::pair<QString, QString> inputCases[] = {
    {"Open", "open c.txt"},           {"Rename", "edit"}, {"Properties", "properties c.txt"},
    {"Delete", "delete a.txt,c.txt"}, {"Help", ""},       {"Return", ""}};

// In twips (pixels * 15): the list is the outer size less 195 by 1755, Close
// centred 60 under it, the size picture 150 plus its width from the right.
const std::tuple<QSize, QSize, QRect, QPoint, int> sizeCases[] = {
    {{800, 500}, {800, 500}, {2, 78, 787, 383}, {340, 465}, 762},
    {{400, 102}, {400, 102}, {2, 78, 387, 0}, {140, 82}, 362},    // 1530 twips high: no room for the list
    {{576, 101}, {576, 156}, {2, 78, 563, 39}, {228, 121}, 538},  // 1515 twips high snaps to 2340
    {{200, 303}, {380, 303}, {2, 78, 367, 186}, {130, 268}, 342}, // narrower than the toolbar
};

} // namespace

class ExpandResultsWindowTest : public QObject {
    Q_OBJECT
    ResultsList mainList;
    RecordingOperations recording;

    void openOn(std::vector<ResultRow> rows, RowIcons icons = RowIcons::ByType)
    {
        mainList.results().clear();
        mainList.results().appendRows(std::move(rows), icons);
        window().openWith(mainList.results());
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
    }

  private slots:
    void init()
    {
        window().setOperations(&recording);
        recording = {};
        window().pctNormalize_Click();
        window().resize(576, 303);
    }
    void cleanup()
    {
        window().cmdCloseResults_Click();
        frmMessages::instance().hide();
        frmHelp::instance().hide();
    }

    void copiesTheMainListAsShownEachTimeAfresh()
    {
        std::vector<ResultRow> rows;
        for (int i = 0; i < 25; ++i) { // names, sizes and dates in no order, a few folders
            const std::string n = std::to_string(i * 7 % 25), date = n + "/3/20" + std::to_string(i % 9 + 10);
            rows.push_back(i % 9 == 4 ? folderRow("dir" + n)
                                      : fileRow(n + ".t" + n, i * 7 % 25 * 999, date.c_str()));
        }
        mainList.results().clear();
        mainList.results().appendRows(std::move(rows), RowIcons::ByType);
        const QStringList found = shownRows(mainList.results());
        mainList.lstSearchResults_ColumnClick(int(ResultsColumn::Size));
        QVERIFY(shownRows(mainList.results()) != found);
        for (int row : {3, 17})
            mainList.results().markMoved(row);
        const QStringList shown = shownRows(mainList.results());
        window().openWith(mainList.results());
        QVERIFY(window().isVisible());
        QCOMPARE(shownRows(list().results()), shown);
        // The main list's next search changes nothing here, icons included.
        mainList.results().clear();
        mainList.results().appendRows({fileRow("new.png"), folderRow("new")}, RowIcons::ByType);
        QCOMPARE(shownRows(list().results()), shown);
        // Each opening, closed or shown, gives one fresh copy, of > 32767 rows too.
        for (const bool closeFirst : {true, false}) {
            openOn(std::vector<ResultRow>(40000, fileRow("f.txt")), RowIcons::None);
            QCOMPARE(list().results().rowCount(), 40000);
            if (closeFirst) {
                QTest::mouseClick(control("cmdCloseResults"), Qt::LeftButton);
                QVERIFY(!window().isVisible() && list().results().rowCount() == 0);
            }
            openOn({fileRow("one.txt"), fileRow("two.txt")});
            QCOMPARE(columnTexts(list().results(), ResultsColumn::Name), "one.txt|two.txt");
        }
    }

    void toolbarAndListInputs()
    {
        for (const auto& [command, calls] : inputCases) {
            for (const QString prefix : {"cmd", "lbl"}) {
                const QByteArray input = (prefix + command).toLatin1();
                openOn({fileRow("a.txt"), fileRow("b.txt"), fileRow("c.txt")});
                for (int row : {0, 2})
                    list().selectionModel()->setCurrentIndex(list().results().index(row, 0),
                                                             QItemSelectionModel::Select |
                                                                 QItemSelectionModel::Rows);
                if (QWidget* clicked = control(input))
                    QTest::mouseClick(clicked, Qt::LeftButton);
                else
                    QTest::keyClick(&list(), Qt::Key_Return);
                const QList<QLineEdit*> editors = list().viewport()->findChildren<QLineEdit*>();
                const bool editing = std::any_of(editors.begin(), editors.end(), [](QLineEdit* editor) {
                    return editor->isVisible() && editor->text() == "c.txt";
                });
                QVERIFY2((editing ? "edit" : recording.calls.join(';')) == calls, input);
                QVERIFY2(frmHelp::instance().isVisible() == (command == "Help"), input);
                // A delete here takes its row from the copy only.
                QCOMPARE(list().results().rowCount() * 10 + mainList.results().rowCount(),
                         command == "Delete" ? 23 : 33);
                cleanup();
                recording = {};
            }
        }
    }

    void layoutFollowsTheSize()
    {
        openOn({fileRow("a.txt")});
        for (const auto& [resized, size, listPlace, close, sizePictureLeft] : sizeCases) {
            window().resize(resized);
            QTRY_COMPARE(window().size(), size);
            QCOMPARE(list().geometry(), listPlace);
            QCOMPARE(control("cmdCloseResults")->pos(), close);
            QCOMPARE(control("pctMaximize")->x(), sizePictureLeft);
        }
        QWidget* edge = control("resizeLeft");
        const QPoint to = edge->mapToGlobal(edge->rect().center()) + QPoint(-30, 20);
        QTest::mousePress(edge, Qt::LeftButton, {}, edge->rect().center());
        QTest::mouseMove(edge, edge->mapFromGlobal(to));
        QTest::mouseRelease(edge, Qt::LeftButton, {}, edge->mapFromGlobal(to));
        QTRY_COMPARE(window().size(), QSize(410, 303));
        const QRect normal = window().geometry();
        for (const auto& [click, maximized] : {std::pair{"pctMaximize", true}, {"pctNormalize", false}}) {
            QTest::mouseClick(control(click), Qt::LeftButton);
            QTRY_COMPARE(window().geometry(), maximized ? window().screen()->availableGeometry() : normal);
            QCOMPARE(control("pctNormalize")->isVisible(), maximized);
            QCOMPARE(control("pctMaximize")->isVisible(), !maximized);
        }
    }
};

QTEST_MAIN(ExpandResultsWindowTest)
#include "ExpandResultsWindowTest.moc"
