#include "ui/WindowChrome.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include "ui/Artwork.h"
#include "ui/PictureButton.h"

namespace zephrix {

HeaderBar* setUpBorderlessWindow(QWidget* window, QSize clientSize, HeaderBar::MoveStart moveStart)
{
    window->setWindowFlag(Qt::FramelessWindowHint, true);
    window->setWindowTitle(QString::fromLatin1(WindowTitle));
    window->setFixedSize(clientSize);
    window->setFont(art::uiFont(9));
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, art::colour::Paper);
    palette.setColor(QPalette::WindowText, art::colour::Ink);
    window->setPalette(palette);
    centreOnScreen(window);
    return new HeaderBar(window, moveStart);
}

void centreOnScreen(QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), window->size());
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

PictureButton* addHidePicture(QWidget* window, int left)
{
    auto* hide = new PictureButton(
        window, QStringLiteral("pctMinimize"),
        [](QPainter& p, const QRectF& box, int picture) { art::paintHidePicture(p, box, picture == 1); });
    hide->setToolTip(QStringLiteral("Click here to hide this window."));
    hide->setAccessibleName(QStringLiteral("Hide Window"));
    hide->setAccessibleDescription(hide->toolTip());
    hide->setGeometry(left, 0, HeaderBarHeight, HeaderBarHeight);
    QObject::connect(hide, &PictureButton::mouseDown, hide, [hide] { hide->setPicture(1); });
    QObject::connect(hide, &PictureButton::mouseUp, hide, [hide] { hide->setPicture(0); });
    hide->raise();
    return hide;
}

} // namespace zephrix
