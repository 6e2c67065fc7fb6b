#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/DataPaths.h"
#include "app/ErrorReport.h"
#include "app/Version.h"
#include "shell/StandIns.h"
#include "support/LoopbackHttpServer.h"
#include "ui/ButtonPictures.h"
#include "ui/frmErrors.h"
#include "ui/frmMessages.h"

using namespace zephrix;
using test::LoopbackHttpServer;

namespace {

frmMessages& dialog()
{
    return frmMessages::instance();
}

PictureButton* button(const char* name)
{
    return dialog().findChild<PictureButton*>(name);
}

// The visible buttons with their pictures: "cmd1=0 cmd3=2".
QString buttons()
{
    QStringList shown;
    for (const char* name : {"cmd1", "cmd2", "cmd3"}) {
        if (button(name)->isVisible())
            shown << QString("%1=%2").arg(name).arg(button(name)->picture());
    }
    return shown.join(' ');
}

QString labels()
{
    QStringList texts;
    for (const char* name : {"lblErrorLocation", "lblErrorNumber", "lblErrorDescription"})
        texts << frmErrors::instance().findChild<QLabel*>(name)->text();
    return texts.join(" / ");
}

// Clicks a button and tells whether any window is still on screen.
bool clickLeavesWindowsOpen(const char* button)
{
    QTest::mouseClick(frmErrors::instance().findChild<PictureButton*>(button), Qt::LeftButton);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            return true;
    }
    return false;
}

} // namespace

