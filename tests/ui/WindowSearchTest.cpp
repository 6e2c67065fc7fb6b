#include <QAbstractButton>
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

namespace {

// Calls `act` each time `watched` is shown.
class OnShow : public QObject {
  public:
    OnShow(QWidget* watched, std::function<void()> act) : watched_(watched), act_(std::move(act))
    {
        watched_->installEventFilter(this);
    }
    ~OnShow() override { watched_->removeEventFilter(this); }
    int shown = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            ++shown;
            act_();
        }
        return false;
    }

  private:
    QWidget* watched_;
    std::function<void()> act_;
};

bool pairExists(const std::string& indexes, const std::string& root)
{
    const auto paths = IndexFormat::pairPaths(indexes, root, IndexMode::Drive);
    return ::access(paths->entries.c_str(), F_OK) == 0 && ::access(paths->folders.c_str(), F_OK) == 0;
}

void removePair(const std::string& indexes, const std::string& root)
{
    const auto paths = IndexFormat::pairPaths(indexes, root, IndexMode::Drive);
    ::unlink(paths->entries.c_str());
    ::unlink(paths->folders.c_str());
}

} // namespace

// The main window's search from the keyboard to the rows and labels: real
// trees, real index pairs, the real window.
class WindowSearchTest : public QObject {
    Q_OBJECT
    H harness_;
    std::string indexes_;
    std::string disk_;

  private slots:
    void initTestCase()
    {
        indexes_ = harness_.useOwnIndexes();
        disk_ = harness_.plantDrive("disk", H::sampleFiles());
    }
    void init() { harness_.load({{disk_, HardDisk}}); }

    void enterRunsTheSearchToItsRowsAndTotals()
    {
        QVERIFY(!pairExists(indexes_, disk_));
        QVERIFY(H::searchFor("report"));
        // Contains, any case; the folder "reports" is listed as a folder.
        std::vector<std::string> paths;
        for (const std::string& row : H::rowTexts())
            paths.push_back(row.substr(0, row.find('|')));
        QCOMPARE(paths, (std::vector<std::string>{disk_ + "Report-2024.doc", disk_ + "notes/report-old.txt",
                                                  disk_ + "report.txt", disk_ + "reports/"}));
        QCOMPARE(H::label("lblFilesSearched"), QString("Files Searched: 6"));
        QCOMPARE(H::label("lblFilesFound"), QString("Files Found: 3"));
        QVERIFY(H::label("lblSearchTime").endsWith(" Seconds"));
        QVERIFY(pairExists(indexes_, disk_)); // built by this first search

        QVERIFY(H::control("fraResults")->isVisible());
        QVERIFY(H::control<MainToolbar>("fraTopToolbar")->isFull());
        QVERIFY(H::control("cmdExpandResults")->isVisible());
        QVERIFY(!H::control("cmdCancelSearch")->isVisible());
        QVERIFY(H::control<QTimer>("tmrIndexer")->isActive());
        QVERIFY(!H::control<QTimer>("tmrSearchTime")->isActive());
    }

    void cancelDuringABuildStaysCancelled()
    {
        removePair(indexes_, disk_);
        OnShow pressCancel(&frmIndexing::instance(), [] { H::click("cmdCancelSearch"); });
        H::type("txtSearchFileName", "report");
        H::pressEnter("txtSearchFileName");
        QTRY_VERIFY(H::control("cmdSearch")->isEnabled());
        QCOMPARE(pressCancel.shown, 1);
        QTest::qWait(300);
        QCOMPARE(H::label("lblSearchTime"), QString("Search Cancelled"));
        QCOMPARE(H::results().rowCount(), 0);
        QVERIFY(!pairExists(indexes_, disk_)); // the build stopped and left nothing
        QVERIFY(!H::control("cmdCancelSearch")->isVisible());
        // Background indexing stays off until a search ends normally.
        QVERIFY(!H::control<QTimer>("tmrIndexer")->isActive());
    }

