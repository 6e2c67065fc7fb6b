#include "ui/frmIndexing.h"

#include <QLabel>
#include <QPainter>

#include "ui/Artwork.h"
#include "ui/ElidedLabel.h"
#include "ui/PictureButton.h"
#include "ui/WindowChrome.h"

namespace zephrix {
namespace {

constexpr char PleaseBePatient[] =
    "Please be patient while we index your drives.  Depending on the number of drives that need to be "
    "indexed, and the number of files on those drives, this process may take a couple of seconds to a couple "
    "of minutes.  The average hard drive takes about 45 seconds to index.  This process will GREATLY "
    "increase "
    "the search speed of this application.  If this is your first time running this application, please "
    "allow a few extra seconds for us to index all your hard drives.  In the future you probably won't see "
    "this again.";

constexpr int Margin = 14;
constexpr int Width = twips(7680);

QLabel* placeLabel(QLabel* label, const char* name, const QRect& where)
{
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(where);
    return label;
}

// Paths come from the file system as bytes; show invalid UTF-8 as
// replacement characters rather than lose the label.
QString fromBytes(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

frmIndexing& frmIndexing::instance()
{
    static frmIndexing* window = new frmIndexing;
    return *window;
}

frmIndexing::frmIndexing()
{
    setObjectName(QStringLiteral("frmIndexing"));
    setUpBorderlessWindow(this, QSize(Width, 244));
    pctMinimize = addHidePicture(this, twips(7200));
    connect(pctMinimize, &PictureButton::clicked, this, &frmIndexing::pctMinimize_Click);

    const int inner = Width - 2 * Margin;
    lblPath =
        placeLabel(new ElidedLabel(QStringLiteral("Indexing:"), this), "lblPath", {Margin, 40, inner, 20});
    lblPath->setFont(art::uiFont(10, true));
    lblStatus = placeLabel(new ElidedLabel(QStringLiteral("Preparing To Index Your Drives"), this),
                           "lblStatus", {Margin, 62, inner, 18});
    QPalette muted = lblStatus->palette();
    muted.setColor(QPalette::WindowText, art::colour::MutedInk);
    lblStatus->setPalette(muted);

    lblFilesFound = placeLabel(new QLabel(QStringLiteral("Files Found:"), this), "lblFilesFound",
                               {Margin + 10, 94, inner / 2 - 10, 20});
    lblDirectoriesFound =
        placeLabel(new QLabel(QStringLiteral("Directories Found:"), this), "lblDirectoriesFound",
                   {Margin + inner / 2 + 10, 94, inner / 2 - 10, 20});
    for (QLabel* counter : {lblFilesFound, lblDirectoriesFound})
        counter->setFont(art::uiFont(9.5, true));

    lblInfo = placeLabel(new QLabel(QString::fromLatin1(PleaseBePatient), this), "lblInfo",
                         {Margin, 132, inner, 104});
    lblInfo->setWordWrap(true);
    lblInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblInfo->setFont(art::uiFont(8));
    lblInfo->setPalette(muted);
}

void frmIndexing::pctMinimize_Click()
{
    hide();
}

void frmIndexing::showIndexing()
{
    show();
    raise();
}

void frmIndexing::hideIndexing()
{
    hide();
}

void frmIndexing::setIndexingPath(const std::string& text)
{
    lblPath->setText(fromBytes(text));
}

void frmIndexing::setIndexingStatus(const std::string& text)
{
    lblStatus->setText(fromBytes(text));
}

void frmIndexing::setIndexingFilesFound(const std::string& text)
{
    lblFilesFound->setText(fromBytes(text));
}

void frmIndexing::setIndexingDirectoriesFound(const std::string& text)
{
    lblDirectoriesFound->setText(fromBytes(text));
}

void frmIndexing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    art::paintWindowFrame(painter, *this);
    // The two counters sit on a panel of their own.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0xc9, 0xd6, 0xe3));
    painter.setBrush(art::colour::Panel);
    painter.drawRoundedRect(QRectF(Margin - 0.5, 88.5, width() - 2 * Margin + 1, 31), 5, 5);
}

} // namespace zephrix
