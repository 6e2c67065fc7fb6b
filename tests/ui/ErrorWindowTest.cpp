#include <QApplication>
#include <QLabel>
#include <QTest>

#include "app/ErrorReport.h"
#include "app/Version.h"
#include "support/LoopbackHttpServer.h"
#include "ui/PictureButton.h"
#include "ui/frmErrors.h"

using namespace zephrix;
using test::LoopbackHttpServer;

namespace {

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

// The error report window: its fields, and sending the report or not.
class ErrorWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { installErrorWindow(); }

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

QTEST_MAIN(ErrorWindowTest)
#include "ErrorWindowTest.moc"
