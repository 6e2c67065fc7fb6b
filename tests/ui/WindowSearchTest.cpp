#include <QElapsedTimer>
#include <QTimer>

#include "MainWindowHarness.h"
#include "app/SearchSession.h"
#include "index/IndexFormat.h"
#include "search/SearchTexts.h"
#include "ui/FolderTree.h"
#include "ui/MainToolbar.h"
#include "ui/MainWindowWiring.h"
#include "ui/WindowYield.h"
#include "ui/frmIndexing.h"
#include "ui/frmMessages.h"

using namespace zephrix;
using H = test::MainWindowHarness;

// The main window's search from the keyboard to the rows and labels: real
// trees, real index pairs, the real window.
class WindowSearchTest : public QObject {
    Q_OBJECT
    H harness_;
    std::string indexes_;
    std::string disk_;

    std::string entriesFile() const
    {
        return IndexFormat::pairPaths(indexes_, disk_, IndexMode::Drive)->entries;
    }
    static void pressEnterOn(const QString& name)
    {
        H::type("txtSearchFileName", name);
        H::pressEnter("txtSearchFileName");
        QTRY_VERIFY(H::control("cmdSearch")->isEnabled());
    }

  private slots:
    void initTestCase()
    {
        indexes_ = harness_.useOwnIndexes();
        disk_ = harness_.plantDrive("disk", H::sampleFiles());
    }
    void init() { harness_.load({{disk_, HardDisk}}); }

    void enterRunsTheSearchToItsRowsAndTotals()
    {
        QVERIFY(::access(entriesFile().c_str(), F_OK) != 0);
        QVERIFY(H::searchFor("report"));
        // Contains, in any case; the folder "reports" is listed as a folder.
        std::vector<std::string> paths;
        for (const std::string& row : H::rowTexts())
            paths.push_back(row.substr(0, row.find('|')));
        QCOMPARE(paths, (std::vector<std::string>{disk_ + "Report-2024.doc", disk_ + "notes/report-old.txt",
                                                  disk_ + "report.txt", disk_ + "reports/"}));
        QCOMPARE(H::label("lblFilesSearched") + " " + H::label("lblFilesFound"),
                 QString("Files Searched: 6 Files Found: 3"));
        QVERIFY(::access(entriesFile().c_str(), F_OK) == 0); // built by this first search
        QVERIFY(H::control("fraResults")->isVisible() && H::control<MainToolbar>("fraTopToolbar")->isFull());
        QVERIFY(H::control("cmdExpandResults")->isVisible() && !H::control("cmdCancelSearch")->isVisible());
        QVERIFY(H::control<QTimer>("tmrIndexer")->isActive() &&
                !H::control<QTimer>("tmrSearchTime")->isActive());
    }

    void cancelDuringABuildStaysCancelled()
    {
        ::unlink(entriesFile().c_str());
        test::ShowWatch pressCancel(&frmIndexing::instance(), [] { H::click("cmdCancelSearch"); });
        pressEnterOn("report");
        QCOMPARE(pressCancel.shown, 1);
        QTest::qWait(300);
        QCOMPARE(H::label("lblSearchTime"), QString("Search Cancelled"));
        QCOMPARE(H::results().rowCount(), 0);
        QVERIFY(::access(entriesFile().c_str(), F_OK) != 0); // the build stopped and left nothing
        // Background indexing stays off until a search ends normally.
        QVERIFY(!H::control<QTimer>("tmrIndexer")->isActive());
    }

    // Cancel during the first of two drives: the second is never searched.
    void cancelDuringAMatchSkipsTheDrivesLeft()
    {
        const std::string first = harness_.root("first");
        for (int i = 0; i < 300; ++i)
            harness_.drives.file("first/match-" + std::to_string(i) + ".txt");
        harness_.load({{first, HardDisk}, {harness_.plantDrive("second", {{"match-x.txt", 1}}), HardDisk}});
        SearchSession& session = frmSearch::instance().wiring().session();
        session.setYield([&session] {
            if (session.state().FilesSearchedCount >= 100 && H::control("cmdCancelSearch")->isVisible())
                H::click("cmdCancelSearch");
        });
        pressEnterOn("match");
        QCOMPARE(H::label("lblSearchTime"), QString("Search Cancelled"));
        const std::vector<std::string> rows = H::rowTexts();
        QVERIFY2(rows.size() >= 100 && rows.size() < 300, std::to_string(rows.size()).c_str());
        QVERIFY(std::all_of(rows.begin(), rows.end(),
                            [&](const std::string& row) { return row.find(first) == 0; }));
    }

    void theLimitStopsAtAThousandRowsUnlessLifted()
    {
        const std::string many = harness_.root("many");
        for (int i = 0; i < 1005; ++i)
            harness_.drives.file("many/limit-" + std::to_string(i) + ".txt");
        harness_.load({{many, HardDisk}});
        for (const int expected : {1000, 1005}) {
            QVERIFY(H::searchFor("limit"));
            QCOMPARE(H::results().rowCount(), expected);
            QCOMPARE(H::label("lblFilesFound"), QString("Files Found: %1").arg(expected));
            QCOMPARE(frmMessages::instance().isVisible(), expected == 1000);
            if (expected == 1000)
                QCOMPARE(frmMessages::instance().findChild<QLabel*>("lblMessage")->text(),
                         QString(SearchTexts::ResultsLimitReached));
            frmMessages::instance().hide();
            H::click("chkResultsLimit"); // "Disable 1000 Results Hard Limit", then back
        }
    }

    // After a drive that cannot be read was chosen, the drive box names the
    // fallback drive while the folder tree still shows the first one: the
    // folder search reads the index of the drive that holds the folder.
    void aFolderSearchReadsTheDriveThatHoldsTheFolder()
    {
        const std::string a = harness_.plantDrive("fa", {{"alpha.txt", 1}});
        const std::string b = harness_.plantDrive("fb", {{"beta.txt", 1}});
        const std::string gone = harness_.drives.at("gone") + "/";
        harness_.load({{a, HardDisk}, {b, HardDisk}, {gone, HardDisk}});
        QVERIFY(H::searchFor("a")); // fresh pairs of both drives
        H::click("optSearchThisFolder");
        H::click("cmbDrives");
        H::clickEntry("lstDrives", QString::fromStdString(gone) + "   (Hard Disk)");
        frmMessages::instance().hide(); // "not currently available"
        QCOMPARE(H::control<QLineEdit>("txtDrives")->text().toStdString(), b);
        QCOMPARE(H::control<FolderTree>("dirSearchFolder")->folderPath().toStdString(), a);
        QVERIFY(H::searchFor("alpha"));
        QCOMPARE(H::rowTexts().size(), size_t(1));
        QCOMPARE(H::rowTexts()[0].substr(0, H::rowTexts()[0].find('|')), a + "alpha.txt");
    }

    // Many yields must not become as many turns of the event loop.
    void theYieldTurnsTheLoopOnlyAfterItsGap()
    {
        WindowYield yield;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 200000; ++i)
            yield();
        QVERIFY(yield.turns() <= 1 + clock.elapsed() / WindowYield::MinimumGap.count());
        QTest::qWait(int(WindowYield::MinimumGap.count()) + 5);
        const int64_t before = yield.turns();
        yield();
        QCOMPARE(yield.turns(), before + 1);
    }
};

QTEST_MAIN(WindowSearchTest)
#include "WindowSearchTest.moc"
