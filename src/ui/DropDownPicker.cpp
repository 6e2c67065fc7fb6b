#include "ui/DropDownPicker.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "ui/Artwork.h"
#include "ui/HandlerGuard.h"
#include "ui/PageControls.h"
#include "ui/PictureButton.h"

namespace zephrix {
namespace {

constexpr int ArrowWidth = 16;
constexpr int ArrowGap = 1;

} // namespace

void PickerList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && currentRow() >= 0)
        emit picked(currentRow());
}

void PickerList::focusOutEvent(QFocusEvent* event)
{
    QListWidget::focusOutEvent(event);
    emit focusLost();
}

DropDownPicker::DropDownPicker(QWidget* parent, Names names, QRect textBox, int listHeight,
                               Locations locations, const QString& accessibleName, const QString& tip)
    : QObject(parent), text(controls::textBox(parent, names.text, textBox, accessibleName, tip)),
      arrow(new PictureButton(parent, QString::fromLatin1(names.arrow),
                              [this](QPainter& p, const QRectF& box, int picture) {
                                  art::paintDropDownArrow(p, box, picture == 1, arrow->isEnabled());
                              })),
      list(new PickerList(parent)), locations_(locations)
{
    const QRect box = text->geometry();
    arrow->setGeometry(box.right() + 1 + ArrowGap, box.top(), ArrowWidth, box.height());
    // Reachable with Tab, so that Enter can be pressed on it, but a mouse
    // click leaves the focus where it was: on an open list, which the click
    // then closes.
    arrow->setFocusPolicy(Qt::TabFocus);
    controls::describe(arrow, accessibleName, tip);
    arrow->showPressWith(1);
    connect(arrow, &PictureButton::clicked, this, &DropDownPicker::arrowClick);

    list->setObjectName(QString::fromLatin1(names.list));
    list->setFont(controls::pageFont());
    list->setGeometry(box.left(), box.bottom() + 2, box.width(), listHeight);
    list->setFrameShape(QFrame::Box);
    list->setUniformItemSizes(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setAccessibleName(accessibleName);
    list->hide();
    connect(list, &PickerList::itemClicked, this, [this](QListWidgetItem* item) { choose(list->row(item)); });
    connect(list, &PickerList::picked, this, &DropDownPicker::choose);
    connect(list, &PickerList::focusLost, this, &DropDownPicker::listLostFocus);
}

void DropDownPicker::setEntries(const QStringList& entries)
{
    list->clear();
    list->addItems(entries);
}

void DropDownPicker::setChoosingEnabled(bool enabled)
{
    arrow->setEnabled(enabled);
    list->setEnabled(enabled);
    arrow->update();
}

void DropDownPicker::arrowClick()
{
    guarded(locations_.arrow, [&] {
        if (list->isVisible()) {
            list->hide();
            return;
        }
        list->show();
        list->raise();
        list->setFocus(Qt::PopupFocusReason);
    });
}

void DropDownPicker::choose(int row)
{
    guarded(locations_.choice, [&] {
        const QListWidgetItem* item = list->item(row);
        if (!item)
            return;
        const QString previous = text->text();
        text->setText(item->text());
        text->setCursorPosition(0);
        list->hide();
        if (focusAfterChoice_)
            focusAfterChoice_->setFocus(Qt::OtherFocusReason);
        emit chosen(item->text(), previous);
    });
}

void DropDownPicker::listLostFocus()
{
    guarded(locations_.lostFocus, [&] { list->hide(); });
}

} // namespace zephrix
