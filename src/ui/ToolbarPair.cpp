#include "ui/ToolbarPair.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/Artwork.h"
#include "ui/PageControls.h"
#include "ui/PictureButton.h"
#include "ui/WindowChrome.h"

namespace zephrix {
namespace {

constexpr int IconEdge = 405;
constexpr int IconTop = 30;
constexpr int CaptionTop = 480;
constexpr int CaptionHeight = 195;

void describe(QWidget* control, const ToolbarCommand& command)
{
    controls::describe(control, QString::fromLatin1(command.caption), QString::fromLatin1(command.toolTip));
}

} // namespace

void ToolbarCaption::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && event->buttons() == Qt::NoButton &&
        rect().contains(event->position().toPoint()))
        emit clicked();
}

PictureButton* addToolbarPicture(QWidget* toolbar, const ToolbarCommand& command)
{
    const art::ToolbarPicture shown = command.picture;
    auto* picture = new PictureButton(toolbar, QStringLiteral("cmd") + QLatin1String(command.name),
                                      [shown](QPainter& p, const QRectF& box, int look) {
                                          art::paintToolbarPicture(p, box, shown, look == 1);
                                      });
    // Picture 1 is the pressed look, shown while a button is held on the icon.
    picture->showPressWith(1);
    describe(picture, command);
    return picture;
}

ToolbarPair addToolbarPair(QWidget* toolbar, const ToolbarCommand& command, int left, int slotWidth,
                           std::function<void()> run)
{
    PictureButton* picture = addToolbarPicture(toolbar, command);
    picture->setGeometry(twips(left + (slotWidth - IconEdge) / 2), twips(IconTop), twips(IconEdge),
                         twips(IconEdge));

    auto* label = new ToolbarCaption(QString::fromLatin1(command.caption), toolbar);
    label->setObjectName(QStringLiteral("lbl") + QLatin1String(command.name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(art::uiFont(7.5));
    label->setCursor(Qt::PointingHandCursor);
    label->setGeometry(twips(left), twips(CaptionTop), twips(slotWidth), twips(CaptionHeight));
    describe(label, command);

    QObject::connect(picture, &PictureButton::clicked, toolbar, run);
    QObject::connect(label, &ToolbarCaption::clicked, toolbar, run);
    return {picture, label};
}

} // namespace zephrix
