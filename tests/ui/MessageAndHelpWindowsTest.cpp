#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include "app/DataPaths.h"
#include "app/ErrorReport.h"
#include "app/UpdateCheck.h"
#include "app/Version.h"
#include "shell/StandIns.h"
#include "support/LoopbackHttpServer.h"
#include "ui/frmErrors.h"
#include "ui/frmHelp.h"
#include "ui/frmMessages.h"
#include "ui/frmNewRelease.h"

using namespace zephrix;
using Strings = std::vector<std::string>;
using Server = test::LoopbackHttpServer;

namespace {

frmMessages& dialog()
{
    return frmMessages::instance();
}

PictureButton* button(QWidget& window, const char* name)
{
    return window.findChild<PictureButton*>(name);
}

void click(QWidget& window, const char* name)
{
    QTest::mouseClick(button(window, name), Qt::LeftButton);
}

// The dialog's visible buttons: "cmd1 cmd3".
QString buttons()
{
    QStringList shown;
    for (const char* name : {"cmd1", "cmd2", "cmd3"})
        shown << (button(dialog(), name)->isVisible() ? name : "");
    return shown.join(' ').simplified();
}

bool anyWindowShown()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [](QWidget* window) { return window->isVisible(); });
}

QString reportLabels()
{
    QStringList texts;
    for (const char* name : {"lblErrorLocation", "lblErrorNumber", "lblErrorDescription"})
        texts << frmErrors::instance().findChild<QLabel*>(name)->text();
    return texts.join(" / ");
}

// Clicks a help window button; the message box it brings up, closed once read.
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
    click(frmHelp::instance(), name);
    return seen;
}

// Runs the update check against `address`; the message shown (and answered).
QString checkForUpdate(const QString& address, const Version& own)
{
    qputenv("ZEPHRIX_UPDATE_URL", address.toUtf8());
    QString told;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (dialog().isVisible())
            told = test::shownMessage(), click(dialog(), "cmd2");
    });
    answer.start(20);
    QLabel status;
    StartupUpdateNotice notice(&status);
    runUpdateCheck(notice, own, std::chrono::milliseconds(700));
    return status.text() == "Checking for newer version" ? told : "no status line";
}

} // namespace

// The message dialog, error reports, the help window and the update check.
class MessageAndHelpWindowsTest : public QObject {
    Q_OBJECT
    test::TempTree xdg_; // no desktop associations but the test's own

  private slots:
    void initTestCase()
    {
        installErrorWindow();
        test::useOwnXdgFolders(xdg_);
    }
    void cleanup()
    {
        dialog().hide();
        dialog().intMessageResponse = 0;
    }

