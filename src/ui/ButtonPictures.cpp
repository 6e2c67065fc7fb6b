#include "ui/ButtonPictures.h"

#include <QString>

#include "ui/Artwork.h"

namespace zephrix::ILButtons {

void paint(QPainter& painter, const QRectF& box, int number)
{
    struct Picture {
        int number;
        const char* caption;
        bool pressed;
    };
    static const Picture pictures[] = {
        {OkNormal, "Ok", false},
        {OkPressed, "Ok", true},
        {ShowHelpNormal, "Show Help", false},
        {ShowHelpPressed, "Show Help", true},
        {CheckVersionNormal, "Check Version", false},
        {CheckVersionPressed, "Check Version", true},
        {CancelNormal, "Cancel", false},
        {CancelPressed, "Cancel", true},
        {SendReport, "Send Report", false},
    };
    for (const Picture& picture : pictures) {
        if (picture.number == number) {
            art::paintButtonFace(painter, box, QString::fromLatin1(picture.caption), picture.pressed);
            return;
        }
    }
}

} // namespace zephrix::ILButtons
