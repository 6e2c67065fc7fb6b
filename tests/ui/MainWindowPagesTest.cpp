#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <functional>

#include "MainWindowHarness.h"
#include "results/ResultsList.h"
#include "ui/FolderTree.h"

using namespace zephrix;
using H = test::MainWindowHarness;

namespace {

QString daysBack(int days)
{
    const QDate date = QDate::currentDate().addDays(-days);
    return QString::asprintf("%02d/%02d/%04d", date.month(), date.day(), date.year());
}

// The toolbar commands' left edges, full and compact; -1: hidden with the caption.
const std::tuple<const char*, int, int> Commands[] = {
    {"Open", 8, -1},  {"Rename", 78, -1}, {"Properties", 150, -1}, {"Delete", 218, -1},
    {"Hide", 282, 8}, {"Exit", 348, 74},  {"Help", 408, 134}};

void checkToolbar(bool full)
{
    for (const auto& [command, fullLeft, compactLeft] : Commands) {
        const int left = full ? fullLeft : compactLeft;
        QWidget* picture = H::control(qPrintable(QString("cmd") + command));
        QVERIFY2(picture->isVisible() == (left >= 0) && (left < 0 || picture->x() == left), command);
        QCOMPARE(H::control(qPrintable(QString("lbl") + command))->isVisible(), left >= 0);
    }
}

} // namespace

// The main window's pages, toolbar layouts, the keys that search, the pickers
// and scope buttons worked with mouse and keys, and the request they make.
class MainWindowPagesTest : public QObject {
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

    void eachTabShowsItsPageAndTheToolbarItsRowsAsk()
    {
        const char* const pages[] = {"fraSearch", "fraAdvanced", "fraOptions", "fraResults"};
        for (int tab : {2, 3, 4, 1, 1}) {
            H::click(qPrintable(QStringLiteral("lblTabs_%1").arg(tab)));
            for (int page = 1; page <= 4; ++page)
                QCOMPARE(H::control(pages[page - 1])->isVisible(), page == tab);
            checkToolbar(false);
        }
        // Results with rows show the full toolbar, until another page.
        ResultsModel& rows = H::results();
        rows.appendRows({ResultRow{"found.txt", "/tmp/"}});
        H::click("lblTabs_4");
        checkToolbar(true);
        H::click("lblTabs_3");
        checkToolbar(false);
        frmSearch::instance().lblTabs_Click(7); // no such page: nothing changes
        QVERIFY(H::control("fraOptions")->isVisible());
        rows.clear();
        H::click("lblTabs_1");
    }

    // Every caption fits its box and every control lies inside its page.
    void noTextIsCutOff()
    {
        for (QWidget* control : frmSearch::instance().findChildren<QWidget*>()) {
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

    void enterRunsTheSearchOnlyInTheListedControls()
    {
        const std::tuple<int, bool, const char*> controls[] = {
            {1, true,
             "pctTabs txtSearchFileName txtSearchFileType cmdSearchFileType txtSearchFromDate "
             "cmbSearchFromDate txtSearchToDate cmbSearchToDate txtSearchFileSize cmbSearchSize "
             "chkSearchInsideFiles txtSearchInFiles chkSearchCaseSensative optSearchTheseDrives "
             "optSearchThisFolder txtDrives cmbDrives dirSearchFolder"},
            {1, false, "optSearchType_1 lstAllDrives"},
            {2, false, "txtSearchInsideTheseFileTypes chkShowFolders lstExcludeFolders"},
            {3, false, "txtHours chkAutoStart lstIndexDrives"}};
        QSignalSpy searched(&frmSearch::instance(), &frmSearch::searchRequested);
        for (const auto& [page, searches, names] : controls) {
            for (const QString& name : QString(names).split(' ')) {
                frmSearch::instance().lblTabs_Click(page);
                searched.clear();
                H::pressEnter(qPrintable(name));
                QVERIFY2(searched.count() == (searches ? 1 : 0), qPrintable(name));
            }
        }
        H::click("cmdSearch");
        QCOMPARE(searched.count(), 1);
    }

    // The arrow opens the list with the focus; again, it closes it. A chosen
    // entry goes into the box and the focus moves on where that is designed.
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
        QCOMPARE(H::text("txtSearchFromDate") + H::text("txtSearchToDate") + H::text("txtSearchFileSize") +
                     "|" + H::text("txtSearchFileType"),
                 QString("AnyAnyAny|"));
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
        // Keys choose too, leaving the list hides it, and the size is never typed.
        frmSearch::instance().lblTabs_Click(1);
        H::click("cmbSearchSize");
        QTest::keyClick(H::control("lstSearchFileSize"), Qt::Key_Down);
        QVERIFY(!H::control("lstSearchFileSize")->isVisible());
        H::click("cmbSearchSize");
        QTest::mouseClick(H::control("txtSearchFileName"), Qt::LeftButton);
        QVERIFY(!H::control("lstSearchFileSize")->isVisible());
        QTest::keyClicks(H::control("txtSearchFileSize"), "02/30/2001");
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
            QVERIFY(H::control<QAbstractButton>("optSearchType_0")->isChecked()); // a separate choice
        }
    }
    // The request the search gets holds what the Search page shows. (Name,
    // type, match, case and folder reach the rows in the window search test,
    // the options the module's values in the options test.)
    void theRequestHoldsWhatThePageShows()
    {
        const std::string first = harness_.root("first"), usb = harness_.root("usb"),
                          second = harness_.root("second");
        harness_.load({{first, HardDisk}, {usb, RemovableMedia}, {second, HardDisk}});
        SearchCriteria request;
        frmSearch::instance().fillCriteria(request);
        QCOMPARE(request.drives, (std::vector{first, second}));
        auto* drives = H::control<QTreeWidget>("lstAllDrives");
        drives->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        drives->topLevelItem(1)->setCheckState(0, Qt::Checked);
        H::type("txtSearchFileName", "  Über Report.DOC ");
        H::type("txtSearchFromDate", "02/30/2001");
        H::type("txtSearchToDate", "any");
        H::click("cmbSearchSize");
        H::clickEntry("lstSearchFileSize", "Small (Less than 100 KB)");
        H::type("txtSearchInFiles", "x"); // locked until checked
        QCOMPARE(H::text("txtSearchInFiles"), QString());
        H::click("chkSearchInsideFiles");
        H::type("txtSearchInFiles", "needle");
        frmSearch::instance().fillCriteria(request);
        QCOMPARE(request.drives, (std::vector{usb, second}));
        QCOMPARE(request.name + "|" + request.fromDateText + "|" + request.toDateText + "|" +
                     request.sizeText + "|" + request.insideText + "|" +
                     std::to_string(request.searchInsideChecked),
                 std::string("  Über Report.DOC |02/30/2001|any|Small (Less than 100 KB)|needle|1"));
        // An old text never outlives the check mark.
        H::click("chkSearchInsideFiles");
        H::click("chkSearchInsideFiles");
        QCOMPARE(H::text("txtSearchInFiles"), QString());
    }
};

QTEST_MAIN(MainWindowPagesTest)
#include "MainWindowPagesTest.moc"
