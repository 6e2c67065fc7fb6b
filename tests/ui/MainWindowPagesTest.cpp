#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTimer>

#include "MainWindowHarness.h"
#include "results/ResultsList.h"
#include "ui/PictureButton.h"

using namespace zephrix;
using H = test::MainWindowHarness;

namespace {

// What assistive tools read from a control.
QString accessibleText(QWidget* widget, QAccessible::Text text)
{
    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(widget);
    return shown ? shown->text(text) : QString();
}

// The toolbar commands' left edges in pixels; -1: hidden.
struct ToolbarPlaces {
    int open, rename, properties, del, hide, exit, help;
};
constexpr ToolbarPlaces Compact{-1, -1, -1, -1, 8, 74, 134};
constexpr ToolbarPlaces Full{8, 78, 150, 218, 282, 348, 408};
// Caption boxes: left and width as designed, in pixels.
struct CaptionBox {
    const char* name;
    int fullLeft, compactLeft, width;
} const Captions[] = {
    {"lblOpen", 6, -1, 31},     {"lblRename", 66, -1, 47}, {"lblProperties", 134, -1, 58},
    {"lblDelete", 212, -1, 38}, {"lblHide", 284, 10, 27},  {"lblExit", 350, 76, 22},
    {"lblHelp", 408, 134, 27},
};

} // namespace

// The frame of the main window: pages, tab strip, toolbar layouts, the
// controls' texts, and which keys run the search.
class MainWindowPagesTest : public QObject {
    Q_OBJECT
    H harness_;

    static void checkToolbar(const ToolbarPlaces& places, bool full)
    {
        const std::pair<const char*, int> pictures[] = {
            {"cmdOpen", places.open},  {"cmdRename", places.rename}, {"cmdProperties", places.properties},
            {"cmdDelete", places.del}, {"cmdHide", places.hide},     {"cmdExit", places.exit},
            {"cmdHelp", places.help}};
        for (const auto& [name, left] : pictures) {
            QWidget* picture = H::control(name);
            QCOMPARE(picture->isVisible(), left >= 0);
            if (left >= 0)
                QCOMPARE(picture->geometry(), QRect(left, 2, 27, 27));
        }
        for (const CaptionBox& box : Captions) {
            QWidget* caption = H::control(box.name);
            const int left = full ? box.fullLeft : box.compactLeft;
            QCOMPARE(caption->isVisible(), left >= 0);
            // A caption wider than its design box grows evenly about it.
            if (left >= 0) {
                QVERIFY(caption->width() >= box.width);
                QVERIFY2(std::abs(2 * caption->x() + caption->width() - (2 * left + box.width)) <= 2,
                         box.name);
                QCOMPARE(caption->y(), 32);
            }
        }
    }

  private slots:
    void initTestCase()
    {
        // The timers as the program has them, without the test run's long
        // indexing interval.
        qunsetenv("ZEPHRIX_TEST_INDEXER_MS");
        harness_.load({{harness_.root("disk"), HardDisk}});
    }

    void eachTabShowsItsPageAndTheCompactToolbar()
    {
        const char* const pages[] = {"fraSearch", "fraAdvanced", "fraOptions", "fraResults"};
        for (int tab : {2, 3, 4, 1, 1}) {
            H::click(qPrintable(QStringLiteral("lblTabs_%1").arg(tab)));
            for (int page = 1; page <= 4; ++page)
                QCOMPARE(H::control(pages[page - 1])->isVisible(), page == tab);
            QCOMPARE(H::control(pages[tab - 1])->geometry(), QRect(8, 34, 567, 263 + 67));
            checkToolbar(Compact, false);
        }
    }

    void resultsWithRowsShowTheFullToolbarUntilAnotherPage()
    {
        ResultsModel& rows = frmSearch::instance().resultsList()->results();
        std::vector<ResultRow> found(1);
        found[0].name = "found.txt";
        found[0].path = "/tmp/";
        rows.appendRows(std::move(found));
        H::click("lblTabs_4");
        checkToolbar(Full, true);
        H::click("lblTabs_3");
        checkToolbar(Compact, false);
        frmSearch::instance().lblTabs_Click(4);
        checkToolbar(Full, true);
        frmSearch::instance().lblTabs_Click(7); // no such page: nothing changes
        QVERIFY(H::control("fraResults")->isVisible());
        rows.clear();
        H::click("lblTabs_1");
    }

