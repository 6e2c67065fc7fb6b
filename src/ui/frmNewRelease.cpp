#include "ui/frmNewRelease.h"

#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>

#include "ui/Artwork.h"
#include "ui/ButtonPictures.h"
#include "ui/PictureButton.h"
#include "ui/WindowChrome.h"
#include "ui/frmMessages.h"

namespace zephrix {
namespace {

constexpr int WindowWidth = 480;
constexpr int WindowHeight = 330;
constexpr int Margin = 10;
constexpr int BandTop = WindowHeight - ILButtons::Height - 18;

QPointer<frmNewRelease>& shownNotice()
{
    static QPointer<frmNewRelease> notice;
    return notice;
}

} // namespace

frmNewRelease::frmNewRelease()
{
    setObjectName(QStringLiteral("frmNewRelease"));
    setAttribute(Qt::WA_DeleteOnClose);
    setUpBorderlessWindow(this, QSize(WindowWidth, WindowHeight));
    setAccessibleName(QStringLiteral("New release"));

    txtNewVersion = new QPlainTextEdit(QStringLiteral("The latest version news."), this);
    txtNewVersion->setObjectName(QStringLiteral("txtNewVersion"));
    txtNewVersion->setReadOnly(true);
    txtNewVersion->setAccessibleName(QStringLiteral("Release notes"));
    txtNewVersion->setGeometry(Margin, HeaderBarHeight + Margin, WindowWidth - 2 * Margin,
                               BandTop - HeaderBarHeight - 2 * Margin);

    cmd1 = new PictureButton(this, QStringLiteral("cmd1"), [](QPainter& p, const QRectF& box, int picture) {
        ILButtons::paint(p, box, picture);
    });
    cmd1->setPicture(ILButtons::OkNormal);
    cmd1->setToolTip(QStringLiteral("Click here to close this message"));
    cmd1->setAccessibleName(QStringLiteral("Ok"));
    cmd1->setAccessibleDescription(cmd1->toolTip());
    cmd1->setGeometry((WindowWidth - ILButtons::Width) / 2, BandTop + 9, ILButtons::Width, ILButtons::Height);
    connect(cmd1, &PictureButton::mouseDown, this, [this] { cmd1->setPicture(ILButtons::OkPressed); });
    connect(cmd1, &PictureButton::mouseUp, this, [this] { cmd1->setPicture(ILButtons::OkNormal); });
    connect(cmd1, &PictureButton::clicked, this, &frmNewRelease::cmd1_Click);
    shownNotice() = this;
}

frmNewRelease* frmNewRelease::current()
{
    return shownNotice().data();
}

void frmNewRelease::bringToFront()
{
    if (frmNewRelease* notice = current(); notice && notice->isVisible()) {
        notice->raise();
        notice->activateWindow();
    }
}

void frmNewRelease::cmd1_Click()
{
    close(); // unloads: the window deletes itself
}

void frmNewRelease::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    art::paintWindowFrame(painter, *this);
    painter.fillRect(QRect(1, BandTop, width() - 2, height() - BandTop - 1), art::colour::Panel);
    painter.fillRect(QRect(1, BandTop, width() - 2, 1), QColor(0xc9, 0xd6, 0xe3));
}

void StartupUpdateNotice::showStatus(const QString& text)
{
    if (status_)
        status_->setText(text);
}

void StartupUpdateNotice::tellNewVersion(const QString& message)
{
    frmMessages& dialog = frmMessages::instance();
    dialog.hide();
    dialog.DisplayOk(message);
    dialog.exec();
}

void StartupUpdateNotice::showReleaseNotes(const std::optional<QByteArray>& notes)
{
    auto* notice = new frmNewRelease;
    if (notes)
        notice->txtNewVersion->setPlainText(QString::fromUtf8(*notes));
    notice->show();
}

} // namespace zephrix
