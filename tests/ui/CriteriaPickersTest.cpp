#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeWidget>
#include <functional>
#include <sstream>

#include "MainWindowHarness.h"
#include "ui/FolderTree.h"
#include "ui/MainWindowWiring.h"
#include "ui/SearchWindowFrontEnd.h"

using namespace zephrix;
using H = test::MainWindowHarness;

namespace {

QString daysBack(int days)
{
    const QDate date = QDate::currentDate().addDays(-days);
    return QString::asprintf("%02d/%02d/%04d", date.month(), date.day(), date.year());
}

// The request as the search reads it, one "field=value" per part.
QString describe(const SearchCriteria& c, const SearchOptions& o)
{
    std::ostringstream d;
    d << ";name=" << c.name << ";type=" << c.fileType << ";match=" << int(c.nameMatch)
      << ";case=" << c.caseSensitive << ";from=" << c.fromDateText << ";to=" << c.toDateText
      << ";size=" << c.sizeText << ";inside=" << c.searchInsideChecked << ":" << c.insideText
      << ";types=" << c.insideTypes << ";drives=";
    for (const std::string& drive : c.drives)
        d << drive << ",";
    d << ";folder=" << int(c.scope) << ":" << c.folderRoot << ":" << c.folder << ";options=" << o.ShowFolders
      << o.ShowIcons << o.ResultsLimit << o.ForceIndex << ";excluded=";
    for (const std::string& folder : o.ExcludedFolders)
        d << folder << ",";
    return QString::fromStdString(d.str() + ";");
}

} // namespace

// The drop-down pickers of the Search and Options pages and the scope
// buttons, worked with the mouse and the keys, and the request they make.
class CriteriaPickersTest : public QObject {
    Q_OBJECT
    H harness_;

