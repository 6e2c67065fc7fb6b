// The mouse and keys of a results list: each input goes to the one slot of
// its operation.
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

#include "results/ResultsList.h"

namespace zephrix {

void ResultsList::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // Keys the name editor passed on: Enter confirmed the edit and must not
    // open the file too; the others keep the table's own meaning.
    if (state() == EditingState && !hasFocus()) {
        if (enter)
            event->accept();
        else
            QTableView::keyPressEvent(event);
        return;
    }
    if (enter) {
        // Taken even when it does nothing, so it never reaches a default button.
        if (enterKey_ == EnterKey::Opens)
            mnu_open_Click();
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_F2:
        mnu_Rename_Click();
        return;
    case Qt::Key_Delete:
        mnuDelete_Click();
        return;
    case Qt::Key_A:
        // Exactly Ctrl: Ctrl+Shift+A selects nothing.
        if (modifiers == Qt::ControlModifier)
            selectAll();
        if (modifiers & Qt::ControlModifier)
            return;
        break;
    default:
        break;
    }
    QTableView::keyPressEvent(event);
}

void ResultsList::mousePressEvent(QMouseEvent* event)
{
    viewport()->update();
    if (event->button() == Qt::LeftButton &&
        event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier)) {
        selectAll();
        return;
    }
    if (event->button() == Qt::RightButton) {
        rightButtonDown(event->position().toPoint(), event->globalPosition().toPoint());
        return;
    }
    QTableView::mousePressEvent(event);
}

// A right click on an unselected row selects that row alone; on a selected
// row it keeps the selection, so the menu acts on all of it. Where no row
// lies, the menu serves the selection there is, if any.
void ResultsList::rightButtonDown(const QPoint& position, const QPoint& globalPosition)
{
    if (model_->rowCount() == 0)
        return;
    const QModelIndex under = indexAt(position);
    if (under.isValid()) {
        const bool selected = selectionModel()->isRowSelected(under.row(), {});
        selectionModel()->setCurrentIndex(under, selected ? QItemSelectionModel::NoUpdate
                                                          : QItemSelectionModel::ClearAndSelect |
                                                                QItemSelectionModel::Rows);
    } else if (!selectionModel()->hasSelection()) {
        return;
    }
    popUpMenu(globalPosition);
}

// The second press of a double-click opens the row its first press made
// current; anywhere else, or with another button, it is just a press.
void ResultsList::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex under = indexAt(event->position().toPoint());
    const bool plainLeft =
        event->button() == Qt::LeftButton && event->modifiers() != (Qt::ControlModifier | Qt::ShiftModifier);
    if (plainLeft && under.isValid() && under.row() == currentIndex().row())
        mnu_open_Click();
    else
        mousePressEvent(event);
}

void ResultsList::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    // The mouse's menu came with the button press; the Menu key's comes here.
    if (event->reason() == QContextMenuEvent::Mouse || model_->rowCount() == 0)
        return;
    const QModelIndex current = currentIndex();
    if (!selectionModel()->hasSelection())
        return;
    const QRect place = current.isValid() ? visualRect(current) : QRect();
    popUpMenu(viewport()->mapToGlobal(place.isValid() ? place.center() : QPoint()));
}

bool ResultsList::viewportEvent(QEvent* event)
{
    // The rows carry no tips of their own: the list's tip describes them.
    if (event->type() == QEvent::ToolTip) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), toolTip(), viewport());
        return true;
    }
    return QTableView::viewportEvent(event);
}

} // namespace zephrix
