#pragma once
#include <QLabel>
#include <functional>

#include "ui/Artwork.h"

namespace zephrix {

class PictureButton;

// A toolbar command as the user meets it: its icon (`cmd` + name) over its
// caption (`lbl` + name), both with the same tooltip.
struct ToolbarCommand {
    const char* name; // "Open": the controls cmdOpen and lblOpen
    const char* caption;
    const char* toolTip;
    art::ToolbarPicture picture;
};

// The toolbar commands of the main window and the larger results window,
// word for word.
namespace toolbar {
inline constexpr ToolbarCommand Open{
    "Open", "Open", "Click here to open the selected file in the results list.", art::ToolbarPicture::Open};
inline constexpr ToolbarCommand Rename{"Rename", "Rename",
                                       "Click here to rename the selected file in the results list.",
                                       art::ToolbarPicture::Rename};
inline constexpr ToolbarCommand Properties{
    "Properties", "Properties", "Click here to see the properties for the selected file in the results list.",
    art::ToolbarPicture::Properties};
inline constexpr ToolbarCommand Delete{
    "Delete", "Delete", "Click here to delete all the selected files/folders in the results list.",
    art::ToolbarPicture::Delete};
inline constexpr ToolbarCommand Hide{
    "Hide", "Hide",
    "Click here and I will go hide on your task bar until you need me again.  But I will keep working.",
    art::ToolbarPicture::Hide};
inline constexpr ToolbarCommand Exit{"Exit", "Exit", "Click here to exit Zephrix.",
                                     art::ToolbarPicture::Exit};
inline constexpr ToolbarCommand Help{
    "Help", "Help",
    "Click here for help, or press F1 from any screen to go directly to help for that screen.",
    art::ToolbarPicture::Help};
} // namespace toolbar

// The icon of a toolbar command, with its pressed look, its tooltip and its
// accessible texts; the caller places it.
PictureButton* addToolbarPicture(QWidget* toolbar, const ToolbarCommand& command);

// The caption under a toolbar icon: a label that answers a left click.
class ToolbarCaption : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

struct ToolbarPair {
    PictureButton* picture;
    ToolbarCaption* caption;
};

// Adds a command to `toolbar` in a slot `slotWidth` twips wide starting at
// `left` twips: the 405-twip icon centred at the top, the caption centred
// under it. `run` is called for a click on either.
ToolbarPair addToolbarPair(QWidget* toolbar, const ToolbarCommand& command, int left, int slotWidth,
                           std::function<void()> run);

} // namespace zephrix
