#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/DataPaths.h"
#include "support/TempTree.h"
#include "ui/ButtonPictures.h"
#include "ui/PictureButton.h"
#include "ui/frmMessages.h"

using namespace zephrix;

namespace {

frmMessages& dialog()
{
    return frmMessages::instance();
}

PictureButton* button(const char* name)
{
    return dialog().findChild<PictureButton*>(name);
}

QString message()
{
    return dialog().findChild<QLabel*>("lblMessage")->text();
}

// Runs `whileOpen` once the modal dialog is up, then returns the answer of
// the question protocol.
bool askWhile(const QString& text, std::function<void()> whileOpen)
{
    QTimer::singleShot(0, [whileOpen] {
        QTRY_VERIFY(dialog().isVisible());
        whileOpen();
    });
    return frmMessages::askOkCancel(text);
}

} // namespace

class MessageDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup()
    {
        dialog().hide();
        dialog().intMessageResponse = 0;
    }

    void questionAnswers_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("response");
        QTest::addColumn<bool>("goAhead");
        QTest::newRow("OK") << "cmd1" << 1 << true;
        QTest::newRow("Cancel") << "cmd3" << 3 << false;
    }
    void questionAnswers()
    {
        QFETCH(QString, button);
        QFETCH(int, response);
        QFETCH(bool, goAhead);
        const QByteArray name = button.toLatin1();
        const bool answer = askWhile("Are you sure you want to delete these 2 files?", [name] {
            QVERIFY(::button("cmd1")->isVisible());
            QVERIFY(!::button("cmd2")->isVisible());
            QVERIFY(::button("cmd3")->isVisible());
            QCOMPARE(::button("cmd1")->picture(), ILButtons::OkNormal);
            QCOMPARE(::button("cmd3")->picture(), ILButtons::CancelNormal);
            QTest::mouseClick(::button(name.constData()), Qt::LeftButton);
        });
        QCOMPARE(answer, goAhead);
        QCOMPARE(int(dialog().intMessageResponse), response);
        QVERIFY(!dialog().isVisible());
    }

    void noticeAnswersTwo_data()
    {
        QTest::addColumn<bool>("error");
        QTest::newRow("DisplayError") << true;
        QTest::newRow("DisplayOk") << false;
    }
    void noticeAnswersTwo()
    {
        QFETCH(bool, error);
        const QString text = "You must enter something to search for.  Please try again.";
        if (error)
            frmMessages::notifyError(text);
        else
            frmMessages::notifyOk(text);
        QVERIFY(dialog().isVisible());
        QCOMPARE(message(), text);
        QVERIFY(!button("cmd1")->isVisible());
        QVERIFY(button("cmd2")->isVisible());
        QVERIFY(!button("cmd3")->isVisible());
        QCOMPARE(button("cmd2")->picture(), ILButtons::OkNormal);

        QTest::mouseClick(button("cmd2"), Qt::LeftButton);
        QCOMPARE(int(dialog().intMessageResponse), 2);
        QVERIFY(!dialog().isVisible());
    }

    void pressedPictureWhileHeld_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("question");
        QTest::addColumn<int>("normal");
        QTest::addColumn<int>("pressed");
        QTest::newRow("notice OK") << "cmd2" << false << ILButtons::OkNormal << ILButtons::OkPressed;
        QTest::newRow("question OK") << "cmd1" << true << ILButtons::OkNormal << ILButtons::OkPressed;
        QTest::newRow("Cancel") << "cmd3" << true << ILButtons::CancelNormal << ILButtons::CancelPressed;
    }
    void pressedPictureWhileHeld()
    {
        QFETCH(QString, button);
        QFETCH(bool, question);
        QFETCH(int, normal);
        QFETCH(int, pressed);
        if (question)
            dialog().DisplayOkCancel("Question");
        else
            dialog().DisplayOk("Notice");
        dialog().show();
        dialog().intMessageResponse = 7;
        PictureButton* target = ::button(button.toLatin1().constData());

        for (Qt::MouseButton mouse : {Qt::LeftButton, Qt::RightButton}) {
            QTest::mousePress(target, mouse);
            QCOMPARE(target->picture(), pressed);
            // Released outside the button: normal again, no answer.
            QTest::mouseRelease(target, mouse, {}, QPoint(target->width() + 40, -10));
            QCOMPARE(target->picture(), normal);
            QVERIFY(dialog().isVisible());
            QCOMPARE(int(dialog().intMessageResponse), 7);
        }
        // A right click over the button shows the press but does not answer.
        QTest::mouseClick(target, Qt::RightButton);
        QCOMPARE(target->picture(), normal);
        QVERIFY(dialog().isVisible());
        QCOMPARE(int(dialog().intMessageResponse), 7);
    }

    void questionReplacesAnOpenNoticeInPlace()
    {
        frmMessages::notifyOk("The file name already exists.");
        QWidget* noticeWindow = &dialog();
        const QPoint where = dialog().pos();
        const bool answer = askWhile("Delete?", [where] {
            QCOMPARE(dialog().pos(), where);
            QCOMPARE(message(), QString("Delete?"));
            QVERIFY(!button("cmd2")->isVisible());
            QTest::mouseClick(button("cmd1"), Qt::LeftButton);
        });
        QVERIFY(answer);
        QCOMPARE(&dialog(), noticeWindow);
        QVERIFY(!dialog().isVisible());
        int visible = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            visible += w->isVisible();
        QCOMPARE(visible, 0);
    }

    void enterAndEscapeDoNothing()
    {
        const bool answer = askWhile("Question", [] {
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space, Qt::Key_Y}) {
                QTest::keyClick(&dialog(), key);
                QVERIFY(dialog().isVisible());
                QCOMPARE(int(dialog().intMessageResponse), 0);
            }
            QTest::mouseClick(button("cmd3"), Qt::LeftButton);
        });
        QVERIFY(!answer);
        QCOMPARE(int(dialog().intMessageResponse), 3);
    }

    void textIsShownUnchanged()
    {
        const QString text = "Line <b>one</b>.  Two blanks & more\nSecond line";
        dialog().DisplayError(text);
        QCOMPARE(message(), text);
        QCOMPARE(dialog().findChild<QLabel*>("lblMessage")->textFormat(), Qt::PlainText);
    }

    void f1OpensTheHelpStartPage()
    {
        // A stand-in for the desktop's opener records what it was asked to open.
        test::TempTree bin;
        const std::string record = bin.at("opened.txt");
        // Written aside and renamed, so the record never exists half-written.
        bin.file("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" + record + ".part' && mv '" + record +
                                 ".part' '" + record + "'\n");
        bin.chmod("xdg-open", 0755);
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(bin.path()) + ":" + oldPath);

        dialog().DisplayOk("Notice with help");
        dialog().show();
        QTest::keyClick(&dialog(), Qt::Key_F1);
        qputenv("PATH", oldPath);

        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QString::fromStdString(record)), 10000);
        const QString opened = QString::fromStdString(test::readWholeFile(record));
        const QString expected = QString::fromStdString(helpFolder()) + "/index.html";
        QVERIFY2(opened == expected || opened == QUrl::fromLocalFile(expected).toString(),
                 qPrintable(opened));
        QVERIFY(dialog().isVisible());
        QCOMPARE(message(), QString("Notice with help"));
    }
};

QTEST_MAIN(MessageDialogTest)
#include "MessageDialogTest.moc"
