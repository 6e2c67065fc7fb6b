#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "MainWindowHarness.h"
#include "app/OptionValues.h"
#include "app/SettingsStore.h"
#include "index/IndexBuilder.h"
#include "index/IndexFormat.h"
#include "shell/TrayIcon.h"
#include "support/RecordingReporter.h"
#include "support/TempTree.h"
#include "ui/MainWindowWiring.h"
#include "ui/PictureButton.h"
#include "ui/frmErrors.h"
#include "ui/frmIndexing.h"
#include "ui/frmSplash.h"

using namespace zephrix;
using H = test::MainWindowHarness;

namespace {

frmIndexing& window()
{
    return frmIndexing::instance();
}

QString label(const char* name)
{
    return window().findChild<QLabel*>(name)->text();
}

std::string entriesFile(const std::string& indexes, const std::string& root)
{
    return IndexFormat::pairPaths(indexes, root, IndexMode::Drive)->entries;
}

bool exists(const std::string& path)
{
    return ::access(path.c_str(), F_OK) == 0;
}

} // namespace

// The splash window's start-up steps, the indexing window as the builds'
// progress view, and the background indexing the main window runs.
class StartupAndIndexingTest : public QObject {
    Q_OBJECT
    test::TempTree tree_, indexes_;
    test::MainWindowHarness harness_;
    std::string mainIndexes_;

    // Builds a tree of 350 files in 7 folders with the window attached; what
    // the window showed at each yield ("visible files folders"), after
    // `atYield` ran.
    QStringList build(bool quiet, const std::function<void()>& atYield = {})
    {
        test::RecordingReporter errors;
        IndexContext ctx;
        ctx.indexesDir = indexes_.path();
        ctx.errors = &errors;
        ctx.indexingView = &window();
        QStringList seen;
        ctx.yield = [&] {
            if (atYield)
                atYield();
            QCoreApplication::processEvents();
            seen << QString("%1 %2 %3")
                        .arg(window().isVisible())
                        .arg(label("lblFilesFound"), label("lblDirectoriesFound"));
            QVERIFY(label("lblStatus").startsWith(QString::fromStdString(tree_.path() + "/folder")));
            QCOMPARE(label("lblPath"), QString::fromStdString("Indexing: " + tree_.path() + "/"));
        };
        IndexDrive(ctx, tree_.path() + "/", IndexMode::Drive,
                   quiet ? IndexingWindow::Quiet : IndexingWindow::Show);
        if (!errors.reports.empty())
            QTest::qFail(errors.reports[0].description.c_str(), __FILE__, __LINE__);
        return seen;
    }

  private slots:
    void initTestCase()
    {
        for (int i = 0; i < 350; ++i)
            tree_.file((i < 30 ? "" : "folder" + std::to_string(i % 6) + "/") + "f" + std::to_string(i), "x");
        mainIndexes_ = harness_.useOwnIndexes();
        // The main window's drives are folders of a temporary tree, as a
        // test's mount table makes them; real drives would be mount points.
        harness_.drives.file("mounts", "/dev/zxtest0 " + harness_.drives.path() + " ext4 rw 0 0\n");
        qputenv("ZEPHRIX_TEST_MOUNTS", QByteArray::fromStdString(harness_.drives.at("mounts")));
    }

    void theSplashRunsTheStepsOnceAfterASecondAndGoes()
    {
        installErrorWindow();
        for (int startHidden : {0, 1}) {
            moduleOptions().StartHidden = startHidden;
            QPointer<frmSplash> splash = new frmSplash;
            splash->show();
            QVERIFY(startHidden || !frmSearch::isLoaded()); // not before the timer
            QSignalSpy finished(splash.data(), &frmSplash::startupFinished);
            QVERIFY(finished.wait(5000));
            QCOMPARE(finished.count(), 1);
            QTRY_VERIFY(splash.isNull()); // unloaded
            // The main window is on the screen unless the options keep it hidden.
            QCOMPARE(frmSearch::instance().isVisible() && !frmSearch::instance().isMinimized(),
                     startHidden == 0);
            QVERIFY(!frmErrors::instance().isVisible());
            frmSearch::instance().hide();
        }
        moduleOptions().StartHidden = 0;
    }

    // Every hundred files the labels show the counts, whether the window is
    // shown, kept quiet, or hidden by its picture during the build; it is
    // hidden when the build ends.
    void aBuildShowsItsProgressEveryHundredFiles()
    {
        for (const auto& [quiet, hideAtFirst, visible] :
             {std::tuple{false, false, "1"}, {true, false, "0"}, {false, true, "0"}}) {
            bool clicked = false;
            const QStringList seen = build(quiet, [&, hide = hideAtFirst] {
                if (hide && !std::exchange(clicked, true))
                    QTest::mouseClick(window().findChild<PictureButton*>("pctMinimize"), Qt::LeftButton);
            });
            QStringList expected;
            for (int files : {100, 200, 300})
                expected << QString("%1 Files Found: %2 Directories Found: 7").arg(visible).arg(files);
            QCOMPARE(seen, expected);
            QVERIFY(!window().isVisible());
        }
    }
    // Background indexing as the main window runs it: its timer's passes
    // over the ticked drives of the Options page, and the forced re-index
    // from the page's button and from the tray menu.
    void theTimerBuildsQuietlyAndReIndexRebuildsWithTheWindow()
    {
        const std::string ticked = harness_.plantDrive("ticked", {{"a.txt", 1}});
        const std::string unticked = harness_.plantDrive("unticked", {{"b.txt", 1}});
        // Hard disks are ticked unless the settings say otherwise.
        SaveSetting("Zephrix", "IndexDrives", unticked, "0");
        qputenv("ZEPHRIX_TEST_INDEXER_MS", "200");
        test::ShowWatch indexingWindow(&frmIndexing::instance());
        harness_.load({{ticked, HardDisk}, {unticked, HardDisk}});
        auto* timer = H::control<QTimer>("tmrIndexer");
        QCOMPARE(timer->interval(), 200);
        const std::string entries = entriesFile(mainIndexes_, ticked);
        QVERIFY(!exists(entries));
        QSignalSpy ticks(timer, &QTimer::timeout);
        QVERIFY(ticks.wait(5000));
        // The pass ran inside that first tick, without the indexing window.
        QVERIFY(exists(entries) && !exists(entriesFile(mainIndexes_, unticked)));
        QCOMPARE(indexingWindow.shown, 0);
        QCOMPARE(H::label("lblReindexing"), QString());

        // Re-Index Now and the tray menu's Re-Index rebuild the ticked
        // drives, showing the indexing window.
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
        QVERIFY(!exists(entriesFile(mainIndexes_, unticked)));
        qputenv("ZEPHRIX_TEST_INDEXER_MS", "3600000");
    }
};

QTEST_MAIN(StartupAndIndexingTest)
#include "StartupAndIndexingTest.moc"
