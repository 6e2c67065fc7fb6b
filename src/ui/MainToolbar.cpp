#include "ui/MainToolbar.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "ui/Artwork.h"
#include "ui/PageControls.h"
#include "ui/PictureButton.h"
#include "ui/ToolbarPair.h"
#include "ui/WindowChrome.h"

namespace zephrix {
namespace {

using Command = MainToolbar::Command;

// Where each command stands in the two layouts, in twips.
struct CommandPlace {
    const ToolbarCommand& command;
    int fullLeft;    // picture
    int fullCaption; // caption's left edge
    int compactLeft; // -1: hidden in the compact layout
    int compactCaption;
    int captionWidth;
    bool captionClicks;
};

const CommandPlace Commands[7] = {
    {toolbar::Open, 120, 90, -1, -1, 465, false},          {toolbar::Rename, 1170, 990, -1, -1, 705, false},
    {toolbar::Properties, 2250, 2010, -1, -1, 870, false}, {toolbar::Delete, 3270, 3180, -1, -1, 570, false},
    {toolbar::Hide, 4230, 4260, 120, 150, 405, true},      {toolbar::Exit, 5220, 5250, 1110, 1140, 330, true},
    {toolbar::Help, 6120, 6120, 2010, 2010, 405, true},
};

constexpr int PictureTop = twips(30);
constexpr int PictureSize = twips(405);
constexpr int CaptionTop = twips(480);
constexpr int CaptionHeight = twips(195);

} // namespace

MainToolbar::MainToolbar(QWidget* window) : QWidget(window)
{
    setObjectName(QStringLiteral("fraTopToolbar"));
    const QFont font = controls::pageFont();
    const QFontMetrics metrics(font);
    const int captionHeight = std::max(CaptionHeight, metrics.height());
    setGeometry(0, twips(420), window->width(), std::max(twips(690), CaptionTop + captionHeight + 1));
    controls::describe(this, QStringLiteral("Toolbar"));

    for (int i = 0; i < 7; ++i) {
        const CommandPlace& design = Commands[i];
        const Command command = Command(i);
        const QString caption = QString::fromLatin1(design.command.caption);
        const QString tip = QString::fromLatin1(design.command.toolTip);

        PictureButton* picture = addToolbarPicture(this, design.command);
        picture->resize(PictureSize, PictureSize);
        connect(picture, &PictureButton::clicked, this, [this, command] { emit pictureClicked(command); });

        auto* label = new ToolbarCaption(caption, this);
        label->setObjectName(QStringLiteral("lbl") + QLatin1String(design.command.name));
        label->setFont(font);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        // A caption wider than its box widens it evenly on both sides.
        const int width = std::max(twips(design.captionWidth), metrics.horizontalAdvance(caption) + 2);
        label->resize(width, captionHeight);
        controls::describe(label, caption, tip);
        if (design.captionClicks) {
            label->setCursor(Qt::PointingHandCursor);
            connect(label, &ToolbarCaption::clicked, this, [this, command] { emit captionClicked(command); });
        }
        pairs_[i] = {picture, label};
    }
    showLayout(false);
}

void MainToolbar::showLayout(bool full)
{
    full_ = full;
    for (int i = 0; i < 7; ++i) {
        const CommandPlace& design = Commands[i];
        const bool shown = full || design.compactLeft >= 0;
        const int pictureLeft = twips(full ? design.fullLeft : design.compactLeft);
        const int captionLeft = twips(full ? design.fullCaption : design.compactCaption);
        const int grown = pairs_[i].caption->width() - twips(design.captionWidth);
        pairs_[i].picture->setVisible(shown);
        pairs_[i].caption->setVisible(shown);
        if (!shown)
            continue;
        pairs_[i].picture->move(pictureLeft, PictureTop);
        pairs_[i].caption->move(captionLeft - grown / 2, CaptionTop);
    }
}

PictureButton* MainToolbar::picture(Command command) const
{
    return pairs_[int(command)].picture;
}

QLabel* MainToolbar::caption(Command command) const
{
    return pairs_[int(command)].caption;
}

void MainToolbar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    art::paintToolbarBand(painter, QRectF(rect()));
}

} // namespace zephrix