// The message dialog (which buttons a notice and a question show, what
// each answers, and that nothing else answers) and the error report window.
class MessageWindowsTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { installErrorWindow(); }
    void cleanup()
    {
        dialog().hide();
        dialog().intMessageResponse = 0;
    }

    // A question opened over a notice takes its place; keys answer nothing,
    // OK and Cancel answer 1 and 3.
    void aQuestionIsAnsweredByOkOrCancelOnly()
    {
        for (const auto& [name, response] : {std::pair{"cmd1", 1}, {"cmd3", 3}}) {
            frmMessages::notifyOk("The file name already exists.");
            const QPoint where = dialog().pos();
            QTimer::singleShot(0, [&, name = name] {
                QTRY_VERIFY(dialog().isVisible());
                for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space, Qt::Key_Y})
                    QTest::keyClick(&dialog(), key);
                QVERIFY(dialog().isVisible());
                QCOMPARE(dialog().pos(), where);
                QCOMPARE(test::shownMessage(), QString("Delete?"));
                QCOMPARE(buttons(),
                         QString("cmd1=%1 cmd3=%2").arg(ILButtons::OkNormal).arg(ILButtons::CancelNormal));
                QTest::mouseClick(button(name), Qt::LeftButton);
            });
            QCOMPARE(frmMessages::askOkCancel("Delete?"), response == 1);
            QCOMPARE(int(dialog().intMessageResponse), response);
            for (QWidget* window : QApplication::topLevelWidgets())
                QVERIFY(!window->isVisible());
        }
    }

    void aNoticeIsAnsweredByItsOkAndShowsItsTextAsItIs()
    {
        const QString text = "Line <b>one</b>.  Two blanks & more\nSecond line";
        for (auto notify : {&frmMessages::notifyError, &frmMessages::notifyOk}) {
            notify(text);
            QCOMPARE(test::shownMessage(), text);
            QCOMPARE(dialog().findChild<QLabel*>("lblMessage")->textFormat(), Qt::PlainText);
            QCOMPARE(buttons(), QString("cmd2=%1").arg(ILButtons::OkNormal));
            QTest::mouseClick(button("cmd2"), Qt::LeftButton);
            QCOMPARE(int(dialog().intMessageResponse), 2);
            QVERIFY(!dialog().isVisible());
        }
    }

    // Any mouse button shows the pressed picture while held; only a left
    // release over the button answers.
    void aButtonAnswersOnlyWhenReleasedOverIt()
    {
        const std::tuple<const char*, bool, int, int> cases[] = {
            {"cmd2", false, ILButtons::OkNormal, ILButtons::OkPressed},
            {"cmd1", true, ILButtons::OkNormal, ILButtons::OkPressed},
            {"cmd3", true, ILButtons::CancelNormal, ILButtons::CancelPressed}};
        for (const auto& [name, question, normal, pressed] : cases) {
            question ? dialog().DisplayOkCancel("Question") : dialog().DisplayOk("Notice");
            dialog().show();
            dialog().intMessageResponse = 7;
            PictureButton* target = button(name);
            for (Qt::MouseButton mouse : {Qt::LeftButton, Qt::RightButton}) {
                QTest::mousePress(target, mouse);
                QCOMPARE(target->picture(), pressed);
                QTest::mouseRelease(target, mouse, {}, QPoint(target->width() + 40, -10)); // outside
                QCOMPARE(target->picture(), normal);
            }
            QTest::mouseClick(target, Qt::RightButton);
            QVERIFY(dialog().isVisible());
            QCOMPARE(int(dialog().intMessageResponse), 7);
        }
    }

    void f1OpensTheHelpStartPage()
    {
        test::RecordingProgram opener("xdg-open");
        const test::PathPrefix path(opener.folder());
        dialog().DisplayOk("Notice with help");
        dialog().show();
        QTest::keyClick(&dialog(), Qt::Key_F1);
        const std::vector<std::string> opened = opener.arguments();
        const QString page = QString::fromStdString(helpFolder()) + "/index.html";
        QVERIFY(opened.size() == 1 && (opened[0] == page.toStdString() ||
                                       opened[0] == QUrl::fromLocalFile(page).toString().toStdString()));
        QCOMPARE(test::shownMessage(), QString("Notice with help"));
    }
    // The error report window: its fields, and sending the report or not.
    void aReportShowsItsFieldsAndALaterOneReplacesThem()
    {
        ReportError(6024, 91, "Object variable not set");
        QVERIFY(frmErrors::instance().isVisible()); // without waiting
        QCOMPARE(labels(),
                 "Error Location: 6024 / Error Number: 91 / Error Description: Object variable not set");
        engineErrorReporter().reportError(11053, 2, "No such file or directory - /gone/");
        // The labels follow the fields whenever the window is activated.
        frmErrors::instance().ErrorNumber = -5;
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&frmErrors::instance(), &activate);
        QCOMPARE(labels(), "Error Location: 11053 / Error Number: -5 / Error Description: No such file or "
                           "directory - /gone/");
    }

    // Send asks the server and hides without a word, whether the sending
    // works or fails; Cancel hides and sends nothing.
    void sendReportsAndCancelDoesNot()
    {
        const Version v = programVersion();
        for (const bool refused : {false, true}) {
            LoopbackHttpServer server;
            server.answer("OK");
            qputenv("ZEPHRIX_REPORT_URL",
                    refused ? "http://127.0.0.1:" + QByteArray::number(LoopbackHttpServer::refusingPort())
                            : server.address().toUtf8());
            ReportError(6024, 91, "a & b");
            QVERIFY(!clickLeavesWindowsOpen("cmdSendError"));
            if (!refused)
                QCOMPARE(server.requestLines(),
                         QStringList{QString("GET /products/errorreport.asp?application="
                                             "Zephrix%1%2%3&errorlocation=6024&errornumber="
                                             "91&errordescription=a%20%26%20b HTTP/1.1")
                                         .arg(v.major)
                                         .arg(v.minor)
                                         .arg(v.revision)});
        }
        LoopbackHttpServer server;
        qputenv("ZEPHRIX_REPORT_URL", server.address().toUtf8());
        ReportError(6023, 13, "Type mismatch");
        QVERIFY(!clickLeavesWindowsOpen("cmdCancel"));
        QVERIFY(!server.waitForRequests(1, 300));
    }
};

QTEST_MAIN(MessageWindowsTest)
#include "MessageWindowsTest.moc"
