#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "app/DataPaths.h"
#include "app/UpdateCheck.h"
#include "app/Version.h"
#include "shell/StandIns.h"
#include "ui/frmHelp.h"

using namespace zephrix;
using Strings = std::vector<std::string>;

namespace {

PictureButton* button(const char* name)
{
    return frmHelp::instance().findChild<PictureButton*>(name);
}

// Clicks the button; the title and text of the system message box this
// brings up, closed once read.
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

    void versionLine()
    {
        const Version v = programVersion();
        QCOMPARE(
            frmHelp::instance().findChild<QLabel*>("lblVersion")->text(),
            QString("You are currently using version: %1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision));
    }

    // The help page and the publisher's site open through xdg-open, else
    // through the browser the desktop associates, else the user is told.
    void pagesOpenThroughTheDesktop()
    {
        {
            test::RecordingProgram opener("xdg-open");
            const test::PathPrefix path(opener.folder());
            QTest::mouseClick(button("cmdHelp"), Qt::LeftButton);
            QCOMPARE(opener.arguments(), Strings{helpFolder() + "/index.html"});
            QTest::mouseClick(button("cmdVersion"), Qt::LeftButton);
            QCOMPARE(opener.arguments(), Strings{publisherWebSite().toStdString()});
        }
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
        QTest::mouseClick(button("cmdCancel"), Qt::LeftButton);
        QVERIFY(!frmHelp::instance().isVisible());
    }
};

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"
