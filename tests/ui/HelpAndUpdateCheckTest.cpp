#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include "app/DataPaths.h"
#include "app/UpdateCheck.h"
#include "app/Version.h"
#include "shell/StandIns.h"
#include "support/LoopbackHttpServer.h"
#include "ui/frmHelp.h"
#include "ui/frmNewRelease.h"

using namespace zephrix;
using Strings = std::vector<std::string>;
using Server = test::LoopbackHttpServer;
using Steps = QList<Server::Step>;

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

// The site is the build's choice (a host under .invalid unless configured).
const QString Message = "I would just like to let you know that there is a new version of this software "
                        "available on our web site.  " +
                        publisherWebSite();

// Runs the check against the server's script; returns the message the
// user was shown (answering it), empty when none.
QString check(const QString& address, const Version& own)
{
    qputenv("ZEPHRIX_UPDATE_URL", address.toUtf8());
    QString told;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (!frmMessages::instance().isVisible())
            return;
        told = test::shownMessage();
        QTest::mouseClick(frmMessages::instance().findChild<PictureButton*>("cmd2"), Qt::LeftButton);
    });
    answer.start(20);
    QLabel status;
    StartupUpdateNotice notice(&status);
    runUpdateCheck(notice, own, std::chrono::milliseconds(700));
    if (status.text() != "Checking for newer version")
        return "no status line";
    return told;
}

} // namespace

// The help window, and the check for a newer version against a server on
// this machine.
class HelpAndUpdateCheckTest : public QObject {
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
    // Only a newer version, compared as numbers ("10.10" is later than 10.9,
    // which text order denies), brings up the message and then the notes.
    void onlyANewerVersionIsTold()
    {
        const Server::Step notes{Server::Behaviour::Answer, "<p>Faster & <b>safer</b></p>"};
        const Server::Step silent{Server::Behaviour::Silent, {}};
        const auto answer = [](const QByteArray& body) {
            return Server::Step{Server::Behaviour::Answer, body};
        };
        const std::tuple<const char*, Steps, Version, QString> cases[] = {
            // what, the server's script, our version, the notes shown ("": not told)
            {"newer revision", {answer("1.0.1"), notes}, {1, 0, 0}, "<p>Faster & <b>safer</b></p>"},
            {"notes never come", {answer("2.0.0"), silent}, {1, 0, 0}, "The latest version news."},
            {"numbers, not text", {answer("10.10"), notes}, {10, 9, 0}, "<p>Faster & <b>safer</b></p>"},
            {"older by number", {answer("10.10"), notes}, {10, 11, 0}, ""},
            {"same", {answer("1.0.0"), notes}, {1, 0, 0}, ""},
            {"older", {answer("0.9.9"), notes}, {1, 0, 0}, ""},
            {"six characters", {answer("10.0.0"), notes}, {1, 0, 0}, ""},
            {"line break", {answer("1.1.\n"), notes}, {1, 0, 0}, ""},
            {"letters", {answer("1.a.0"), notes}, {1, 0, 0}, ""},
            {"garbage", {{Server::Behaviour::Garbage, {}}}, {1, 0, 0}, ""},
            {"10 MB", {answer(QByteArray(10 << 20, '1'))}, {1, 0, 0}, ""},
            {"never answers", {silent}, {1, 0, 0}, ""},
            {"refused", {}, {1, 0, 0}, ""},
        };
        for (const auto& [what, script, own, notes] : cases) {
            Server server;
            server.script(script);
            const bool told = !notes.isEmpty();
            const QString address = script.isEmpty()
                                        ? QString("http://127.0.0.1:%1").arg(Server::refusingPort())
                                        : server.address();
            QVERIFY2(check(address, own) == (told ? Message : QString()), what);
            if (!script.isEmpty())
                QCOMPARE(server.requestLines().value(0),
                         QString("GET /products/zephrix/version.asp HTTP/1.1"));
            QCOMPARE(server.requestLines().contains("GET /products/zephrix/whatsnew.html HTTP/1.1"), told);
            frmNewRelease* notice = frmNewRelease::current();
            QVERIFY2((notice != nullptr) == told, what);
            if (notice) {
                QVERIFY(notice->isVisible());
                QCOMPARE(notice->findChild<QPlainTextEdit*>("txtNewVersion")->toPlainText(), notes);
                QTest::mouseClick(notice->findChild<QWidget*>("cmd1"), Qt::LeftButton);
                QTRY_VERIFY(frmNewRelease::current() == nullptr); // unloaded
            }
        }
    }
};

QTEST_MAIN(HelpAndUpdateCheckTest)
#include "HelpAndUpdateCheckTest.moc"
