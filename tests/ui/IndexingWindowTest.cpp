#include <QApplication>
#include <QLabel>
#include <QTest>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "index/IndexBuilder.h"
#include "index/IndexContext.h"
#include "support/TempTree.h"
#include "ui/PictureButton.h"
#include "ui/frmIndexing.h"

using namespace zephrix;
namespace fs = std::filesystem;

namespace {

constexpr char PleaseBePatient[] =
    "Please be patient while we index your drives.  Depending on the number of drives that need to be "
    "indexed, and the number of files on those drives, this process may take a couple of seconds to a couple "
    "of minutes.  The average hard drive takes about 45 seconds to index.  This process will GREATLY "
    "increase "
    "the search speed of this application.  If this is your first time running this application, please "
    "allow a few extra seconds for us to index all your hard drives.  In the future you probably won't see "
    "this again.";

frmIndexing& window()
{
    return frmIndexing::instance();
}

QString label(const char* name)
{
    return window().findChild<QLabel*>(name)->text();
}

class CollectingReporter : public ErrorReporter {
  public:
    void reportError(int location, int number, const std::string& description) override
    {
        reports.push_back(std::to_string(location) + " " + std::to_string(number) + " " + description);
    }
    std::vector<std::string> reports;
};

// What the window showed at one yield of the build.
struct Seen {
    QString path, status, files, folders;
    bool visible;
};

// 30 files in the root, 5 folders of 60 files, one nested folder of 20:
// 350 files in 7 folders counting the root.
void plantTree(const test::TempTree& tree)
{
    for (int i = 0; i < 30; ++i)
        tree.file("root" + std::to_string(i) + ".txt", "r");
    for (int f = 0; f < 5; ++f)
        for (int i = 0; i < 60; ++i)
            tree.file("folder" + std::to_string(f) + "/file" + std::to_string(i) + ".dat",
                      std::string(i, 'x'));
    for (int i = 0; i < 20; ++i)
        tree.file("folder2/deeper/n" + std::to_string(i), "n");
}

// Every file of a folder with its content, except the build stamp (line 1),
// which records when the build ran.
std::map<std::string, std::string> indexFiles(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".lock") // the pair's lock file holds nothing
            continue;
        std::string content = test::readWholeFile(entry.path().string());
        files[entry.path().filename().string()] = content.substr(content.find("\r\n"));
    }
    return files;
}

} // namespace

class IndexingWindowTest : public QObject {
    Q_OBJECT
    test::TempTree tree_;
    std::string root_;

    // Builds tree_ into `indexes` with the window attached; `atYield` runs at
    // every yield after the pending events.
    std::vector<Seen> build(const std::string& indexes, bool quiet, const std::function<void()>& atYield = {})
    {
        CollectingReporter errors;
        IndexContext ctx;
        ctx.indexesDir = indexes;
        ctx.errors = &errors;
        ctx.indexingView = &window();
        std::vector<Seen> seen;
        ctx.yield = [&] {
            QCoreApplication::processEvents();
            seen.push_back({label("lblPath"), label("lblStatus"), label("lblFilesFound"),
                            label("lblDirectoriesFound"), window().isVisible()});
            if (atYield)
                atYield();
        };
        IndexDrive(ctx, root_, IndexMode::Drive, quiet ? IndexingWindow::Quiet : IndexingWindow::Show);
        [&] {
            QVERIFY2(errors.reports.empty(), errors.reports.empty() ? "" : errors.reports.front().c_str());
        }();
        return seen;
    }

  private slots:
    void initTestCase()
    {
        plantTree(tree_);
        root_ = tree_.path() + "/";
    }

    void initialCaptions()
    {
        QCOMPARE(label("lblPath"), QString("Indexing:"));
        QCOMPARE(label("lblStatus"), QString("Preparing To Index Your Drives"));
        QCOMPARE(label("lblFilesFound"), QString("Files Found:"));
        QCOMPARE(label("lblDirectoriesFound"), QString("Directories Found:"));
        QCOMPARE(label("lblInfo"), QString(PleaseBePatient));
        auto* hide = window().findChild<PictureButton*>("pctMinimize");
        QVERIFY(hide);
        QCOMPARE(hide->toolTip(), QString("Click here to hide this window."));
        QCOMPARE(hide->x(), 7200 / 15);
        QVERIFY(window().findChild<QWidget*>("pictHeaderBar"));
    }

    void buildShowsItsProgress_data()
    {
        QTest::addColumn<bool>("quiet");
        QTest::newRow("shown") << false;
        QTest::newRow("quiet") << true; // never shown, its labels kept up to date all the same
    }
    void buildShowsItsProgress()
    {
        QFETCH(bool, quiet);
        test::TempTree indexes;
        window().hide();
        const std::vector<Seen> seen = build(indexes.path(), quiet);

        // One refresh per hundred files: 100, 200, 300, never 350.
        QCOMPARE(int(seen.size()), 3);
        const QString path = QString::fromStdString("Indexing: " + root_);
        for (size_t i = 0; i < seen.size(); ++i) {
            QCOMPARE(seen[i].visible, !quiet);
            QCOMPARE(seen[i].path, path);
            QCOMPARE(seen[i].files, QString("Files Found: %1").arg(100 * (i + 1)));
            QVERIFY(seen[i].folders.startsWith("Directories Found: "));
            QVERIFY2(seen[i].status.startsWith(QString::fromStdString(root_ + "folder")),
                     qPrintable(seen[i].status));
            QVERIFY(seen[i].status.endsWith('/'));
        }
        // All six subfolders are known once the walk is past the root's
        // files; with the root that is seven.
        QCOMPARE(seen.back().folders, QString("Directories Found: 7"));
        QVERIFY(!window().isVisible()); // hidden when the build ends
        QCOMPARE(int(indexFiles(indexes.path()).size()), 2);
    }

    void hidingTheWindowKeepsTheBuildGoing()
    {
        test::TempTree shown;
        build(shown.path(), /*quiet=*/false);

        test::TempTree hidden;
        bool clicked = false;
        const std::vector<Seen> seen = build(hidden.path(), /*quiet=*/false, [&] {
            if (!clicked) {
                clicked = true;
                QTest::mouseClick(window().findChild<PictureButton*>("pctMinimize"), Qt::LeftButton);
            }
        });
        QVERIFY(clicked);
        QCOMPARE(int(seen.size()), 3);
        QVERIFY(seen[0].visible);
        QVERIFY(!seen[1].visible);
        QVERIFY(!seen[2].visible);
        QCOMPARE(seen.back().files, QString("Files Found: 300"));
        QVERIFY(!window().isVisible());
        // The same index, line for line, with the window hidden.
        const auto withWindow = indexFiles(shown.path());
        const auto withoutWindow = indexFiles(hidden.path());
        QCOMPARE(withoutWindow.size(), size_t(2));
        QVERIFY(withWindow == withoutWindow);
    }
};

QTEST_MAIN(IndexingWindowTest)
#include "IndexingWindowTest.moc"
