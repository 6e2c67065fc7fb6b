#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "app/DataPaths.h"
#include "app/UpdateCheck.h"
#include "app/Version.h"
#include "shell/StandIns.h"
#include "ui/ButtonPictures.h"
#include "ui/frmHelp.h"

using namespace zephrix;
using Strings = std::vector<std::string>;

namespace {

PictureButton* button(const char* name)
{
    return frmHelp::instance().findChild<PictureButton*>(name);
}

// Clicks the button; returns the title and text of the system message box
// this brings up, closed once read.
QString clickForMessageBox(const char* name)
{
    QString seen;
    QTimer::singleShot(0, [&] {
        if (QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000)) {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            seen = box->windowTitle() + ": " + box->text();
            box->accept();
        }
    });
    QTest::mouseClick(button(name), Qt::LeftButton);
    return seen;
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
    test::TempTree xdg_; // no desktop associations but the test's own

  private slots:
    void initTestCase()
    {
        test::useOwnXdgFolders(xdg_);
        frmHelp::instance().show();
    }

    void versionLineAndButtons()
    {
        const Version v = programVersion();
        QCOMPARE(
            frmHelp::instance().findChild<QLabel*>("lblVersion")->text(),
            QString("You are currently using version: %1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision));
        const struct {
            const char* name;
            const char* caption;
            int normal, pressed;
        } buttons[] = {
            {"cmdHelp", "Show Help", ILButtons::ShowHelpNormal, ILButtons::ShowHelpPressed},
            {"cmdVersion", "Check Version", ILButtons::CheckVersionNormal, ILButtons::CheckVersionPressed},
            {"cmdCancel", "Cancel", ILButtons::CancelNormal, ILButtons::CancelPressed}};
        for (const auto& b : buttons) {
            QCOMPARE(button(b.name)->accessibleName(), QString(b.caption));
            QCOMPARE(button(b.name)->picture(), b.normal);
            QTest::mousePress(button(b.name), Qt::RightButton); // any button presses, only the left clicks
            QCOMPARE(button(b.name)->picture(), b.pressed);
            QTest::mouseRelease(button(b.name), Qt::RightButton);
            QCOMPARE(button(b.name)->picture(), b.normal);
        }
        QVERIFY(frmHelp::instance().isVisible());
    }

    void pagesOpenThroughTheDesktopOpener()
    {
        test::RecordingProgram opener("xdg-open");
        const test::PathPrefix path(opener.folder());
        QTest::mouseClick(button("cmdHelp"), Qt::LeftButton);
        QCOMPARE(opener.arguments(), Strings{helpFolder() + "/index.html"});
        QTest::mouseClick(button("cmdVersion"), Qt::LeftButton);
        QCOMPARE(opener.arguments(), Strings{publisherWebSite().toStdString()});
        QVERIFY(publisherWebSite().contains(".invalid"));
    }

    // Without xdg-open: the browser the desktop associates, or the messages.
    void withoutOpenerTheAssociationIsUsed()
    {
        test::RecordingProgram browser;
        const test::PathPrefix path("/nonexistent", true);
        const std::string entry = "[Desktop Entry]\nType=Application\nMimeType=text/html;\nExec=";
        xdg_.file("share/applications/browser.desktop", entry + browser.path() + " --new-window %u");
        QTest::mouseClick(button("cmdHelp"), Qt::LeftButton);
        QCOMPARE(browser.arguments(), (Strings{"--new-window", helpFolder() + "/index.html"}));
        xdg_.file("share/applications/browser.desktop", entry + "/nonexistent/browser %u");
        QCOMPARE(clickForMessageBox("cmdHelp"), QString("URL Failed: Web Page not Opened"));
        QCOMPARE(clickForMessageBox("cmdVersion"),
                 QString("Browser Not Found: Could not find associated Browser"));
    }

    void cancelHides()
    {
        QTest::mouseClick(button("cmdCancel"), Qt::LeftButton);
        QVERIFY(!frmHelp::instance().isVisible());
    }
};

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"
