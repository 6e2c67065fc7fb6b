#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app/ErrorReport.h"
#include "app/ModuleState.h"
#include "results/ResultsList.h"
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

// Shows every window in a typical state and checks that its artwork came
// out: header bar, buttons and frame drawn at the screen's scale. With
// ZEPHRIX_SCREENSHOT_DIR set (scripts/screenshots.sh) each picture is also
// saved there as a PNG.
class ScreenshotsTest : public QObject {
    Q_OBJECT

    // `place`: put the window near the top left corner first; a maximized
    // window stays where it is.
    QImage capture(QWidget& window, const QString& name, bool place = true)
    {
        if (place)
            window.move(40, 40);
        window.show();
        window.raise();
        if (!QTest::qWaitForWindowExposed(&window))
            return {};
        QTest::qWait(150); // the first paint of a freshly mapped window
        // What the display shows, where the platform can read it back; the
        // widget's own rendering elsewhere.
        QPixmap shot = window.screen()->grabWindow(window.winId());
        if (shot.isNull() || shot.size() != window.size() * window.devicePixelRatio())
            shot = window.grab();
        const QImage image = shot.toImage();
        const QString folder = qEnvironmentVariable("ZEPHRIX_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            const QString scale = QString::number(window.devicePixelRatio());
            image.save(QDir(folder).filePath(name + "@" + scale + "x.png"));
        }
        window.hide();
        return image;
    }

    static QColor at(const QImage& image, QWidget& window, QPoint logical)
    {
        return image.pixelColor(logical * window.devicePixelRatio());
    }