    // Cancel during the first of two drives: the second is never searched.
    void cancelDuringAMatchSkipsTheDrivesLeft()
    {
        const std::string first = harness_.root("first");
        const std::string second = harness_.root("second");
        for (int i = 0; i < 300; ++i)
            harness_.drives.file("first/match-" + std::to_string(i) + ".txt");
        harness_.drives.file("second/match-x.txt");
        harness_.load({{first, HardDisk}, {second, HardDisk}});
        SearchSession& session = frmSearch::instance().wiring().session();
        bool pressed = false;
        session.setYield([&] {
            if (!pressed && session.state().FilesSearchedCount >= 100) {
                pressed = true;
                H::click("cmdCancelSearch");
            }
        });
        H::type("txtSearchFileName", "match");
        H::pressEnter("txtSearchFileName");
        QTRY_VERIFY(H::control("cmdSearch")->isEnabled());
        QVERIFY(pressed);
        QCOMPARE(H::label("lblSearchTime"), QString("Search Cancelled"));
        const std::vector<std::string> rows = H::rowTexts();
        QVERIFY2(rows.size() >= 100 && rows.size() < 300, std::to_string(rows.size()).c_str());
        for (const std::string& row : rows)
            QVERIFY2(row.rfind(first, 0) == 0, row.c_str());
        QVERIFY(!H::control<QTimer>("tmrIndexer")->isActive());
    }

    void theLimitStopsAtAThousandRowsUnlessLifted()
    {
        const std::string many = harness_.root("many");
        for (int i = 0; i < 1005; ++i)
            harness_.drives.file("many/limit-" + std::to_string(i) + ".txt");
        harness_.load({{many, HardDisk}});
        QVERIFY(H::searchFor("limit"));
        QCOMPARE(H::results().rowCount(), 1000);
        QCOMPARE(H::label("lblFilesFound"), QString("Files Found: 1000"));
        QVERIFY(frmMessages::instance().isVisible());
        QCOMPARE(frmMessages::instance().findChild<QLabel*>("lblMessage")->text(),
                 QString(SearchTexts::ResultsLimitReached));
        frmMessages::instance().hide();

        H::click("chkResultsLimit"); // "Disable 1000 Results Hard Limit"
        QVERIFY(H::searchFor("limit"));
        QCOMPARE(H::results().rowCount(), 1005);
        QCOMPARE(H::label("lblFilesFound"), QString("Files Found: 1005"));
        QVERIFY(!frmMessages::instance().isVisible());
        H::click("chkResultsLimit");
    }

    // After a drive that cannot be read was chosen, the drive box names the
    // fallback drive while the folder tree still shows the first one: the
    // folder search reads the index of the drive that holds the folder.
    void aFolderSearchReadsTheDriveThatHoldsTheFolder()
    {
        const std::string a = harness_.root("fa");
        const std::string b = harness_.root("fb");
        harness_.drives.file("fa/alpha.txt", "a");
        harness_.drives.file("fb/beta.txt", "b");
        const std::string gone = harness_.drives.at("gone") + "/";
        harness_.load({{a, HardDisk}, {b, HardDisk}, {gone, HardDisk}});
        QVERIFY(H::searchFor("a")); // fresh pairs of both drives
        QCOMPARE(H::rowTexts().size(), size_t(2));

        H::click("optSearchThisFolder");
        H::click("cmbDrives");
        H::clickEntry("lstDrives", QString::fromStdString(gone) + "   (Hard Disk)");
        frmMessages::instance().hide(); // "not currently available"
        QCOMPARE(H::control<QLineEdit>("txtDrives")->text().toStdString(), b);
        QCOMPARE(H::control<FolderTree>("dirSearchFolder")->folderPath().toStdString(), a);
        QVERIFY(H::searchFor("alpha"));
        QCOMPARE(H::rowTexts().size(), size_t(1));
        QVERIFY(H::rowTexts()[0].rfind(a + "alpha.txt|", 0) == 0);
        H::click("optSearchTheseDrives");
    }

    // A million yields a search must not become a million turns of the event
    // loop: a turn only when its gap has passed.
    void theYieldTurnsTheLoopOnlyAfterItsGap()
    {
        WindowYield yield;
        QElapsedTimer clock;
        clock.start();
        yield();
        for (int i = 0; i < 200000; ++i)
            yield();
        const qint64 elapsed = clock.elapsed();
        QVERIFY2(yield.turns() <= 1 + elapsed / WindowYield::MinimumGap.count(),
                 qPrintable(QString("%1 turns in %2 ms").arg(yield.turns()).arg(elapsed)));
        QTest::qWait(int(WindowYield::MinimumGap.count()) + 5);
        const int64_t before = yield.turns();
        yield();
        QCOMPARE(yield.turns(), before + 1);
    }
};

QTEST_MAIN(WindowSearchTest)
#include "WindowSearchTest.moc"
