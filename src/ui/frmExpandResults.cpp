#include "ui/frmExpandResults.h"

#include <QCloseEvent>
#include <QFrame>
#include <QPainter>
#include <algorithm>

#include "results/ResultsList.h"
#include "ui/Artwork.h"
#include "ui/ButtonPictures.h"
#include "ui/CommandPictures.h"
#include "ui/PictureButton.h"
#include "ui/ResizeEdge.h"
#include "ui/ToolbarPair.h"
#include "ui/WindowChrome.h"
#include "ui/frmHelp.h"

namespace zephrix {
namespace {

// Lengths in twips unless they say pixels.
constexpr int TwipsPerPixel = 15;
constexpr int ClientWidth = 8520;
constexpr int ClientHeight = 4425;
// The frame the window is resized by, outside the client area.
constexpr int FramePixels = 4;
// Narrower, the toolbar and the header's title would be cut.
constexpr int MinimumWidth = 5700;

constexpr int ToolbarTop = 420;
constexpr int ToolbarHeight = 690;
constexpr int ToolbarFirstSlot = 90;
constexpr int ToolbarSlotWidth = 1080;
constexpr int SeparatorTop = 1125;

constexpr int ListLeft = 30;
constexpr int ListTop = 1170;
// What the window's outer size leaves the list, and the gap above Close.
constexpr int ListWidthAllowance = 195;
constexpr int ListHeightAllowance = 1755;
constexpr int CloseGap = 60;

// A window dragged lower than this snaps back to a height that shows rows.
constexpr int SmallestHeight = 1530;
constexpr int SnapHeight = 2340;
constexpr int SizePictureInset = 150;

constexpr int CloseNormal = 1;
constexpr int ClosePressed = 2;

constexpr char WindowName[] = "Larger results window";

} // namespace

frmExpandResults& frmExpandResults::instance()
{
    static frmExpandResults* window = new frmExpandResults;
    return *window;
}

frmExpandResults::frmExpandResults()
{
    setObjectName(QStringLiteral("frmExpandResults"));
    setAccessibleName(QString::fromLatin1(WindowName));
    pictHeaderBar = setUpBorderlessWindow(this, QSize(twips(ClientWidth), twips(ClientHeight)),
                                          HeaderBar::MoveStart::OnMouseDown);
    // Resizable after all, by the frame around the client area.
    setMinimumSize(twips(MinimumWidth), 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(twips(ClientWidth) + 2 * FramePixels, twips(ClientHeight) + 2 * FramePixels);
    centreOnScreen(this);
    addResizeEdges(this);

    clientArea = new QWidget(this);
    clientArea->setObjectName(QStringLiteral("clientArea"));
    clientArea->setAutoFillBackground(true);
    pictHeaderBar->setParent(clientArea);
    pictHeaderBar->setAccessibleName(QString::fromLatin1(WindowTitle));
    pictHeaderBar->setAccessibleDescription(pictHeaderBar->toolTip());

    pctMaximize = addSizePicture("pctMaximize", "Maximize", "Click here to maximize this window.",
                                 art::WindowSizePicture::Maximize);
    connect(pctMaximize, &PictureButton::clicked, this, &frmExpandResults::pctMaximize_Click);
    pctNormalize = addSizePicture("pctNormalize", "Normalize", "Click here to normalize this window.",
                                  art::WindowSizePicture::Normalize);
    connect(pctNormalize, &PictureButton::clicked, this, &frmExpandResults::pctNormalize_Click);

    addToolbar();

    lnToolbarSep = new QFrame(clientArea);
    lnToolbarSep->setObjectName(QStringLiteral("lnToolbarSep"));
    lnToolbarSep->setAccessibleName(QStringLiteral("Separator"));
    lnToolbarSep->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    lstSearchResults = new ResultsList(clientArea, ResultsList::EnterKey::DoesNothing);
    lstSearchResults->setObjectName(QStringLiteral("lstSearchResults"));

    cmdCloseResults = new PictureButton(
        clientArea, QStringLiteral("cmdCloseResults"), [](QPainter& p, const QRectF& box, int picture) {
            art::paintButtonFace(p, box, QStringLiteral("Close"), picture == ClosePressed);
        });
    cmdCloseResults->setAccessibleName(QStringLiteral("Close"));
    cmdCloseResults->setPicture(CloseNormal);
    cmdCloseResults->resize(ILButtons::Width, ILButtons::Height);
    connect(cmdCloseResults, &PictureButton::mouseDown, this,
            [this] { cmdCloseResults->setPicture(ClosePressed); });
    connect(cmdCloseResults, &PictureButton::mouseUp, this,
            [this] { cmdCloseResults->setPicture(CloseNormal); });
    connect(cmdCloseResults, &PictureButton::clicked, this, &frmExpandResults::cmdCloseResults_Click);

    Form_Resize();
}

PictureButton* frmExpandResults::addSizePicture(const char* name, const char* caption, const char* toolTip,
                                                art::WindowSizePicture look)
{
    auto* picture = new PictureButton(clientArea, QString::fromLatin1(name),
                                      [look](QPainter& p, const QRectF& box, int shown) {
                                          art::paintWindowSizePicture(p, box, look, shown == 1);
                                      });
    picture->setToolTip(QString::fromLatin1(toolTip));
    picture->setAccessibleName(QString::fromLatin1(caption));
    picture->setAccessibleDescription(picture->toolTip());
    picture->resize(HeaderBarHeight, HeaderBarHeight);
    connect(picture, &PictureButton::mouseDown, picture, [picture] { picture->setPicture(1); });
    connect(picture, &PictureButton::mouseUp, picture, [picture] { picture->setPicture(0); });
    return picture;
}

void frmExpandResults::addToolbar()
{
    fraTopToolbar = new QWidget(clientArea);
    fraTopToolbar->setObjectName(QStringLiteral("fraTopToolbar"));
    fraTopToolbar->setAccessibleName(QStringLiteral("Toolbar"));
    fraTopToolbar->setAutoFillBackground(true);
    QPalette panel = fraTopToolbar->palette();
    panel.setColor(QPalette::Window, art::colour::Panel);
    fraTopToolbar->setPalette(panel);

    // Each pair runs this window's menu item of the same name.
    const struct {
        const ToolbarCommand& command;
        std::function<void()> run;
    } commands[] = {
        {toolbar::Help, [this] { cmdHelp_Click(); }},
        {toolbar::Open, [this] { lstSearchResults->mnu_open_Click(); }},
        {toolbar::Rename, [this] { lstSearchResults->mnu_Rename_Click(); }},
        {toolbar::Properties, [this] { lstSearchResults->mnu_properties_Click(); }},
        {toolbar::Delete, [this] { lstSearchResults->mnuDelete_Click(); }},
    };
    int left = ToolbarFirstSlot;
    for (const auto& command : commands) {
        addToolbarPair(fraTopToolbar, command.command, left, ToolbarSlotWidth, command.run);
        left += ToolbarSlotWidth;
    }
}

void frmExpandResults::setOperations(ResultsOperations* operations)
{
    lstSearchResults->setOperations(operations);
}

void frmExpandResults::openWith(const ResultsModel& mainList)
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    // Opened again while shown: a new copy instead of a second one beside
    // the first, which would list every file twice.
    lstSearchResults->results().clear();
    LoadResults(mainList);
    lstSearchResults->scrollToTop();
    lstSearchResults->setFocus();
}

void frmExpandResults::LoadResults(const ResultsModel& mainList)
{
    lstSearchResults->results().appendRowsOf(mainList);
}

void frmExpandResults::cmdHelp_Click()
{
    frmHelp& help = frmHelp::instance();
    help.show();
    help.raise();
    help.activateWindow();
}

void frmExpandResults::cmdCloseResults_Click()
{
    lstSearchResults->results().clear();
    hide();
}

void frmExpandResults::pctMaximize_Click()
{
    setWindowState(Qt::WindowMaximized);
}

void frmExpandResults::pctNormalize_Click()
{
    setWindowState(Qt::WindowNoState);
}

void frmExpandResults::Form_Resize()
{
    // The rules are in twips of the outer window, frame included.
    const int outerWidth = width() * TwipsPerPixel;
    const int outerHeight = height() * TwipsPerPixel;
    if (outerHeight < SmallestHeight && !isMaximized()) {
        resize(width(), twips(SnapHeight));
        return;
    }
    clientArea->setGeometry(FramePixels, FramePixels, width() - 2 * FramePixels, height() - 2 * FramePixels);
    placeResizeEdges(this, FramePixels);
    pictHeaderBar->setGeometry(0, 0, clientArea->width(), HeaderBarHeight);

    // Between the smallest height and the list's own allowance there is no
    // room for the list: it gets no height rather than a negative one.
    const int listWidth = std::max(0, twips(outerWidth - ListWidthAllowance));
    const int listHeight = std::max(0, twips(outerHeight - ListHeightAllowance));
    lstSearchResults->setGeometry(twips(ListLeft), twips(ListTop), listWidth, listHeight);
    fraTopToolbar->setGeometry(0, twips(ToolbarTop), twips(outerWidth), twips(ToolbarHeight));
    lnToolbarSep->setGeometry(0, twips(SeparatorTop), twips(outerWidth), 2);
    // Centred on the window, which is the client area's centre too.
    cmdCloseResults->move((width() - cmdCloseResults->width()) / 2 - FramePixels,
                          twips(ListTop) + listHeight + twips(CloseGap));

    const bool maximized = isMaximized();
    PictureButton* shown = maximized ? pctNormalize : pctMaximize;
    PictureButton* other = maximized ? pctMaximize : pctNormalize;
    shown->move(twips(outerWidth - SizePictureInset) - shown->width(), 0);
    other->hide();
    shown->show();
    shown->raise();
}

void frmExpandResults::resizeEvent(QResizeEvent*)
{
    Form_Resize();
}

void frmExpandResults::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmExpandResults::closeEvent(QCloseEvent* event)
{
    // Closed by the window manager: as the Close button does, so the window
    // is emptied and kept for the next opening.
    event->ignore();
    cmdCloseResults_Click();
}

void frmExpandResults::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x3a, 0x68, 0x92));
    painter.setPen(art::colour::Frame);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace zephrix
