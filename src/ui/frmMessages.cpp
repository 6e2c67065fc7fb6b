#include "ui/frmMessages.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

#include "shell/HelpPage.h"
#include "ui/Artwork.h"
#include "ui/ButtonPictures.h"
#include "ui/PictureButton.h"
#include "ui/WindowChrome.h"

namespace zephrix {
namespace {

constexpr int BadgeLeft = 18;
constexpr int BadgeSize = 36;

} // namespace

frmMessages& frmMessages::instance()
{
    static frmMessages* dialog = new frmMessages;
    return *dialog;
}

frmMessages::frmMessages()
{
    setObjectName(QStringLiteral("frmMessages"));
    setUpBorderlessWindow(this, QSize(twips(5865), twips(2970)));

    lblMessage = new QLabel(this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setTextFormat(Qt::PlainText);
    lblMessage->setWordWrap(true);
    lblMessage->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The badge takes the left of the message area; the text follows it.
    lblMessage->setGeometry(BadgeLeft + BadgeSize + 14, twips(480), width() - BadgeLeft - BadgeSize - 28,
                            twips(1995));

    auto painter = [](QPainter& p, const QRectF& box, int picture) { ILButtons::paint(p, box, picture); };
    const int lefts[] = {60, 2070, 4110};
    PictureButton** buttons[] = {&cmd1, &cmd2, &cmd3};
    for (int i = 0; i < 3; ++i) {
        auto* button = new PictureButton(this, QStringLiteral("cmd%1").arg(i + 1), painter);
        button->setToolTip(QStringLiteral("Click here to close this message"));
        button->setGeometry(twips(lefts[i]), twips(2550), ILButtons::Width, ILButtons::Height);
        *buttons[i] = button;
    }
    cmd1->setPicture(ILButtons::OkNormal);
    cmd2->setPicture(ILButtons::OkNormal);
    cmd3->setPicture(ILButtons::CancelNormal);

    // The pressed look, by mode: the single OK and the question's OK show the
    // "Ok" pair, Cancel the "Cancel" pair. Any mouse button presses.
    connect(cmd1, &PictureButton::mouseDown, this, [this] { cmd1->setPicture(ILButtons::OkPressed); });
    connect(cmd1, &PictureButton::mouseUp, this, [this] { cmd1->setPicture(ILButtons::OkNormal); });
    connect(cmd2, &PictureButton::mouseDown, this, [this] { cmd2->setPicture(ILButtons::OkPressed); });
    connect(cmd2, &PictureButton::mouseUp, this, [this] { cmd2->setPicture(ILButtons::OkNormal); });
    connect(cmd3, &PictureButton::mouseDown, this, [this] { cmd3->setPicture(ILButtons::CancelPressed); });
    connect(cmd3, &PictureButton::mouseUp, this, [this] { cmd3->setPicture(ILButtons::CancelNormal); });
    connect(cmd1, &PictureButton::clicked, this, [this] { answer(1); });
    connect(cmd2, &PictureButton::clicked, this, [this] { answer(2); });
    connect(cmd3, &PictureButton::clicked, this, [this] { answer(3); });

    setFocusPolicy(Qt::StrongFocus);
}

void frmMessages::setUpNotice(Mode mode, const QString& message)
{
    mode_ = mode;
    update();
    const bool question = mode == Mode::OkCancel;
    cmd1->setVisible(question);
    cmd2->setVisible(!question);
    cmd3->setVisible(question);
    cmd1->setPicture(ILButtons::OkNormal);
    cmd2->setPicture(ILButtons::OkNormal);
    cmd3->setPicture(ILButtons::CancelNormal);
    lblMessage->setText(message);
}

void frmMessages::DisplayError(const QString& Message)
{
    setUpNotice(Mode::Error, Message);
}

void frmMessages::DisplayOk(const QString& Message)
{
    setUpNotice(Mode::Ok, Message);
}

void frmMessages::DisplayOkCancel(const QString& Message)
{
    setUpNotice(Mode::OkCancel, Message);
}

void frmMessages::answer(qint16 response)
{
    intMessageResponse = response;
    hide(); // ends a modal show
}

bool frmMessages::askOkCancel(const QString& message)
{
    frmMessages& dialog = instance();
    dialog.intMessageResponse = 0;
    dialog.hide();
    dialog.DisplayOkCancel(message);
    dialog.exec();
    return dialog.intMessageResponse == 1;
}

void frmMessages::notifyError(const QString& message)
{
    instance().DisplayError(message);
    instance().show();
    instance().raise();
}

void frmMessages::notifyOk(const QString& message)
{
    instance().DisplayOk(message);
    instance().show();
    instance().raise();
}

void frmMessages::keyPressEvent(QKeyEvent* event)
{
    // Only F1 does anything; Enter and Escape must not answer the dialog.
    if (event->key() == Qt::Key_F1) {
        QString page = QStringLiteral("index.html");
        OpenHelpPage(page);
    }
    event->accept();
}

void frmMessages::closeEvent(QCloseEvent* event)
{
    // A close from the window manager (Alt+F4) would answer without a button.
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void frmMessages::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    art::paintWindowFrame(painter, *this);
    // A light band behind the buttons.
    const int bandTop = twips(2550) - 8;
    painter.fillRect(QRect(1, bandTop, width() - 2, height() - bandTop - 1), art::colour::Panel);
    painter.fillRect(QRect(1, bandTop, width() - 2, 1), QColor(0xc9, 0xd6, 0xe3));

    const art::NoticeKind kind = mode_ == Mode::Error ? art::NoticeKind::Error
                                 : mode_ == Mode::Ok  ? art::NoticeKind::Information
                                                      : art::NoticeKind::Question;
    const QRect text = lblMessage->geometry();
    art::paintNoticeBadge(painter, QRectF(BadgeLeft, text.center().y() - BadgeSize / 2, BadgeSize, BadgeSize),
                          kind);
}

} // namespace zephrix