    void controlsCarryTheirTextsAndTips_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tip");
        const auto row = [](const char* name, const char* text, const char* tip = "") {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(tip);
        };
        row("cmdOpen", "Open", "Click here to open the selected file in the results list.");
        row("lblRename", "Rename", "Click here to rename the selected file in the results list.");
        row("cmdProperties", "Properties",
            "Click here to see the properties for the selected file in the results list.");
        row("lblDelete", "Delete",
            "Click here to delete all the selected files/folders in the results list.");
        row("cmdHide", "Hide",
            "Click here and I will go hide on your task bar until you need me again.  But I will keep "
            "working.");
        row("lblExit", "Exit", "Click here to exit Zephrix.");
        row("cmdHelp", "Help",
            "Click here for help, or press F1 from any screen to go directly to help for that screen.");
        row("lblTabs_2", "Advanced");
        row("lblSearchFileName", "Search For This In The File Name");
        row("txtSearchFileName", "Search For This In The File Name");
        row("cmdSearchFileType", "Of This Type",
            "This is the extension of the file you wish to search, if you do not know it, select ALL from "
            "the top of "
            "the list.");
        row("txtSearchFromDate", "When The File Was Created Between",
            "Choose a date here if you wish to limit your search to files that were created after this "
            "date.");
        row("lblSearchDatesAnd", "and");
        row("cmbSearchToDate", "and",
            "Choose a date here if you wish to limit your search to files that were created before this "
            "date.");
        row("txtSearchFileSize", "And The File Is Approximately This Size",
            "If you know about what the file size is, you can limit your results by selecting it here.");
        row("chkSearchInsideFiles", "Search Inside Files For This String");
        row("chkSearchCaseSensative", "Search Is Case Sensative (\"and\" is not \"And\")");
        row("optSearchType_0", "Contains");
        row("optSearchType_3", "Ends With");
        row("cmdSearch", "Search", "Search for matching files right now.");
        row("optSearchTheseDrives", "Search All Files On These Drives",
            "Click here to search all files and folders on the selected drives below.");
        row("optSearchThisFolder", "Search Only Files In This Folder",
            "Limit your search to only files in this particular folder.");
        row("lblAdvanced", "Advanced Search Settings:");
        row("chkShowFolders", "Show Folders In Search Results (Slower)");
        row("chkResultsLimit", "Disable 1000 Results Hard Limit");
        row("chkForceIndex", "Force Re-Index Every Search (MUCH Slower)");
        row("chkShowIcons", "Show File Icons In Search Results (Slower)");
        row("lblSearchInsideTypes", "Search Inside These File Types For Text: (Seperate By A Space)");
        row("lblExcludeFolders", "Exclude These Folders From Searches:");
        row("lblExcludeAdd", "Add This Folder To The Exclude List:");
        row("cmdAddFolder", "Add Folder", "Click here to add the folder selected below to the exclude list.");
        row("cmdRemoveFolder", "Remove Folder",
            "Click here to remove the folder selected above from the exclude list.");
        row("lblOptions", "Options:");
        row("cmdForceIndex", "Re-Index Now",
            "Click here to force Zephrix to reindex your drives immediately.");
        row("lblReIndexEvery", "Automatically Re-Index Drives Every");
        row("cmbHours", "Automatically Re-Index Drives Every",
            "Select the number of hours between reindexing drives.");
        row("lblHours", "Hours");
        row("lblIndexDrives", "Maintain Indexes For These Drives:");
        row("lblDragMode", "When Dragging A File From The Results To A Windows Folder It Will:");
        row("optCopyMove_0", "Copy It");
        row("optCopyMove_1", "Move It");
        row("chkDisableKeyedAccess", "Disable Windows-S Keyed Access");
        row("chkAutoHide", "Hide To Tray On Startup");
        row("chkAutoUpdate", "Automatically Check For Updates On Startup");
        row("chkAutoStart", "Startup With Windows");
        row("lblSearchResults", "Search Results:");
        row("lblFilesSearched", "Files Searched: 0");
        row("lblFilesFound", "Files Found: 0");
        row("lblSearchTime", "Results Returned In: 0 Seconds");
        row("cmdExpandResults", "Expand Results",
            "Click here to see the results in a larger/sizeable window.");
        row("cmdCancelSearch", "Cancel Search", "Click here if you want to cancel a search in progress.");
        row("pctMinimize", "Hide Window", "Click here to hide this window.");
    }

    // The name tools read is the caption (or the naming label's caption),
    // the description the tooltip; labels and buttons show the caption.
    void controlsCarryTheirTextsAndTips()
    {
        QFETCH(QString, text);
        QFETCH(QString, tip);
        QWidget* control = H::control(QTest::currentDataTag());
        if (auto* label = qobject_cast<QLabel*>(control))
            QCOMPARE(label->text(), text);
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            QCOMPARE(button->text(), text);
        QCOMPARE(control->toolTip(), tip);
        QCOMPARE(accessibleText(control, QAccessible::Name), text);
        if (!tip.isEmpty())
            QCOMPARE(accessibleText(control, QAccessible::Description), tip);
    }

    // Every caption fits its box and every control lies inside its page.
    void noTextIsCutOff()
    {
        frmSearch& window = frmSearch::instance();
        for (QWidget* control : window.findChildren<QWidget*>()) {
            const QString name = control->objectName();
            if (auto* label = qobject_cast<QLabel*>(control); label && !label->text().isEmpty()) {
                if (label->wordWrap())
                    QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(name));
                else
                    QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(name));
            }
            if (qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control))
                QVERIFY2(control->sizeHint().width() <= control->width(), qPrintable(name));
            const QWidget* parent = control->parentWidget();
            if (!name.isEmpty() && parent && parent->objectName().startsWith("fra"))
                QVERIFY2(parent->rect().contains(control->geometry()), qPrintable(name));
        }
    }

    void enterRunsTheSearchOnlyInTheListedControls_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("searches");
        for (const char* name :
             {"pctTabs", "txtSearchFileName", "txtSearchFileType", "cmdSearchFileType", "txtSearchFromDate",
              "cmbSearchFromDate", "txtSearchToDate", "cmbSearchToDate", "txtSearchFileSize", "cmbSearchSize",
              "chkSearchInsideFiles", "txtSearchInFiles", "chkSearchCaseSensative", "optSearchTheseDrives",
              "optSearchThisFolder", "txtDrives", "cmbDrives", "dirSearchFolder"})
            QTest::newRow(name) << 1 << true;
        for (const char* name : {"optSearchType_1", "lstAllDrives"})
            QTest::newRow(name) << 1 << false;
        for (const char* name : {"txtSearchInsideTheseFileTypes", "chkShowFolders", "lstExcludeFolders"})
            QTest::newRow(name) << 2 << false;
        for (const char* name : {"txtHours", "chkAutoStart", "lstIndexDrives"})
            QTest::newRow(name) << 3 << false;
    }

    void enterRunsTheSearchOnlyInTheListedControls()
    {
        QFETCH(int, page);
        QFETCH(bool, searches);
        frmSearch::instance().lblTabs_Click(page);
        QSignalSpy searched(&frmSearch::instance(), &frmSearch::searchRequested);
        H::pressEnter(QTest::currentDataTag());
        QCOMPARE(searched.count(), searches ? 1 : 0);
    }

    void searchCommandRunsTheSearch()
    {
        frmSearch::instance().lblTabs_Click(1);
        QSignalSpy searched(&frmSearch::instance(), &frmSearch::searchRequested);
        H::click("cmdSearch");
        QCOMPARE(searched.count(), 1);
    }

    void timersAreThereWithTheirIntervals()
    {
        const std::tuple<const char*, int, bool> timers[] = {
            {"tmrSearchTime", 100, false}, {"tmrIndexer", 10000, true}, {"tmrCheckforAccessing", 250, true}};
        for (const auto& [name, interval, running] : timers) {
            auto* timer = frmSearch::instance().findChild<QTimer*>(name);
            QVERIFY2(timer, name);
            QCOMPARE(timer->interval(), interval);
            QCOMPARE(timer->isActive(), running);
        }
    }
};

QTEST_MAIN(MainWindowPagesTest)
#include "MainWindowPagesTest.moc"
