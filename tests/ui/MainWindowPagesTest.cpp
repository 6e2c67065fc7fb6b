#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>

#include "MainWindowHarness.h"
#include "results/ResultsList.h"
#include "ui/HeaderBar.h"
#include "ui/frmErrors.h"
#include "ui/frmMessages.h"

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

void checkToolbar(const ToolbarPlaces& places, bool full)
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
            QVERIFY2(std::abs(2 * caption->x() + caption->width() - (2 * left + box.width)) <= 2, box.name);
            QCOMPARE(caption->y(), 32);
        }
    }
}

} // namespace

// The frame of the main window: pages, tab strip, toolbar layouts, what
// assistive tools read, which keys run the search, and the borderless
// windows' header bars.
class MainWindowPagesTest : public QObject {
    Q_OBJECT
    H harness_;

  private slots:
    void initTestCase() { harness_.load({{harness_.root("disk"), HardDisk}}); }

    void eachTabShowsItsPageAndTheToolbarItsRowsAsk()
    {
        const char* const pages[] = {"fraSearch", "fraAdvanced", "fraOptions", "fraResults"};
        for (int tab : {2, 3, 4, 1, 1}) {
            H::click(qPrintable(QStringLiteral("lblTabs_%1").arg(tab)));
            for (int page = 1; page <= 4; ++page)
                QCOMPARE(H::control(pages[page - 1])->isVisible(), page == tab);
            QCOMPARE(H::control(pages[tab - 1])->geometry(), QRect(8, 34, 567, 263 + 67));
            checkToolbar(Compact, false);
        }
        // Results with rows show the full toolbar, until another page.
        ResultsModel& rows = H::results();
        rows.appendRows({ResultRow{"found.txt", "/tmp/"}});
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

    // Every caption and tooltip is what tools read: a control's name is its
    // caption, its description its tooltip.
    void everyControlCarriesItsTextsToAssistiveTools()
    {
        for (QWidget* control : frmSearch::instance().findChildren<QWidget*>()) {
            const QByteArray name = control->objectName().toLatin1();
            QString caption;
            if (auto* label = qobject_cast<QLabel*>(control))
                caption = label->text();
            else if (auto* button = qobject_cast<QAbstractButton*>(control))
                caption = button->text();
            if (!caption.isEmpty() && !name.isEmpty())
                QCOMPARE(accessibleText(control, QAccessible::Name).toStdString() + " " + name.data(),
                         caption.toStdString() + " " + name.data());
            if (!control->toolTip().isEmpty())
                QVERIFY2(accessibleText(control, QAccessible::Description) == control->toolTip(), name);
        }
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

    void enterRunsTheSearchOnlyInTheListedControls_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("searches");
        const std::tuple<int, bool, const char*> controls[] = {
            {1, true,
             "pctTabs txtSearchFileName txtSearchFileType cmdSearchFileType txtSearchFromDate "
             "cmbSearchFromDate txtSearchToDate cmbSearchToDate txtSearchFileSize cmbSearchSize "
             "chkSearchInsideFiles txtSearchInFiles chkSearchCaseSensative optSearchTheseDrives "
             "optSearchThisFolder txtDrives cmbDrives dirSearchFolder"},
            {1, false, "optSearchType_1 lstAllDrives"},
            {2, false, "txtSearchInsideTheseFileTypes chkShowFolders lstExcludeFolders"},
            {3, false, "txtHours chkAutoStart lstIndexDrives"}};
        for (const auto& [page, searches, names] : controls) {
            for (const QString& name : QString(names).split(' '))
                QTest::newRow(qPrintable(name)) << page << searches;
        }
        QTest::newRow("a click on cmdSearch") << 1 << true;
    }
    void enterRunsTheSearchOnlyInTheListedControls()
    {
        QFETCH(int, page);
        QFETCH(bool, searches);
        frmSearch::instance().lblTabs_Click(page);
        QSignalSpy searched(&frmSearch::instance(), &frmSearch::searchRequested);
        if (QByteArray(QTest::currentDataTag()).startsWith("a click"))
            H::click("cmdSearch");
        else
            H::pressEnter(QTest::currentDataTag());
        QCOMPARE(searched.count(), searches ? 1 : 0);
    }

    // The windows are borderless; a left drag on the header bar across
    // their top moves them.
    void onlyALeftDragOnTheHeaderMovesTheWindow()
    {
        for (QWidget* window : std::initializer_list<QWidget*>{
                 &frmSearch::instance(), &frmMessages::instance(), &frmErrors::instance()}) {
            auto* header = window->findChild<HeaderBar*>("pictHeaderBar");
            QVERIFY(header && (window->windowFlags() & Qt::FramelessWindowHint));
            QCOMPARE(header->geometry(), QRect(0, 0, window->width(), header->height()));
        }
        frmSearch& window = frmSearch::instance();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* header = window.findChild<HeaderBar*>("pictHeaderBar");
        for (const auto& [button, moved] : {std::pair{Qt::LeftButton, QPoint(40, 20)},
                                            {Qt::RightButton, QPoint()},
                                            {Qt::MiddleButton, QPoint()}}) {
            window.move(100, 100);
            QTRY_COMPARE(window.pos(), QPoint(100, 100));
            QTest::mousePress(header, button, {}, QPoint(200, 10));
            QCOMPARE(window.pos(), QPoint(100, 100)); // a press alone does not move
            QTest::mouseMove(header, QPoint(240, 30));
            QTest::mouseRelease(header, button, {}, QPoint(240, 30));
            QTRY_COMPARE(window.pos(), QPoint(100, 100) + moved);
        }
    }
};

QTEST_MAIN(MainWindowPagesTest)
#include "MainWindowPagesTest.moc"
