// Saves a picture of every window as a PNG file in the folder given as the
// first argument; scripts/screenshots.sh runs it on a virtual X server at
// each scale. A new window is one more function in the list in main().
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "app/ErrorReport.h"
#include "app/ModuleState.h"
#include "results/ResultsModel.h"
#include "support/TempTree.h"
#include "ui/frmErrors.h"
#include "ui/frmExpandResults.h"
#include "ui/frmHelp.h"
#include "ui/frmIndexing.h"
#include "ui/frmMessages.h"
#include "ui/frmNewRelease.h"
#include "ui/frmProperties.h"
#include "ui/frmSearch.h"
#include "ui/frmSplash.h"

using namespace zephrix;

namespace {

QString folder;

// What the display shows where the platform can read it back, the widget's
// own rendering elsewhere. `place`: put the window near the top left corner
// first; a maximized window stays where it is.
void capture(QWidget& window, const QString& name, bool place = true)
{
    if (place)
        window.move(40, 40);
    window.show();
    window.raise();
    QTest::qWaitForWindowExposed(&window);
    QTest::qWait(150); // the first paint of a freshly mapped window
    QPixmap shot = window.screen()->grabWindow(window.winId());
    if (shot.isNull() || shot.size() != window.size() * window.devicePixelRatio())
        shot = window.grab();
    shot.save(QDir(folder).filePath(name + "@" + QString::number(window.devicePixelRatio()) + "x.png"));
    window.hide();
}

// One function per window, each showing it in a typical state.
void splash()
{
    frmSplash splash;
    splash.findChild<QTimer*>("tmrInitializeApp")->stop();
    capture(splash, "splash");
}

// The four pages, with a drive of each kind listed and, on the Results page,
// a few rows in the list.
// The four pages after a real search: a home folder indexed and searched for
// "report", with a drive of each other kind listed beside it.
void mainWindowPages()
{
    test::TempTree data;
    data.dir("indexes");
    qputenv("ZEPHRIX_DATA_DIR", QByteArray::fromStdString(data.path()));
    test::TempTree home;
    const std::pair<const char*, int> files[] = {
        {"alice/Documents/report.doc", 48128},
        {"alice/Documents/Old/report-2004.doc", 1203456},
        {"alice/Documents/Quarterly Report Q3.pdf", 734003},
        {"alice/Documents/notes.txt", 912},
        {"alice/reports/summary.odt", 20480},
        {"alice/Pictures/report-cover.png", 310272},
        {"alice/Music/track01.mp3", 4194304},
    };
    for (const auto& [name, size] : files)
        home.sizedFile(name, size);
    DriveList() = {{home.path() + "/", HardDisk},
                   {"/media/alice/USB STICK/", RemovableMedia},
                   {"/media/cdrom/", OpticalDrive},
                   {"/mnt/nas/", NetworkDrive}};
    frmSearch& window = frmSearch::instance();
    window.show();
    auto* name = window.findChild<QLineEdit*>("txtSearchFileName");
    name->setText("report");
    QTest::keyClick(name, Qt::Key_Return);
    const auto* searchTime = window.findChild<QLabel*>("lblSearchTime");
    QTest::qWaitFor([&] { return searchTime->text().startsWith("Results Returned In: "); }, 10000);
    const char* const pages[] = {"search", "advanced", "options", "results"};
    for (int page = 1; page <= 4; ++page) {
        window.lblTabs_Click(page);
        capture(window, QStringLiteral("main-%1").arg(pages[page - 1]));
    }
}

void messages()
{
    frmMessages& dialog = frmMessages::instance();
    dialog.DisplayError("I am unable to search the \"/media/alice/USB/\" drive.");
    capture(dialog, "message-error");
    dialog.DisplayOk(
        "Your search has returned over 1000 results, in order to maintain system performance the "
        "search has been stopped.  Please refine your search and try again.");
    capture(dialog, "message-ok");
    dialog.DisplayOkCancel(
        "You are about to perminently delete all the files and folders that you have selected.");
    capture(dialog, "message-okcancel");
}

void errorReport()
{
    frmErrors::instance().showReport({13, 6023, "Type mismatch (ShowFolders = \"sometimes\")"});
    capture(frmErrors::instance(), "error-report");
}

void indexing()
{
    frmIndexing& window = frmIndexing::instance();
    window.setIndexingPath("Indexing: /home/");
    window.setIndexingStatus("/home/alice/Documents/Projects/2024/reports/quarterly/drafts/");
    window.setIndexingFilesFound("Files Found: 48200");
    window.setIndexingDirectoriesFound("Directories Found: 5127");
    capture(window, "indexing");
}

void help()
{
    capture(frmHelp::instance(), "help");
}

void newRelease()
{
    frmNewRelease window;
    window.findChild<QPlainTextEdit*>("txtNewVersion")
        ->setPlainText("<h1>Zephrix 1.1.0</h1>\n<ul>\n<li>Deletes never leave the selected folders.</li>\n"
                       "<li>Renames never replace another file.</li>\n</ul>");
    capture(window, "new-release");
}

void properties()
{
    test::TempTree tree;
    const std::string file = "Documents/Projects/2024/reports/quarterly/Quarterly report for the regional "
                             "offices, final version (2).txt";
    tree.file(file, std::string(48213, 'x'));
    frmProperties& window = frmProperties::instance();
    window.showEntry(tree.at(file));
    window.hide();
    capture(window, "properties");
}

// A search in a home folder; the third row was moved away by a drag.
void expandedResults()
{
    std::vector<ResultRow> rows{{"holiday photos", "/home/alice/Pictures/", "", 0, NoTime, NoTime, true}};
    for (const std::string name :
         {"Quarterly report 2024.pdf", "budget-forecast.ods", "IMG_20240611_1833.jpg", "meeting notes.txt",
          "presentation final (2).odp", "setup.sh", "thesis.tex"}) {
        const int64_t i = int64_t(rows.size());
        rows.push_back({name, i % 3 ? "/home/alice/Documents/Projects/2024/" : "/home/alice/Pictures/",
                        name.substr(name.rfind('.') + 1), uint64_t(1) << (9 + 3 * i), 1709288100 + i * 604800,
                        1709288100 + i * 700000, false});
    }
    ResultsModel mainList;
    mainList.appendRows(std::move(rows), RowIcons::ByType);
    mainList.markMoved(3);
    frmExpandResults& window = frmExpandResults::instance();
    for (const bool maximized : {false, true}) {
        window.openWith(mainList);
        const QRect screen = window.screen()->availableGeometry();
        // Without a window manager the window takes the screen's free area
        // itself; placing it ends the maximized state, so that comes after.
        if (maximized) {
            window.pctMaximize_Click();
            if (!QTest::qWaitFor([&] { return window.size() == screen.size(); }, 1000)) {
                window.setGeometry(screen);
                window.pctMaximize_Click();
            }
        }
        capture(window, maximized ? "expand-results-maximized" : "expand-results", !maximized);
    }
    window.pctNormalize_Click();
    window.cmdCloseResults_Click();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(folder);
    for (auto window : {splash, mainWindowPages, messages, errorReport, indexing, help, newRelease,
                        properties, expandedResults})
        window();
    return 0;
}
