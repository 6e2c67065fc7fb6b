#include "ui/frmErrors.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>

#include "app/ErrorLocations.h"
#include "app/ErrorReport.h"
#include "ui/Artwork.h"
#include "ui/ButtonPictures.h"
#include "ui/PictureButton.h"
#include "ui/WindowChrome.h"

namespace zephrix {
namespace {

constexpr char Explanation[] =
    "We regret that an unexpected error has occured in our software.  This error has been captured and we "
    "would appreciate it if you could transfer this error to us so that we may investigate.  We respect your "
    "privacy and only the limited information you see below will be transfered to us.  Thank you for helping "
    "us make this a better product.";

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& where)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(where);
    return label;
}

} // namespace

frmErrors& frmErrors::instance()
{
    static frmErrors* window = new frmErrors;
    return *window;
}

frmErrors::frmErrors()
{
    setObjectName(QStringLiteral("frmErrors"));
    // Its header bar moves it like every other window's.
    setUpBorderlessWindow(this, QSize(twips(4875), twips(4215)));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);

    Label1 = makeLabel(this, "Label1", QString::fromLatin1(Explanation), QRect(10, 36, 305, 118));
    Label1->setFont(art::uiFont(8));
    QPalette muted = Label1->palette();
    muted.setColor(QPalette::WindowText, art::colour::MutedInk);
    Label1->setPalette(muted);

    lblErrorLocation =
        makeLabel(this, "lblErrorLocation", QStringLiteral("Error Location:"), QRect(10, 160, 305, 18));
    lblErrorNumber =
        makeLabel(this, "lblErrorNumber", QStringLiteral("Error Number:"), QRect(10, 180, 305, 18));
    lblErrorDescription =
        makeLabel(this, "lblErrorDescription", QStringLiteral("Error Description:"), QRect(10, 200, 305, 46));
    for (QLabel* field : {lblErrorLocation, lblErrorNumber, lblErrorDescription})
        field->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto buttonPainter = [](QPainter& p, const QRectF& box, int picture) {
        ILButtons::paint(p, box, picture);
    };
    cmdSendError = new PictureButton(this, QStringLiteral("cmdSendError"), buttonPainter);
    cmdSendError->setPicture(ILButtons::SendReport);
    cmdSendError->setGeometry(twips(90), twips(3780), ILButtons::Width, ILButtons::Height);
    cmdCancel = new PictureButton(this, QStringLiteral("cmdCancel"), buttonPainter);
    cmdCancel->setPicture(ILButtons::CancelNormal);
    cmdCancel->setGeometry(twips(3120), twips(3780), ILButtons::Width, ILButtons::Height);
    connect(cmdSendError, &PictureButton::clicked, this, &frmErrors::cmdSendError_Click);
    connect(cmdCancel, &PictureButton::clicked, this, &frmErrors::cmdCancel_Click);
}

void frmErrors::showReport(const ErrorReportFields& fields)
{
    ErrorNumber = fields.ErrorNumber;
    ErrorLocation = fields.ErrorLocation;
    ErrorDescription = QString::fromStdString(fields.ErrorDescription);
    // Refreshed here as well as on activation: a window that is already the
    // active one gets no activation and would keep showing the old report.
    refreshLabels();
    show();
    raise();
    activateWindow();
}

void frmErrors::refreshLabels()
{
    lblErrorLocation->setText(QStringLiteral("Error Location: ") + QString::number(ErrorLocation));
    lblErrorNumber->setText(QStringLiteral("Error Number: ") + QString::number(ErrorNumber));
    lblErrorDescription->setText(QStringLiteral("Error Description: ") + ErrorDescription);
}

bool frmErrors::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
    case QEvent::FocusIn:
    case QEvent::Show:
        refreshLabels();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void frmErrors::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    art::paintWindowFrame(painter, *this);
    // A quiet panel behind the three fields.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0xc9, 0xd6, 0xe3));
    painter.setBrush(art::colour::Panel);
    painter.drawRoundedRect(QRectF(6.5, 156.5, width() - 13, 88), 5, 5);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // A band behind the buttons, as in the message dialog.
    const int bandTop = twips(3780) - 7;
    painter.fillRect(QRect(1, bandTop, width() - 2, height() - bandTop - 1), art::colour::Panel);
    painter.fillRect(QRect(1, bandTop, width() - 2, 1), QColor(0xc9, 0xd6, 0xe3));
}

void frmErrors::cmdSendError_Click()
{
    // The buttons stay dead while the request is out, so one report is sent once.
    if (sending_)
        return;
    sending_ = true;
    sendErrorReport(ErrorReportFields{ErrorNumber, ErrorLocation, ErrorDescription.toStdString()});
    sending_ = false;
    hide();
    emit dismissed();
}

void frmErrors::cmdCancel_Click()
{
    if (sending_)
        return;
    hide();
    emit dismissed();
}

} // namespace zephrix

namespace zephrix {

void installErrorWindow()
{
    setErrorPresenter([](const ErrorReportFields& fields) { frmErrors::instance().showReport(fields); });
}

} // namespace zephrix
