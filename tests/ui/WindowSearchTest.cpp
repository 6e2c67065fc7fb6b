#include <QProcess>
#include <QTimer>

#include "MainWindowHarness.h"
#include "index/IndexFormat.h"
#include "search/SearchTexts.h"
#include "shell/StandIns.h"
#include "ui/FolderTree.h"
#include "ui/MainToolbar.h"
#include "ui/frmIndexing.h"
#include "ui/frmMessages.h"

using namespace zephrix;
using H = test::MainWindowHarness;

namespace {

// A small drive of names and sizes.
const std::vector<std::pair<std::string, int>> SampleFiles = {
    {"report.txt", 10},    {"Report-2024.doc", 2000},  {"notes/report-old.txt", 5},
    {"notes/other.md", 1}, {"reports/summary.txt", 0}, {"photos/img.jpg", 3}};

// zephrix-cli's rows in the form of H::rowTexts(); its cells are name,
// folder, type, grouped size, created, modified.
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

  private slots:
    void initTestCase()
    {
        indexes_ = harness_.useOwnIndexes();
        disk_ = harness_.plantDrive("disk", SampleFiles);
    }
    void init() { harness_.load({{disk_, HardDisk}}); }

    void enterRunsTheSearchToItsRowsAndTotals()
    {
        QVERIFY(::access(entriesFile().c_str(), F_OK) != 0);
        QVERIFY(H::searchFor("report"));
        QCOMPARE(H::results().rowCount(), 4); // the rows themselves: theCommandLineListsTheSameRows
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
        H::type("txtSearchFileName", "report");
        H::pressEnter("txtSearchFileName");
        QTRY_VERIFY(H::control("cmdSearch")->isEnabled());
        QCOMPARE(pressCancel.shown, 1);
        QTest::qWait(300);
        QCOMPARE(H::label("lblSearchTime"), QString("Search Cancelled"));
        QCOMPARE(H::results().rowCount(), 0);
        QVERIFY(::access(entriesFile().c_str(), F_OK) != 0); // the build stopped and left nothing
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
        QVERIFY(test::shownMessage().contains("not currently available"));
        frmMessages::instance().hide();
        QCOMPARE(H::text("txtDrives").toStdString(), b);
        QCOMPARE(H::control<FolderTree>("dirSearchFolder")->folderPath().toStdString(), a);
        QVERIFY(H::searchFor("alpha"));
        QVERIFY(H::results().rowCount() == 1 && H::results().row(0).fullPath() == a + "alpha.txt");
    }

    // The window and the command line are two front ends over one engine:
    // for the same request over the same tree they list the same rows, cell
    // for cell.
    void theCommandLineListsTheSameRows()
    {
        const std::string disk = harness_.plantDrive("cli", SampleFiles);
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
