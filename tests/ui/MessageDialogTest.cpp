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

// The message dialog: which buttons a notice and a question show, what
// each answers, and that nothing else answers.
class MessageDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup()
    {
        dialog().hide();
        dialog().intMessageResponse = 0;
    }

    void aQuestionIsAnsweredByOkOrCancelOnly()
    {
        const QString okAndCancel =
            QString("cmd1=%1 cmd3=%2").arg(ILButtons::OkNormal).arg(ILButtons::CancelNormal);
        for (const auto& [name, response] : {std::pair{"cmd1", 1}, {"cmd3", 3}}) {
            const bool answer = askWhile("Are you sure you want to delete these 2 files?", [&, name = name] {
                for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space, Qt::Key_Y})
                    QTest::keyClick(&dialog(), key); // keys answer nothing
                QVERIFY(dialog().isVisible());
                QCOMPARE(buttons(), okAndCancel);
                QTest::mouseClick(button(name), Qt::LeftButton);
            });
            QCOMPARE(answer, response == 1);
            QCOMPARE(int(dialog().intMessageResponse), response);
            QVERIFY(!dialog().isVisible());
        }
    }

    void aNoticeIsAnsweredByItsOkAndShowsItsTextAsItIs()
    {
        const QString text = "Line <b>one</b>.  Two blanks & more\nSecond line";
        for (auto notify : {&frmMessages::notifyError, &frmMessages::notifyOk}) {
            notify(text);
            QVERIFY(dialog().isVisible());
            QCOMPARE(message(), text);
            QCOMPARE(dialog().findChild<QLabel*>("lblMessage")->textFormat(), Qt::PlainText);
            QCOMPARE(buttons(), QString("cmd2=%1").arg(ILButtons::OkNormal));
            QTest::mouseClick(button("cmd2"), Qt::LeftButton);
            QCOMPARE(int(dialog().intMessageResponse), 2);
            QVERIFY(!dialog().isVisible());
        }
    }

    void aButtonShowsItsPressedPictureWhileHeldAndAnswersOnlyWhenReleasedOverIt()
    {
        const std::tuple<const char*, bool, int, int> cases[] = {
            {"cmd2", false, ILButtons::OkNormal, ILButtons::OkPressed},
            {"cmd1", true, ILButtons::OkNormal, ILButtons::OkPressed},
            {"cmd3", true, ILButtons::CancelNormal, ILButtons::CancelPressed}};
        for (const auto& [name, question, normal, pressed] : cases) {
            if (question)
                dialog().DisplayOkCancel("Question");
            else
                dialog().DisplayOk("Notice");
            dialog().show();
            dialog().intMessageResponse = 7;
            PictureButton* target = button(name);
            for (Qt::MouseButton mouse : {Qt::LeftButton, Qt::RightButton}) {
                QTest::mousePress(target, mouse);
                QCOMPARE(target->picture(), pressed);
                QTest::mouseRelease(target, mouse, {}, QPoint(target->width() + 40, -10)); // outside
                QCOMPARE(target->picture(), normal);
            }
            QTest::mouseClick(target, Qt::RightButton); // a right click over it does not answer either
            QCOMPARE(target->picture(), normal);
            QVERIFY(dialog().isVisible());
            QCOMPARE(int(dialog().intMessageResponse), 7);
        }
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
