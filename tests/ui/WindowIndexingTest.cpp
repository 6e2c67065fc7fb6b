#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>

#include "MainWindowHarness.h"
#include "app/SettingsStore.h"
#include "index/IndexFormat.h"
#include "shell/TrayIcon.h"
#include "ui/MainWindowWiring.h"
#include "ui/frmIndexing.h"

using namespace zephrix;
using H = test::MainWindowHarness;

namespace {

std::string entriesFile(const std::string& indexes, const std::string& root)
{
    return IndexFormat::pairPaths(indexes, root, IndexMode::Drive)->entries;
}

bool exists(const std::string& path)
{
    return ::access(path.c_str(), F_OK) == 0;
}

} // namespace

// Background indexing as the main window runs it: its timer's passes over
// the ticked drives of the Options page, and the forced re-index from the
// page's button and from the tray menu.
class WindowIndexingTest : public QObject {
    Q_OBJECT
    H harness_;
    std::string indexes_;

  private slots:
    void initTestCase()
    {
        indexes_ = harness_.useOwnIndexes();
        // The drives here are folders of a temporary tree, as a test's mount
        // table makes them; real drives would have to be mount points.
        harness_.drives.file("mounts", "/dev/zxtest0 " + harness_.drives.path() + " ext4 rw 0 0\n");
        qputenv("ZEPHRIX_TEST_MOUNTS", QByteArray::fromStdString(harness_.drives.at("mounts")));
    }

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
        const std::string entries = entriesFile(indexes_, ticked);
        QVERIFY(!exists(entries));
        QSignalSpy ticks(timer, &QTimer::timeout);
        QVERIFY(ticks.wait(5000));
        // The pass ran inside that first tick, without the indexing window.
        QVERIFY(exists(entries) && !exists(entriesFile(indexes_, unticked)));
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
        QVERIFY(!exists(entriesFile(indexes_, unticked)));
        qputenv("ZEPHRIX_TEST_INDEXER_MS", "3600000");
    }
};

QTEST_MAIN(WindowIndexingTest)
#include "WindowIndexingTest.moc"