  private slots:
    void initTestCase()
    {
        frmSearch& window = harness_.load({{harness_.root("disk"), HardDisk}});
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    void init() { frmSearch::instance().lblTabs_Click(1); }

    void theDateListsCountBackFromTodayAndAnyIsChosen()
    {
        const QStringList dates = H::entries("lstSearchFromDate");
        QCOMPARE(dates.size(), 197);
        QCOMPARE(dates[0], QString("Any"));
        const std::pair<int, int> days[] = {{1, 0}, {46, 45}, {47, 52}, {196, 1095}};
        for (const auto& [entry, back] : days)
            QCOMPARE(dates[entry], daysBack(back));
        QCOMPARE(H::entries("lstSearchToDate"), dates);
        QCOMPARE(H::text("txtSearchFromDate") + H::text("txtSearchToDate") + H::text("txtSearchFileSize") +
                     "|" + H::text("txtSearchFileType"),
                 QString("AnyAnyAny|"));
    }

    // The arrow opens the list in front, with the focus; again, it closes it
    // without a choice. A chosen entry goes into the box, the list hides and
    // the focus moves on where that is designed.
    void choosingCopiesTheEntryAndMovesTheFocus()
    {
        const std::tuple<int, const char*, const char*, const char*, QString, const char*> pickers[] = {
            {1, "cmdSearchFileType", "lstSearchFileType", "txtSearchFileType", "jpeg", nullptr},
            {1, "cmbSearchFromDate", "lstSearchFromDate", "txtSearchFromDate", daysBack(3),
             "txtSearchFromDate"},
            {1, "cmbSearchToDate", "lstSearchToDate", "txtSearchToDate", daysBack(52), "txtSearchToDate"},
            {1, "cmbSearchSize", "lstSearchFileSize", "txtSearchFileSize", "Small (Less than 100 KB)",
             "chkSearchInsideFiles"},
            {3, "cmbHours", "lstHours", "txtHours", "12", nullptr},
        };
        for (const auto& [page, arrow, list, box, entry, focus] : pickers) {
            frmSearch::instance().lblTabs_Click(page);
            const QString before = H::text(box);
            H::click(arrow);
            QVERIFY2(H::control(list)->isVisible() && H::control(list)->hasFocus(), list);
            H::click(arrow);
            QVERIFY(!H::control(list)->isVisible());
            QCOMPARE(H::text(box), before);
            H::click(arrow);
            H::clickEntry(list, entry);
            QVERIFY(!H::control(list)->isVisible());
            QCOMPARE(H::text(box), entry);
            if (focus)
                QCOMPARE(QApplication::focusWidget(), H::control(focus));
        }
        QCOMPARE(harness_.stored("Settings", "ReIndex"), std::string("12"));
    }

    // Moving the selection with the keys chooses too; leaving the list
    // hides it; dates can be typed, the size cannot.
    void keysAndFocusWorkTheListsToo()
    {
        H::click("cmbSearchSize");
        QTest::keyClick(H::control("lstSearchFileSize"), Qt::Key_Down);
        QVERIFY(!H::control("lstSearchFileSize")->isVisible());
        QCOMPARE(H::text("txtSearchFileSize"), QString("Medium (Less than 1 MB)"));
        H::click("cmbSearchSize");
        QTest::mouseClick(H::control("txtSearchFileName"), Qt::LeftButton);
        QVERIFY(!H::control("lstSearchFileSize")->isVisible());
        for (const char* box : {"txtSearchFromDate", "txtSearchFileSize"}) {
            H::control<QLineEdit>(box)->selectAll();
            QTest::keyClicks(H::control(box), "02/30/2001");
        }
        QCOMPARE(H::text("txtSearchFromDate"), QString("02/30/2001"));
        QCOMPARE(H::text("txtSearchFileSize"), QString("Medium (Less than 1 MB)"));
    }

    void scopeButtonsEnableTheirControls()
    {
        for (const auto& [option, drives] :
             {std::pair{"optSearchThisFolder", false}, {"optSearchTheseDrives", true}}) {
            H::click("cmbDrives"); // opens the list where the arrow is enabled
            H::click(option);
            QCOMPARE(H::control("lstAllDrives")->isEnabled(), drives);
            for (const char* folderControl : {"cmbDrives", "lstDrives", "dirSearchFolder"})
                QCOMPARE(H::control(folderControl)->isEnabled(), !drives);
            QVERIFY(!H::control("lstDrives")->isVisible());
            // The scope and the name match are separate choices.
            QVERIFY(H::control<QAbstractButton>("optSearchType_0")->isChecked());
        }
    }
    // The request the window hands to the search, filled from what the user
    // typed, clicked and chose and from the options. The search reads it from
    // a snapshot refreshed only when a control it comes from changes: after
    // every change the snapshot must hold what the controls hold.
    void eachControlReachesTheRequestAtOnce()
    {
        const QString first = QString::fromStdString(harness_.root("first")),
                      usb = QString::fromStdString(harness_.root("usb")),
                      second = QString::fromStdString(harness_.root("second"));
        harness_.drives.dir("second/My Folder");
        harness_.load({{first.toStdString(), HardDisk},
                       {usb.toStdString(), RemovableMedia},
                       {second.toStdString(), HardDisk}});
        SearchWindowFrontEnd& frontEnd = frmSearch::instance().wiring().frontEnd();
        frontEnd.markRequestChanged();

        const std::tuple<const char*, std::function<void()>, QString> changes[] = {
            {"at load", [] {}, "drives=" + first + "," + second + ",;folder=0:" + first + ":" + first},
            {"name typed as is", [] { H::type("txtSearchFileName", "  Über Report.DOC "); },
             "name=  Über Report.DOC "},
            {"match and case", [] { H::click("optSearchType_2"), H::click("chkSearchCaseSensative"); },
             "match=2;case=1"},
            {"dates, typed",
             [] { H::type("txtSearchFromDate", "02/30/2001"), H::type("txtSearchToDate", "any"); },
             "from=02/30/2001;to=any"},
            {"size",
             [] {
                 H::click("cmbSearchSize"), H::clickEntry("lstSearchFileSize", "Small (Less than 100 KB)");
             },
             "size=Small (Less than 100 KB)"},
            {"inside text while locked", [] { H::type("txtSearchInFiles", "x"); }, "inside=0:"},
            {"inside", [] { H::click("chkSearchInsideFiles"); }, "inside=1:"},
            {"inside text", [] { H::type("txtSearchInFiles", "needle"); }, "inside=1:needle"},
            // An old text never outlives the check mark.
            {"inside off and on", [] { H::click("chkSearchInsideFiles"), H::click("chkSearchInsideFiles"); },
             "inside=1:"},
            {"drives",
             [] {
                 auto* drives = H::control<QTreeWidget>("lstAllDrives");
                 drives->topLevelItem(0)->setCheckState(0, Qt::Unchecked),
                     drives->topLevelItem(1)->setCheckState(0, Qt::Checked);
             },
             "drives=" + usb + "," + second + ","},
            {"scope", [] { H::click("optSearchThisFolder"); }, "folder=1:" + first + ":" + first},
            {"drive box",
             [&] { H::click("cmbDrives"), H::clickEntry("lstDrives", second + "   (Hard Disk)"); },
             "folder=1:" + second + ":" + second},
            {"folder",
             [&] { H::control<FolderTree>("dirSearchFolder")->setFolderPath(second + "My Folder"); },
             "folder=1:" + second + ":" + second + "My Folder/"},
            {"name split by the search", [] { frmSearch::instance().setNameAndType("report", "txt"); },
             "name=report;type=txt"},
            {"inside types",
             [] {
                 frmSearch::instance().lblTabs_Click(2), H::type("txtSearchInsideTheseFileTypes", "txt md");
             },
             "types=txt md"},
            {"show folders", [] { H::click("chkShowFolders"); }, "options=0100"},
            {"limit and force", [] { H::click("chkResultsLimit"), H::click("chkForceIndex"); },
             "options=0111"},
            {"excluded", [] { H::click("cmdAddFolder"); }, "excluded=" + first + ","},
        };
        for (const auto& [what, change, expected] : changes) {
            change();
            SearchCriteria seen, fresh;
            SearchOptions seenOptions, freshOptions;
            frontEnd.readCriteria(seen), frontEnd.readOptions(seenOptions);
            frmSearch::instance().fillCriteria(fresh), frmSearch::instance().fillOptions(freshOptions);
            const QString snapshot = describe(seen, seenOptions);
            QVERIFY2(snapshot == describe(fresh, freshOptions) && snapshot.contains(";" + expected + ";"),
                     what);
        }
    }
};

QTEST_MAIN(CriteriaPickersTest)
#include "CriteriaPickersTest.moc"
