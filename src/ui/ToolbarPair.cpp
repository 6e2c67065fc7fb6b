#include "ui/ToolbarPair.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/Artwork.h"
#include "ui/PictureButton.h"
#include "ui/WindowChrome.h"

namespace zephrix {
namespace {

constexpr int IconEdge = 405;
constexpr int IconTop = 30;
constexpr int CaptionTop = 480;
constexpr int CaptionHeight = 195;

} // namespace

void ToolbarCaption::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && event->buttons() == Qt::NoButton &&
        rect().contains(event->position().toPoint()))
        emit clicked();
}

ToolbarPair addToolbarPair(QWidget* toolbar, const ToolbarCommand& command, int left, int slotWidth,
                           std::function<void()> run)
{
    const QString name = QString::fromLatin1(command.name);
    const QString caption = QString::fromLatin1(command.caption);
    const QString tip = QString::fromLatin1(command.toolTip);
    const art::ToolbarIcon icon = command.icon;

    auto* picture = new PictureButton(toolbar, QStringLiteral("cmd") + name,
                                      [icon](QPainter& p, const QRectF& box, int shown) {
                                          art::paintToolbarIcon(p, box, icon, shown == 1);
                                      });
    picture->setGeometry(twips(left + (slotWidth - IconEdge) / 2), twips(IconTop), twips(IconEdge),
                         twips(IconEdge));
    // Picture 1 is the pressed look, shown while a button is held on the icon.
    QObject::connect(picture, &PictureButton::mouseDown, picture, [picture] { picture->setPicture(1); });
    QObject::connect(picture, &PictureButton::mouseUp, picture, [picture] { picture->setPicture(0); });

    auto* label = new ToolbarCaption(caption, toolbar);
    label->setObjectName(QStringLiteral("lbl") + name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(art::uiFont(7.5));
    label->setCursor(Qt::PointingHandCursor);
    label->setGeometry(twips(left), twips(CaptionTop), twips(slotWidth), twips(CaptionHeight));

    for (QWidget* control : {static_cast<QWidget*>(picture), static_cast<QWidget*>(label)}) {
        control->setToolTip(tip);
        control->setAccessibleName(caption);
        control->setAccessibleDescription(tip);
    }
    QObject::connect(picture, &PictureButton::clicked, toolbar, run);
    QObject::connect(label, &ToolbarCaption::clicked, toolbar, run);
    return {picture, label};
}

} // namespace zephrix
