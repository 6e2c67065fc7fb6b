#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QTimer>

#include "MainWindowHarness.h"
#include "app/OptionValues.h"
#include "app/SettingsStore.h"
#include "index/IndexBuilder.h"
#include "index/IndexFormat.h"
#include "search/SearchTexts.h"
#include "shell/StandIns.h"
#include "shell/TrayIcon.h"
#include "support/RecordingReporter.h"
#include "ui/FolderTree.h"
#include "ui/MainToolbar.h"
#include "ui/MainWindowWiring.h"
#include "ui/PictureButton.h"
#include "ui/frmErrors.h"
#include "ui/frmIndexing.h"
#include "ui/frmMessages.h"
#include "ui/frmSplash.h"

using namespace zephrix;
using H = test::MainWindowHarness;

namespace {

// A small drive of names and sizes.
const std::vector<std::pair<std::string, int>> SampleFiles = {
    {"report.txt", 10},    {"Report-2024.doc", 2000},  {"notes/report-old.txt", 5},
    {"notes/other.md", 1}, {"reports/summary.txt", 0}, {"photos/img.jpg", 3}};

std::string entriesFile(const std::string& indexes, const std::string& root)
{
    return IndexFormat::pairPaths(indexes, root, IndexMode::Drive)->entries;
}

bool exists(const std::string& path)
{
    return ::access(path.c_str(), F_OK) == 0;
}

// zephrix-cli's rows as H::rowTexts() gives the window's.
std::vector<std::string> cliRows(const QStringList& arguments)
{
    QProcess cli;
    cli.start(ZEPHRIX_CLI_PATH, arguments);
    if (!cli.waitForFinished(30000) || cli.exitCode() != 0)
        qWarning() << "zephrix-cli:" << cli.exitCode() << cli.readAllStandardError();
    std::vector<std::string> rows;
    for (const QByteArray& line : cli.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> cells = line.split('\t');
        if (cells.size() != 6)
            continue;
        const bool folder = cells[2].isEmpty() && cells[4].isEmpty();
        const QByteArray size = QByteArray(cells[3]).replace(',', "").replace('.', "").replace(' ', "");
        rows.push_back(
            (cells[1] + cells[0] + (folder ? "/" : "") + "|" + size + "|" + cells[4] + "|" + cells[5])
                .toStdString());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

// Start-up, the indexing window, background indexing, and the search.
class WindowSearchTest : public QObject {
    Q_OBJECT
    test::TempTree tree_, buildIndexes_;
    H harness_;
    std::string indexes_;

  private slots:
    void initTestCase()
    {
        indexes_ = harness_.useOwnIndexes();
        // The drives are folders of one mount, as a test's mount table says.
        harness_.drives.file("mounts", "/dev/zxtest0 " + harness_.drives.path() + " ext4 rw 0 0\n");
        qputenv("ZEPHRIX_TEST_MOUNTS", QByteArray::fromStdString(harness_.drives.at("mounts")));
    }

    // The splash runs the start-up steps once and goes; the window stays hidden when the options say so.
    void theSplashRunsTheStepsOnceAndGoes()
    {
        installErrorWindow();
        moduleOptions().StartHidden = 1;
        QPointer<frmSplash> splash = new frmSplash;
        splash->show();
        QVERIFY(!frmSearch::isLoaded());
        QSignalSpy finished(splash.data(), &frmSplash::startupFinished);
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.count(), 1);
        QTRY_VERIFY(splash.isNull());
        QVERIFY(!(frmSearch::instance().isVisible() && !frmSearch::instance().isMinimized()));
        QVERIFY(!frmErrors::instance().isVisible());
        moduleOptions().StartHidden = 0;
    }

    // Every hundred files the labels show the counts, the window hidden by its picture or not.
    void aBuildShowsItsProgressEveryHundredFiles()
    {
        for (int i = 0; i < 350; ++i)
            tree_.file((i < 30 ? "" : "folder" + std::to_string(i % 6) + "/") + "f" + std::to_string(i), "x");
        frmIndexing& window = frmIndexing::instance();
        const auto label = [&](const char* name) { return window.findChild<QLabel*>(name)->text(); };
        test::RecordingReporter errors;
        IndexContext ctx;
        ctx.indexesDir = buildIndexes_.path();
        ctx.errors = &errors;
        ctx.indexingView = &window;
        QStringList seen;
        ctx.yield = [&] {
            if (seen.isEmpty())
                QTest::mouseClick(window.findChild<PictureButton*>("pctMinimize"), Qt::LeftButton);
            QCoreApplication::processEvents();
            seen << QString("%1 %2 %3")
                        .arg(window.isVisible())
                        .arg(label("lblFilesFound"), label("lblDirectoriesFound"));
            QVERIFY(label("lblStatus").startsWith(QString::fromStdString(tree_.path() + "/folder")));
            QCOMPARE(label("lblPath"), QString::fromStdString("Indexing: " + tree_.path() + "/"));
        };
        IndexDrive(ctx, tree_.path() + "/", IndexMode::Drive, IndexingWindow::Show);
        QVERIFY(errors.reports.empty());
        QCOMPARE(seen, QStringList({"0 Files Found: 100 Directories Found: 7",
                                    "0 Files Found: 200 Directories Found: 7",
                                    "0 Files Found: 300 Directories Found: 7"}));
        QVERIFY(!window.isVisible());
    }

    void theTimerBuildsQuietlyAndReIndexRebuildsWithTheWindow()
    {
        const std::string ticked = harness_.root("ticked", {{"a.txt", 1}});
        const std::string unticked = harness_.root("unticked", {{"b.txt", 1}});
        // Hard disks are ticked unless the settings say otherwise.
        SaveSetting("Zephrix", "IndexDrives", unticked, "0");
        qputenv("ZEPHRIX_TEST_INDEXER_MS", "200");
        test::ShowWatch indexingWindow(&frmIndexing::instance());
        harness_.load({{ticked, HardDisk}, {unticked, HardDisk}});
        auto* timer = H::control<QTimer>("tmrIndexer");
        const std::string entries = entriesFile(indexes_, ticked);
        QVERIFY(!exists(entries));
        QSignalSpy ticks(timer, &QTimer::timeout);
        QVERIFY(ticks.wait(5000));
        // The pass ran inside that first tick, without the indexing window.
        QVERIFY(exists(entries) && !exists(entriesFile(indexes_, unticked)));
        QCOMPARE(indexingWindow.shown, 0);
        QCOMPARE(H::label("lblReindexing"), QString());

        for (const std::string added : {"by-button.txt", "by-tray.txt"}) {
            harness_.drives.file("ticked/" + added);
            if (added == "by-tray.txt")
                frmSearch::instance().wiring().tray().menu()->findChild<QAction*>("mnuReIndex")->trigger();
            else
                H::click("cmdForceIndex");
            QTRY_VERIFY(test::readWholeFile(entries).find(added) != std::string::npos);
            QCOMPARE(indexingWindow.shown, added == "by-tray.txt" ? 2 : 1);
            QTRY_COMPARE(H::label("lblReindexing"), QString());
            QVERIFY(H::control("cmdForceIndex")->isEnabled() && timer->isActive());
        }
        QVERIFY(!exists(entriesFile(indexes_, unticked)));
        qputenv("ZEPHRIX_TEST_INDEXER_MS", "3600000");
    }

    // The first search builds the index; Cancel during the next one's build leaves no index, no rows.
    void enterRunsTheSearchAndCancelStopsItsBuild()
    {
        const std::string disk = harness_.root("disk", SampleFiles), entries = entriesFile(indexes_, disk);
        harness_.load({{disk, HardDisk}});
        QVERIFY(!exists(entries));
        QVERIFY(H::searchFor("report"));
        QCOMPARE(H::results().rowCount(), 4); // the rows themselves: theCommandLineListsTheSameRows
        QCOMPARE(H::label("lblFilesSearched") + " " + H::label("lblFilesFound"),
                 QString("Files Searched: 6 Files Found: 3"));
        QVERIFY(exists(entries));
        QVERIFY(H::control("fraResults")->isVisible() && H::control<MainToolbar>("fraTopToolbar")->isFull());
        QVERIFY(H::control("cmdExpandResults")->isVisible() && !H::control("cmdCancelSearch")->isVisible());

        ::unlink(entries.c_str());
        test::ShowWatch pressCancel(&frmIndexing::instance(), [] { H::click("cmdCancelSearch"); });
        H::pressEnter("txtSearchFileName");
        QTRY_VERIFY(H::control("cmdSearch")->isEnabled());
        QCOMPARE(pressCancel.shown, 1);
        QTest::qWait(300);
        QCOMPARE(H::label("lblSearchTime"), QString("Search Cancelled"));
        QCOMPARE(H::results().rowCount(), 0);
        QVERIFY(!exists(entries));
        // Background indexing stays off until a search ends normally.
        QVERIFY(!H::control<QTimer>("tmrIndexer")->isActive());
    }

    void theLimitStopsAtAThousandRowsUnlessLifted()
    {
        for (int i = 0; i < 1005; ++i)
            harness_.drives.file("many/limit-" + std::to_string(i) + ".txt");
        harness_.load({{harness_.drives.at("many") + "/", HardDisk}});
        for (const int expected : {1000, 1005}) {
            QVERIFY(H::searchFor("limit"));
            QCOMPARE(H::label("lblFilesFound"), QString("Files Found: %1").arg(expected));
            QCOMPARE(H::results().rowCount(), expected);
            QCOMPARE(test::shownMessage(), QString(expected == 1000 ? SearchTexts::ResultsLimitReached : ""));
            frmMessages::instance().hide();
            H::click("chkResultsLimit"); // "Disable 1000 Results Hard Limit", then back
        }
    }

    // After an unreadable drive was refused the box names the fallback while
    // the tree still shows the first drive: the search reads the folder's.
    void aFolderSearchReadsTheDriveThatHoldsTheFolder()
    {
        const std::string a = harness_.root("fa", {{"alpha.txt", 1}});
        const std::string b = harness_.root("fb", {{"beta.txt", 1}});
        const std::string gone = harness_.drives.at("gone") + "/";
        harness_.load({{a, HardDisk}, {b, HardDisk}, {gone, HardDisk}});
        QVERIFY(H::searchFor("a")); // fresh pairs of both drives
        H::click("optSearchThisFolder");
        H::click("cmbDrives");
        H::clickEntry("lstDrives", QString::fromStdString(gone) + "   (Hard Disk)");
        QVERIFY(test::shownMessage().contains("not currently available"));
        frmMessages::instance().hide();
        QCOMPARE(H::text("txtDrives").toStdString(), b);
        QCOMPARE(H::control<FolderTree>("dirSearchFolder")->folderPath().toStdString(), a);
        QVERIFY(H::searchFor("alpha"));
        QVERIFY(H::results().rowCount() == 1 && H::results().row(0).fullPath() == a + "alpha.txt");
    }

    void theCommandLineListsTheSameRows()
    {
        const std::string disk = harness_.root("cli", SampleFiles);
        harness_.drives.sizedFile("cli/notes/REPORT.MD", 70000);
        harness_.drives.sizedFile("cli/photos/img report.jpg", 3);
        harness_.drives.touch("cli/notes/other.md", 1109668500); // 2005-03-01 09:15 UTC
        harness_.load({{disk, HardDisk}});
        // name, type, match (contains, exactly, starts, ends), case, folder in the drive ("": all of it)
        const std::tuple<QString, QString, int, bool, QString> requests[] = {
            {"report", "", 0, false, ""},    {"REPORT", "", 0, true, ""},   {"", "md", 0, false, ""},
            {"report", "txt", 2, false, ""}, {"other", "md", 1, false, ""}, {"2024", "", 3, false, ""},
            {"", "md", 0, false, "notes"}};
        const char* const matches[] = {"contains", "exactly", "starts", "ends"};
        for (const auto& [name, type, match, caseSensitive, folder] : requests) {
            QStringList cli = {"--indexes", QString::fromStdString(indexes_),
                               "search",    "--no-settings",
                               "--drive",   QString::fromStdString(disk),
                               "--match",   matches[match],
                               "--name",    name,
                               "--type",    type};
            H::type("txtSearchFileType", type);
            H::click(qPrintable(QStringLiteral("optSearchType_%1").arg(match)));
            if (caseSensitive) {
                cli << "--case";
                H::click("chkSearchCaseSensative");
            }
            if (!folder.isEmpty()) {
                cli << "--folder" << QString::fromStdString(disk) + folder;
                H::click("optSearchThisFolder");
                QVERIFY(H::control<FolderTree>("dirSearchFolder")
                            ->setFolderPath(QString::fromStdString(disk) + folder));
            }
            QVERIFY(H::searchFor(name));
            const std::vector<std::string> window = H::rowTexts();
            H::click("optSearchTheseDrives");
            if (caseSensitive)
                H::click("chkSearchCaseSensative");
            QVERIFY2(!window.empty() && window == cliRows(cli), qPrintable(name + "." + type));
        }
    }
};

QTEST_MAIN(WindowSearchTest)
#include "WindowSearchTest.moc"
