#pragma once
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace zephrix {

class PictureButton;

// Builders for the controls of the main window's pages. Every control gets
// its objectName, and a name and description for assistive tools. A box
// whose text does not fit its design size grows to fit; texts never shrink.
namespace controls {

// Makes `page` one of the pages of the tab strip, named for tools by the
// caption of its tab.
void setUpPage(QWidget* page, const char* name, const QString& tabCaption);

// The font of the pages' controls.
QFont pageFont(bool bold = false);

// The tooltip, which assistive tools also read as the description.
void setTip(QWidget* control, const QString& tip);
// The accessible name (the caption, or the label naming a box or list) and
// the tooltip as description.
void describe(QWidget* control, const QString& name, const QString& tip = {});

// A one-line label at `at`, at least `minWidth` wide; aligned to the right it
// ends at at.x() + minWidth instead, growing to the left.
QLabel* label(QWidget* parent, const char* name, const QString& text, QPoint at, int minWidth = 0,
              Qt::Alignment alignment = Qt::AlignLeft);
// A label that wraps inside `box`'s width and grows downwards as it needs.
QLabel* wrappedLabel(QWidget* parent, const char* name, const QString& text, QRect box);
// A bold heading.
QLabel* heading(QWidget* parent, const char* name, const QString& text, QPoint at);

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, QPoint at,
                    const QString& tip = {});
QRadioButton* optionButton(QWidget* parent, const QString& name, const QString& caption, QPoint at,
                           const QString& tip = {});
// A one-line text box, named for assistive tools by the label that names it.
QLineEdit* textBox(QWidget* parent, const char* name, QRect box, const QString& accessibleName,
                   const QString& tip = {});

// A picture button in the look of the dialogs' buttons: the caption on a
// raised bar, sunk while pressed. The box widens for a long caption.
PictureButton* captionButton(QWidget* parent, const char* name, const QString& caption, QRect box,
                             const QString& tip);

// The height of a one-line box of the page font: the design height or more.
int lineHeight(int designHeight);

} // namespace controls
} // namespace zephrix
