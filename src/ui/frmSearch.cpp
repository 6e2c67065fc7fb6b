#include "ui/frmSearch.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>

#include "app/ErrorLocations.h"
#include "app/ErrorReport.h"
#include "app/HandlerFailure.h"
#include "app/OptionsAtLoad.h"
#include "shell/HideToTray.h"
#include "ui/Artwork.h"
#include "ui/PictureButton.h"
#include "ui/WindowChrome.h"

namespace zephrix {
namespace {

frmSearch* loaded = nullptr;

} // namespace

frmSearch& frmSearch::instance()
{
    if (!loaded) {
        loaded = new frmSearch;
        loaded->Form_Load();
    }
    return *loaded;
}

bool frmSearch::isLoaded()
{
    return loaded != nullptr;
}

frmSearch::frmSearch()
{
    setObjectName(QStringLiteral("frmSearch"));
    pictHeaderBar = setUpBorderlessWindow(this, QSize(twips(8790), twips(5760)));
    pctMinimize = addHidePicture(this, twips(8340));
    connect(pctMinimize, &PictureButton::clicked, this, &frmSearch::pctMinimize_Click);
}

void frmSearch::Form_Load()
{
    try {
        const OptionsAtLoad read = readOptionsAtLoad();
        // Whatever was read before a bad value still takes effect.
        applyOptionsAtLoad(read, moduleOptions());
        if (read.failure) {
            ReportError(Locations::SearchFormLoad, read.failure->number, read.failure->description);
            return;
        }
    } catch (...) {
        reportCurrentException(Locations::SearchFormLoad);
    }
}

void frmSearch::pctMinimize_Click()
{
    hideWindowToTray(this);
}

void frmSearch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    art::paintWindowFrame(painter, *this);
    // The page area under the header, with the logo faintly in its corner.
    const QRect page(8, HeaderBarHeight + 8, width() - 16, height() - HeaderBarHeight - 16);
    painter.setPen(QColor(0xc9, 0xd6, 0xe3));
    painter.setBrush(art::colour::Panel);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawRoundedRect(QRectF(page).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    // The logo and the product line, faint, in the middle of the empty page.
    const int mark = 120;
    const QPointF centre = QRectF(page).center();
    painter.setOpacity(0.16);
    art::paintLogo(painter, QRectF(centre.x() - mark / 2.0, centre.y() - mark / 2.0 - 24, mark, mark));
    painter.setOpacity(0.45);
    painter.setPen(art::colour::Navy);
    painter.setFont(art::uiFont(11, true));
    painter.drawText(QRectF(page.left(), centre.y() + 44, page.width(), 24), Qt::AlignCenter,
                     QStringLiteral("File Search Accelerator"));
}

void frmSearch::closeEvent(QCloseEvent* event)
{
    // Closing the main window (the window manager's close) ends the program,
    // as its Exit command does.
    event->accept();
    QApplication::quit();
}

} // namespace zephrix