    // A notice shows its text as is, OK alone (2); a question takes its place; only a left click answers.
    void noticesAndQuestionsAreAnsweredByTheirButtonsOnly()
    {
        const QString text = "Line <b>one</b>.  Two blanks & more\nSecond line";
        for (auto notify : {&frmMessages::notifyError, &frmMessages::notifyOk}) {
            notify(text);
            QCOMPARE(test::shownMessage(), text);
            QCOMPARE(dialog().findChild<QLabel*>("lblMessage")->textFormat(), Qt::PlainText);
            QCOMPARE(buttons(), QString("cmd2"));
            click(dialog(), "cmd2");
            QVERIFY(dialog().intMessageResponse == 2 && !dialog().isVisible());
        }
        for (const auto& [name, response] : {std::pair{"cmd1", 1}, {"cmd3", 3}}) {
            frmMessages::notifyOk("The file name already exists.");
            QTimer::singleShot(0, [&, name = name] {
                QTRY_VERIFY(dialog().isVisible());
                for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space, Qt::Key_Y})
                    QTest::keyClick(&dialog(), key);
                QVERIFY(dialog().isVisible());
                QCOMPARE(test::shownMessage(), QString("Delete?"));
                QCOMPARE(buttons(), QString("cmd1 cmd3"));
                // Only a left release over a button answers.
                PictureButton* target = button(dialog(), name);
                QTest::mousePress(target, Qt::LeftButton);
                QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(target->width() + 40, -10));
                QTest::mouseClick(target, Qt::RightButton);
                QVERIFY(dialog().isVisible());
                click(dialog(), name);
            });
            QCOMPARE(frmMessages::askOkCancel("Delete?"), response == 1);
            QCOMPARE(int(dialog().intMessageResponse), response);
            QVERIFY(!anyWindowShown());
        }
    }

    // A later report replaces the fields; Cancel sends nothing; Send asks and hides silently, sent or not.
    void aReportIsShownAndSentOnlyBySend()
    {
        ReportError(6024, 91, "Object variable not set");
        QVERIFY(frmErrors::instance().isVisible()); // without waiting
        QCOMPARE(reportLabels(),
                 "Error Location: 6024 / Error Number: 91 / Error Description: Object variable not set");
        engineErrorReporter().reportError(11053, 2, "a & b");
        QCOMPARE(reportLabels(), "Error Location: 11053 / Error Number: 2 / Error Description: a & b");
        Server server;
        server.answer("OK");
        qputenv("ZEPHRIX_REPORT_URL", server.address().toUtf8());
        click(frmErrors::instance(), "cmdCancel");
        QVERIFY(!anyWindowShown() && !server.waitForRequests(1, 300));
        for (const QByteArray& address :
             {server.address().toUtf8(), "http://127.0.0.1:" + QByteArray::number(Server::refusingPort())}) {
            qputenv("ZEPHRIX_REPORT_URL", address);
            ReportError(6024, 91, "a & b");
            click(frmErrors::instance(), "cmdSendError");
            QVERIFY(!anyWindowShown());
        }
        QCOMPARE(server.requestLines().size(), 1);
        QVERIFY(server.requestLines()[0].contains(
            "&errorlocation=6024&errornumber=91&errordescription=a%20%26%20b "));
    }

    // Help pages open through xdg-open, else the associated browser, else the user is told.
    void helpPagesOpenThroughTheDesktop()
    {
        frmHelp& help = frmHelp::instance();
        help.show();
        const std::string page = helpFolder() + "/index.html";
        {
            test::RecordingProgram opener("xdg-open");
            const test::PathPrefix path(opener.folder());
            click(help, "cmdHelp");
            QCOMPARE(opener.arguments(), Strings{page});
            click(help, "cmdVersion");
            QCOMPARE(opener.arguments(), Strings{publisherWebSite().toStdString()});
        }
        // Without xdg-open: the text/html browser (here one that cannot start).
        const test::PathPrefix path("/nonexistent", true);
        xdg_.file("share/applications/browser.desktop",
                  "[Desktop Entry]\nType=Application\nMimeType=text/html;\nExec=/nonexistent/browser %u");
        QCOMPARE(clickForMessageBox("cmdHelp"), QString("URL Failed: Web Page not Opened"));
        QCOMPARE(clickForMessageBox("cmdVersion"),
                 QString("Browser Not Found: Could not find associated Browser"));
        click(help, "cmdCancel");
        QVERIFY(!help.isVisible());
    }

    // Only a newer version, by number (10.10 after 10.9), brings message and notes.
    void onlyANewerVersionIsTold()
    {
        const Server::Step notes{Server::Behaviour::Answer, "<p>Faster & <b>safer</b></p>"};
        const Server::Step silent{Server::Behaviour::Silent, {}};
        const auto answer = [](const QByteArray& body) {
            return Server::Step{Server::Behaviour::Answer, body};
        };
        const std::tuple<const char*, QList<Server::Step>, Version, QString> cases[] = {
            // what, the server's script, our version, the notes shown ("": not told)
            {"newer revision", {answer("1.0.1"), notes}, {1, 0, 0}, "<p>Faster & <b>safer</b></p>"},
            {"notes never come", {answer("2.0.0"), silent}, {1, 0, 0}, "The latest version news."},
            {"numbers, not text", {answer("10.10"), notes}, {10, 9, 0}, "<p>Faster & <b>safer</b></p>"},
            {"older by number", {answer("10.10"), notes}, {10, 11, 0}, ""},
            {"same", {answer("1.0.0"), notes}, {1, 0, 0}, ""},
            {"six characters", {answer("10.0.0"), notes}, {1, 0, 0}, ""},
            {"garbage", {{Server::Behaviour::Garbage, {}}}, {1, 0, 0}, ""},
            {"10 MB", {answer(QByteArray(10 << 20, '1'))}, {1, 0, 0}, ""},
            {"never answers", {silent}, {1, 0, 0}, ""},
        };
        const QString message =
            "I would just like to let you know that there is a new version of this software "
            "available on our web site.  " +
            publisherWebSite();
        for (const auto& [what, script, own, notes] : cases) {
            Server server;
            server.script(script);
            const bool told = !notes.isEmpty();
            QVERIFY2(checkForUpdate(server.address(), own) == (told ? message : QString()), what);
            QCOMPARE(server.requestLines().value(0), QString("GET /products/zephrix/version.asp HTTP/1.1"));
            QCOMPARE(server.requestLines().contains("GET /products/zephrix/whatsnew.html HTTP/1.1"), told);
            frmNewRelease* notice = frmNewRelease::current();
            QVERIFY2((notice != nullptr) == told, what);
            if (notice) {
                QVERIFY(notice->isVisible() &&
                        notice->findChild<QPlainTextEdit*>("txtNewVersion")->toPlainText() == notes);
                QTest::mouseClick(notice->findChild<QWidget*>("cmd1"), Qt::LeftButton);
                QTRY_VERIFY(frmNewRelease::current() == nullptr); // unloaded
            }
        }
    }
};

QTEST_MAIN(MessageAndHelpWindowsTest)
#include "MessageAndHelpWindowsTest.moc"