    // The header bar is a dark blue sweep with the white title on it.
    static void checkHeader(const QImage& image, QWidget& window)
    {
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), window.size() * window.devicePixelRatio());
        const QColor bar = at(image, window, {window.width() * 3 / 4, 22});
        QVERIFY2(bar.blue() > bar.red() + 40, qPrintable(bar.name()));
        int light = 0;
        for (int x = 40; x < 200; ++x)
            light += at(image, window, {x, 14}).lightness() > 200;
        QVERIFY2(light > 5, "no title text on the header bar");
    }

    // A picture button: blue face with white caption pixels.
    static void checkButton(const QImage& image, QWidget& window, const char* name)
    {
        QWidget* button = window.findChild<QWidget*>(name);
        QVERIFY(button);
        const QRect r(button->mapTo(&window, QPoint()), button->size());
        const QColor face = at(image, window, {r.left() + 6, r.center().y()});
        QVERIFY2(face.blue() > face.red() + 60, qPrintable(face.name()));
        int caption = 0;
        for (int x = r.left(); x < r.right(); ++x)
            caption += at(image, window, {x, r.center().y()}).lightness() > 220;
        QVERIFY2(caption > 3, name);
    }

  private slots:
    void splash()
    {
        frmSplash splash;
        splash.findChild<QTimer*>("tmrInitializeApp")->stop();
        const QImage image = capture(splash, "splash");
        QVERIFY(!image.isNull());
        const QColor corner = at(image, splash, {splash.width() - 20, 20});
        QVERIFY2(corner.blue() > corner.red() + 40, qPrintable(corner.name()));
    }

    // The four pages after a real search: a home folder indexed and searched
    // for "report", with a drive of each other kind listed beside it.
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
        QTRY_VERIFY(window.findChild<QLabel*>("lblSearchTime")->text().startsWith("Results Returned In: "));
        QCOMPARE(window.resultsList()->model()->rowCount(), 5);

        const char* const pages[] = {"search", "advanced", "options", "results"};
        for (int page = 1; page <= 4; ++page) {
            window.lblTabs_Click(page);
            const QImage image = capture(window, QStringLiteral("main-%1").arg(pages[page - 1]));
            checkHeader(image, window);
        }
        checkButton(capture(window, "main-results"), window, "cmdExpandResults");
    }

    void messageError()
    {
        frmMessages& dialog = frmMessages::instance();
        dialog.DisplayError("I am unable to search the \"/media/alice/USB/\" drive.");
        const QImage image = capture(dialog, "message-error");
        checkHeader(image, dialog);
        checkButton(image, dialog, "cmd2");
    }

    void messageOk()
    {
        frmMessages& dialog = frmMessages::instance();
        dialog.DisplayOk("Your search has returned over 1000 results, in order to maintain system "
                         "performance the search has "
                         "been stopped.  Please refine your search and try again.  If you wish to recieve "
                         "more results, you "
                         "may choose to disable this message under the ADVANCED tab.  However I must warn "
                         "you, that loading "
                         "information on thousands of files can be memory consuming.");
        const QImage image = capture(dialog, "message-ok");
        checkHeader(image, dialog);
        checkButton(image, dialog, "cmd2");
    }

    void messageOkCancel()
    {
        frmMessages& dialog = frmMessages::instance();
        dialog.DisplayOkCancel("You are about to perminently delete all the files and folders that you have "
                               "selected.  This delete can not be undone, are you sure you wish to proceed?");
        const QImage image = capture(dialog, "message-okcancel");
        checkHeader(image, dialog);
        checkButton(image, dialog, "cmd1");
        checkButton(image, dialog, "cmd3");
    }

    void errorReport()
    {
        frmErrors& window = frmErrors::instance();
        window.showReport({13, 6023, "Type mismatch (ShowFolders = \"sometimes\")"});
        window.hide();
        const QImage image = capture(window, "error-report");
        checkHeader(image, window);
        checkButton(image, window, "cmdSendError");
        checkButton(image, window, "cmdCancel");
    }

    void indexing()
    {
        frmIndexing& window = frmIndexing::instance();
        window.setIndexingPath("Indexing: /home/");
        window.setIndexingStatus("/home/alice/Documents/Projects/2024/reports/quarterly/drafts/");
        window.setIndexingFilesFound("Files Found: 48200");
        window.setIndexingDirectoriesFound("Directories Found: 5127");
        const QImage image = capture(window, "indexing");
        checkHeader(image, window);
    }

    void help()
    {
        frmHelp& window = frmHelp::instance();
        const QImage image = capture(window, "help");
        checkHeader(image, window);
        for (const char* button : {"cmdHelp", "cmdVersion", "cmdCancel"})
            checkButton(image, window, button);
    }

    void newRelease()
    {
        frmNewRelease window;
        window.findChild<QPlainTextEdit*>("txtNewVersion")
            ->setPlainText(
                "<h1>Zephrix 1.1.0</h1>\n<ul>\n<li>Deletes never leave the selected folders.</li>\n"
                "<li>Renames never replace another file.</li>\n</ul>");
        const QImage image = capture(window, "new-release");
        checkHeader(image, window);
        checkButton(image, window, "cmd1");
    }

    void properties()
    {
        test::TempTree tree;
        const std::string name = "Quarterly report for the regional offices, final version (2).txt";
        tree.file("Documents/Projects/2024/reports/quarterly/" + name, std::string(48213, 'x'));
        frmProperties& window = frmProperties::instance();
        QVERIFY(window.showEntry(tree.at("Documents/Projects/2024/reports/quarterly/" + name)));
        window.hide();
        const QImage image = capture(window, "properties");
        checkHeader(image, window);
        checkButton(image, window, "cmdOk");
    }

    void expandedResults()
    {
        // A search in a home folder; the third row was moved away by a drag.
        std::vector<ResultRow> rows{{"holiday photos", "/home/alice/Pictures/", "", 0, NoTime, NoTime, true}};
        for (const std::string name :
             {"Quarterly report 2024.pdf", "budget-forecast.ods", "IMG_20240611_1833.jpg",
              "meeting notes.txt", "presentation final (2).odp", "setup.sh", "thesis.tex"}) {
            const int64_t i = int64_t(rows.size());
            rows.push_back({name, i % 3 ? "/home/alice/Documents/Projects/2024/" : "/home/alice/Pictures/",
                            name.substr(name.rfind('.') + 1), uint64_t(1) << (9 + 3 * i),
                            1709288100 + i * 604800, 1709288100 + i * 700000, false});
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
            const QImage image =
                capture(window, maximized ? "expand-results-maximized" : "expand-results", !maximized);
            checkHeader(image, window);
            checkButton(image, window, "cmdCloseResults");
        }
        window.pctNormalize_Click();
        window.cmdCloseResults_Click();
    }
};

QTEST_MAIN(ScreenshotsTest)
#include "ScreenshotsTest.moc"
