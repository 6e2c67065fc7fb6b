#include "ui/frmProperties.h"

#include <QKeyEvent>
#include <QPainter>

#include "results/EntryFacts.h"
#include "ui/Artwork.h"
#include "ui/ButtonPictures.h"
#include "ui/ElidedLabel.h"
#include "ui/PictureButton.h"
#include "ui/WindowChrome.h"

namespace zephrix {
namespace {

constexpr int WindowWidth = 440;
constexpr int FirstRowTop = HeaderBarHeight + 14;
constexpr int RowHeight = 24;
constexpr int RowCount = 8;
constexpr int CaptionLeft = 16;
constexpr int CaptionWidth = 92;
constexpr int ValueLeft = CaptionLeft + CaptionWidth + 8;
constexpr int BandTop = FirstRowTop + RowCount * RowHeight + 10;
constexpr int WindowHeight = BandTop + ILButtons::Height + 18;

} // namespace

frmProperties& frmProperties::instance()
{
    static frmProperties* window = new frmProperties;
    return *window;
}

frmProperties::frmProperties()
{
    setObjectName(QStringLiteral("frmProperties"));
    setUpBorderlessWindow(this, QSize(WindowWidth, WindowHeight));
    setAccessibleName(QStringLiteral("Properties"));

    lblName = addRow(0, "lblName", QStringLiteral("Name"));
    lblType = addRow(1, "lblType", QStringLiteral("Type"));
    lblLocation = addRow(2, "lblLocation", QStringLiteral("Location"));
    lblSize = addRow(3, "lblSize", QStringLiteral("Size"));
    lblCreated = addRow(4, "lblCreated", QStringLiteral("Created"));
    lblModified = addRow(5, "lblModified", QStringLiteral("Modified"));
    lblOwner = addRow(6, "lblOwner", QStringLiteral("Owner"));
    lblPermissions = addRow(7, "lblPermissions", QStringLiteral("Permissions"));

    cmdOk = new PictureButton(this, QStringLiteral("cmdOk"), [](QPainter& p, const QRectF& box, int picture) {
        ILButtons::paint(p, box, picture);
    });
    cmdOk->setPicture(ILButtons::OkNormal);
    cmdOk->setToolTip(QStringLiteral("Click here to close this window."));
    cmdOk->setAccessibleName(QStringLiteral("Ok"));
    cmdOk->setAccessibleDescription(cmdOk->toolTip());
    cmdOk->setGeometry((WindowWidth - ILButtons::Width) / 2, BandTop + 9, ILButtons::Width,
                       ILButtons::Height);
    connect(cmdOk, &PictureButton::mouseDown, this, [this] { cmdOk->setPicture(ILButtons::OkPressed); });
    connect(cmdOk, &PictureButton::mouseUp, this, [this] { cmdOk->setPicture(ILButtons::OkNormal); });
    connect(cmdOk, &PictureButton::clicked, this, &frmProperties::cmdOk_Click);
    setFocusPolicy(Qt::StrongFocus);
}

QLabel* frmProperties::addRow(int row, const char* name, const QString& caption)
{
    const int top = FirstRowTop + row * RowHeight;
    auto* title = new QLabel(caption + ':', this);
    title->setObjectName(QString::fromLatin1(name) + QStringLiteral("Caption"));
    title->setFont(art::uiFont(9, true));
    title->setGeometry(CaptionLeft, top, CaptionWidth, RowHeight);

    // Long names and paths keep both ends; the whole text is in the tooltip.
    auto* value = new ElidedLabel(this);
    value->setObjectName(QString::fromLatin1(name));
    value->setTextFormat(Qt::PlainText);
    value->setGeometry(ValueLeft, top, WindowWidth - ValueLeft - CaptionLeft, RowHeight);
    value->setAccessibleName(caption);
    title->setBuddy(value);
    return value;
}

bool frmProperties::showEntry(const std::string& path)
{
    const std::optional<EntryFacts> facts = readEntryFacts(path);
    if (!facts)
        return false;
    const std::pair<QLabel*, QString> rows[] = {
        {lblName, facts->name},         {lblType, facts->type},
        {lblLocation, facts->location}, {lblSize, facts->size},
        {lblCreated, facts->created},   {lblModified, facts->modified},
        {lblOwner, facts->owner},       {lblPermissions, facts->permissions},
    };
    for (const auto& [label, text] : rows) {
        label->setText(text);
        label->setToolTip(text);
        label->setAccessibleDescription(text);
    }
    setWindowTitle(facts->name + QStringLiteral(" - Properties"));
    cmdOk->setPicture(ILButtons::OkNormal);
    show();
    raise();
    activateWindow();
    return true;
}

void frmProperties::cmdOk_Click()
{
    hide();
}

void frmProperties::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        hide();
    event->accept();
}

void frmProperties::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    art::paintWindowFrame(painter, *this);
    // A band behind the button, as in the other dialogs.
    painter.fillRect(QRect(1, BandTop, width() - 2, height() - BandTop - 1), art::colour::Panel);
    painter.fillRect(QRect(1, BandTop, width() - 2, 1), QColor(0xc9, 0xd6, 0xe3));
}

} // namespace zephrix
