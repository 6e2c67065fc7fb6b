// Saves a picture of every window as a PNG file in the folder given as the
// first argument; scripts/screenshots.sh runs it on a virtual X server at
// each scale. A new window is one more function in the list in main().
#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "app/ErrorReport.h"
#include "support/TempTree.h"
#include "ui/frmErrors.h"
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
// own rendering elsewhere.
void capture(QWidget& window, const QString& name)
{
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

void mainWindow()
{
    capture(frmSearch::instance(), "main-window");
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

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(folder);
    for (auto window : {splash, mainWindow, messages, errorReport, indexing, help, newRelease, properties})
        window();
    return 0;
}
