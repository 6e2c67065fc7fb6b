#include <QApplication>
#include <QLabel>
#include <QTest>

#include "index/IndexBuilder.h"
#include "support/RecordingReporter.h"
#include "support/TempTree.h"
#include "ui/PictureButton.h"
#include "ui/frmIndexing.h"

using namespace zephrix;

namespace {

frmIndexing& window()
{
    return frmIndexing::instance();
}

QString label(const char* name)
{
    return window().findChild<QLabel*>(name)->text();
}

} // namespace

// The indexing window as the builds' progress view.
class IndexingWindowTest : public QObject {
    Q_OBJECT
    test::TempTree tree_, indexes_;

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
};

QTEST_MAIN(IndexingWindowTest)
#include "IndexingWindowTest.moc"
