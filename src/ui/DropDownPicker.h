#pragma once
#include <QListWidget>
#include <QObject>
#include <QRect>

class QLineEdit;

namespace zephrix {

class PictureButton;

// The list of a picker. A mouse click on an entry, or a move of the current
// entry with the keys, is a choice; the list tells when it loses the focus.
class PickerList : public QListWidget {
    Q_OBJECT
  public:
    using QListWidget::QListWidget;

  signals:
    void picked(int row);
    void focusLost();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

// A text box with a small arrow at its right end and a plain list that drops
// below it. The arrow shows the list (in front, with the focus) or hides it;
// a choice copies the entry into the box and hides the list; the list hides
// when it loses the focus, and the box keeps its text.
class DropDownPicker : public QObject {
    Q_OBJECT
  public:
    struct Names {
        const char* text;
        const char* arrow;
        const char* list;
    };
    // Error report location codes of the arrow's click, the choice and the
    // list's loss of focus.
    struct Locations {
        int arrow;
        int choice;
        int lostFocus;
    };

    // `textBox` in the parent's coordinates; the list opens under it at its
    // left edge and width, `listHeight` high.
    DropDownPicker(QWidget* parent, Names names, QRect textBox, int listHeight, Locations locations,
                   const QString& accessibleName, const QString& tip = {});

    QLineEdit* const text;
    PictureButton* const arrow;
    PickerList* const list;

    void setEntries(const QStringList& entries);
    // Where the focus goes after a choice; none leaves it where hiding the
    // list leaves it.
    void setFocusAfterChoice(QWidget* target) { focusAfterChoice_ = target; }
    // The arrow and the list; the text box stays as it is.
    void setChoosingEnabled(bool enabled);

    void arrowClick();
    void choose(int row);
    void listLostFocus();

  signals:
    // After a choice: the box holds `chosen` now and held `previous` before.
    void chosen(const QString& chosen, const QString& previous);

  private:
    Locations locations_;
    QWidget* focusAfterChoice_ = nullptr;
};

} // namespace zephrix
