#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>

#include "MainWindowHarness.h"
#include "results/ResultsList.h"
#include "ui/HeaderBar.h"

using namespace zephrix;
using H = test::MainWindowHarness;

namespace {

// The toolbar commands' left edges in pixels, full and compact; -1: hidden.
// Each caption shows with its picture.
const std::tuple<const char*, int, int> Commands[] = {
    {"Open", 8, -1},  {"Rename", 78, -1}, {"Properties", 150, -1}, {"Delete", 218, -1},
    {"Hide", 282, 8}, {"Exit", 348, 74},  {"Help", 408, 134}};

void checkToolbar(bool full)
{
    for (const auto& [command, fullLeft, compactLeft] : Commands) {
        const int left = full ? fullLeft : compactLeft;
        QWidget* picture = H::control(qPrintable(QString("cmd") + command));
        QVERIFY2(picture->isVisible() == (left >= 0) && (left < 0 || picture->x() == left), command);
        QCOMPARE(H::control(qPrintable(QString("lbl") + command))->isVisible(), left >= 0);
    }
}

} // namespace

// The frame of the main window: pages, tab strip, toolbar layouts, which
// keys run the search, and the borderless window's header bar.
class MainWindowPagesTest : public QObject {
    Q_OBJECT
    H harness_;

  private slots:
    void initTestCase() { harness_.load({{harness_.root("disk"), HardDisk}}); }

    void eachTabShowsItsPageAndTheToolbarItsRowsAsk()
    {
        const char* const pages[] = {"fraSearch", "fraAdvanced", "fraOptions", "fraResults"};
        for (int tab : {2, 3, 4, 1, 1}) {
            H::click(qPrintable(QStringLiteral("lblTabs_%1").arg(tab)));
            for (int page = 1; page <= 4; ++page)
                QCOMPARE(H::control(pages[page - 1])->isVisible(), page == tab);
            checkToolbar(false);
        }
        // Results with rows show the full toolbar, until another page.
        ResultsModel& rows = H::results();
        rows.appendRows({ResultRow{"found.txt", "/tmp/"}});
        H::click("lblTabs_4");
        checkToolbar(true);
        H::click("lblTabs_3");
        checkToolbar(false);
        frmSearch::instance().lblTabs_Click(4);
        checkToolbar(true);
        frmSearch::instance().lblTabs_Click(7); // no such page: nothing changes
        QVERIFY(H::control("fraResults")->isVisible());
        rows.clear();
        H::click("lblTabs_1");
    }

    // Every caption fits its box and every control lies inside its page.
    void noTextIsCutOff()
    {
        for (QWidget* control : frmSearch::instance().findChildren<QWidget*>()) {
            const QString name = control->objectName();
            if (auto* label = qobject_cast<QLabel*>(control); label && !label->text().isEmpty()) {
                if (label->wordWrap())
                    QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(name));
                else
                    QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(name));
            }
            if (qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control))
                QVERIFY2(control->sizeHint().width() <= control->width(), qPrintable(name));
            const QWidget* parent = control->parentWidget();
            if (!name.isEmpty() && parent && parent->objectName().startsWith("fra"))
                QVERIFY2(parent->rect().contains(control->geometry()), qPrintable(name));
        }
    }

    void enterRunsTheSearchOnlyInTheListedControls_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("searches");
        const std::tuple<int, bool, const char*> controls[] = {
            {1, true,
             "pctTabs txtSearchFileName txtSearchFileType cmdSearchFileType txtSearchFromDate "
             "cmbSearchFromDate txtSearchToDate cmbSearchToDate txtSearchFileSize cmbSearchSize "
             "chkSearchInsideFiles txtSearchInFiles chkSearchCaseSensative optSearchTheseDrives "
             "optSearchThisFolder txtDrives cmbDrives dirSearchFolder"},
            {1, false, "optSearchType_1 lstAllDrives"},
            {2, false, "txtSearchInsideTheseFileTypes chkShowFolders lstExcludeFolders"},
            {3, false, "txtHours chkAutoStart lstIndexDrives"}};
        for (const auto& [page, searches, names] : controls) {
            for (const QString& name : QString(names).split(' '))
                QTest::newRow(qPrintable(name)) << page << searches;
        }
        QTest::newRow("a click on cmdSearch") << 1 << true;
    }
    void enterRunsTheSearchOnlyInTheListedControls()
    {
        QFETCH(int, page);
        QFETCH(bool, searches);
        frmSearch::instance().lblTabs_Click(page);
        QSignalSpy searched(&frmSearch::instance(), &frmSearch::searchRequested);
        if (QByteArray(QTest::currentDataTag()).startsWith("a click"))
            H::click("cmdSearch");
        else
            H::pressEnter(QTest::currentDataTag());
        QCOMPARE(searched.count(), searches ? 1 : 0);
    }

    // The window is borderless: a left drag on the header bar moves it.
    void onlyALeftDragOnTheHeaderMovesTheWindow()
    {
        frmSearch& window = frmSearch::instance();
        QVERIFY(QTest::qWaitForWindowExposed(&window) && (window.windowFlags() & Qt::FramelessWindowHint));
        auto* header = window.findChild<HeaderBar*>("pictHeaderBar");
        for (const auto& [button, moved] :
             {std::pair{Qt::LeftButton, QPoint(40, 20)}, {Qt::RightButton, QPoint()}}) {
            window.move(100, 100);
            QTRY_COMPARE(window.pos(), QPoint(100, 100));
            QTest::mousePress(header, button, {}, QPoint(200, 10));
            QTest::mouseMove(header, QPoint(240, 30));
            QTest::mouseRelease(header, button, {}, QPoint(240, 30));
            QTRY_COMPARE(window.pos(), QPoint(100, 100) + moved);
        }
    }
};

QTEST_MAIN(MainWindowPagesTest)
#include "MainWindowPagesTest.moc"
