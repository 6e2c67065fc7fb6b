#include "ui/frmHelp.h"

#include <QLabel>
#include <QPainter>
#include <QUrl>

#include "app/UpdateCheck.h"
#include "app/Version.h"
#include "shell/HelpPage.h"
#include "ui/Artwork.h"
#include "ui/ButtonPictures.h"
#include "ui/PictureButton.h"
#include "ui/WindowChrome.h"

namespace zephrix {
namespace {

constexpr int TextLeft = 84;
constexpr int PanelTop = 136;
constexpr int PanelHeight = 70;
constexpr int ButtonTop = twips(3330);

constexpr char Thanks[] =
    "Thank you for choosing Zephrix.  For questions, click Show Help and then Contact at the top right of "
    "the help page.  If the program reports an error, please click Check Version first: a newer version "
    "may already mend it.";

// The support address belongs to the site's own domain.
QString supportAddress()
{
    QString host = QUrl(publisherWebSite()).host();
    if (host.startsWith(QLatin1String("www.")))
        host.remove(0, 4);
    return QStringLiteral("support@") + host;
}

} // namespace

frmHelp& frmHelp::instance()
{
    static frmHelp* window = new frmHelp;
    return *window;
}

frmHelp::frmHelp()
{
    setObjectName(QStringLiteral("frmHelp"));
    setUpBorderlessWindow(this, QSize(twips(5520), twips(3780)));
    setAccessibleName(QStringLiteral("Help and about"));

    lblVersion =
        addLabel("lblVersion",
                 QStringLiteral("You are currently using version: ") + QString::fromStdString(versionText()),
                 QRect(TextLeft, 38, width() - TextLeft - 10, 18));
    lblVersion->setFont(art::uiFont(9, true));
    QLabel* thanks =
        addLabel("lblThanks", QString::fromLatin1(Thanks), QRect(TextLeft, 58, width() - TextLeft - 10, 80));
    thanks->setFont(art::uiFont(8));

    const int lineLeft = 22;
    const int lineWidth = width() - 2 * lineLeft;
    QLabel* maker = addLabel("lblMaker", QStringLiteral("Zephrix Software"),
                             QRect(lineLeft, PanelTop + 5, lineWidth, 16));
    maker->setFont(art::uiFont(9, true));
    addLabel("lblSupportHours", QStringLiteral("Support hours: Monday to Friday, 9 AM to 5 PM"),
             QRect(lineLeft, PanelTop + 22, lineWidth, 16));
    addLabel("lblEmail", QStringLiteral("E-mail: ") + supportAddress(),
             QRect(lineLeft, PanelTop + 38, lineWidth, 16));
    addLabel("lblWebSite", QStringLiteral("Web: ") + publisherWebSite(),
             QRect(lineLeft, PanelTop + 54, lineWidth, 16));

    connect(addButton("cmdHelp", QStringLiteral("Show Help"), 60, ILButtons::ShowHelpNormal,
                      ILButtons::ShowHelpPressed),
            &PictureButton::clicked, this, &frmHelp::cmdHelp_Click);
    connect(addButton("cmdVersion", QStringLiteral("Check Version"), 1920, ILButtons::CheckVersionNormal,
                      ILButtons::CheckVersionPressed),
            &PictureButton::clicked, this, &frmHelp::cmdVersion_Click);
    connect(addButton("cmdCancel", QStringLiteral("Cancel"), 3780, ILButtons::CancelNormal,
                      ILButtons::CancelPressed),
            &PictureButton::clicked, this, &frmHelp::cmdCancel_Click);
}

QLabel* frmHelp::addLabel(const char* name, const QString& text, const QRect& where)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(where);
    return label;
}

PictureButton* frmHelp::addButton(const char* name, const QString& caption, int left, int normal, int pressed)
{
    auto* button =
        new PictureButton(this, QString::fromLatin1(name), [](QPainter& p, const QRectF& box, int picture) {
            ILButtons::paint(p, box, picture);
        });
    button->setPicture(normal);
    button->setAccessibleName(caption);
    button->setGeometry(twips(left), ButtonTop, ILButtons::Width, ILButtons::Height);
    // The pressed picture while any mouse button is held on it.
    connect(button, &PictureButton::mouseDown, button, [button, pressed] { button->setPicture(pressed); });
    connect(button, &PictureButton::mouseUp, button, [button, normal] { button->setPicture(normal); });
    return button;
}

void frmHelp::cmdHelp_Click()
{
    QString page = QStringLiteral("index.html");
    OpenHelpPage(page);
}

void frmHelp::cmdVersion_Click()
{
    OpenWebPage(publisherWebSite());
}

void frmHelp::cmdCancel_Click()
{
    hide();
}

void frmHelp::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    art::paintWindowFrame(painter, *this);
    painter.setRenderHint(QPainter::Antialiasing);
    art::paintLogo(painter, QRectF(16, 40, 56, 56));
    // A quiet panel behind the contact lines.
    painter.setPen(QColor(0xc9, 0xd6, 0xe3));
    painter.setBrush(art::colour::Panel);
    painter.drawRoundedRect(QRectF(12.5, PanelTop + 0.5, width() - 25, PanelHeight), 5, 5);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int bandTop = ButtonTop - 8;
    painter.fillRect(QRect(1, bandTop, width() - 2, height() - bandTop - 1), art::colour::Panel);
    painter.fillRect(QRect(1, bandTop, width() - 2, 1), QColor(0xc9, 0xd6, 0xe3));
}

} // namespace zephrix
