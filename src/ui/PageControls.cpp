#include "ui/PageControls.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "ui/Artwork.h"
#include "ui/MainWindowLayout.h"
#include "ui/PictureButton.h"

namespace zephrix::controls {
namespace {

// Room a one-line label needs beyond its text, so that no pixel of the last
// letter is cut at any scale.
constexpr int LabelSlack = 3;
// Captions on picture buttons keep this much face on either side.
constexpr int ButtonPadding = 12;

template <class Button>
Button* placeButton(Button* button, const QString& name, QPoint at, const QString& tip)
{
    button->setObjectName(name);
    button->setFont(pageFont());
    button->setGeometry(QRect(at, button->sizeHint()));
    describe(button, button->text(), tip);
    return button;
}

} // namespace

void setUpPage(QWidget* page, const char* name, const QString& tabCaption)
{
    page->setObjectName(QString::fromLatin1(name));
    page->setGeometry(layout::Page);
    describe(page, tabCaption);
}

QFont pageFont(bool bold)
{
    return art::uiFont(8, bold);
}

void setTip(QWidget* control, const QString& tip)
{
    control->setToolTip(tip);
    control->setAccessibleDescription(tip);
}

void describe(QWidget* control, const QString& name, const QString& tip)
{
    control->setAccessibleName(name);
    if (!tip.isEmpty())
        setTip(control, tip);
}

int lineHeight(int designHeight)
{
    return std::max(designHeight, QFontMetrics(pageFont()).height() + 6);
}

QLabel* label(QWidget* parent, const char* name, const QString& text, QPoint at, int minWidth,
              Qt::Alignment alignment)
{
    auto* made = new QLabel(text, parent);
    made->setObjectName(QString::fromLatin1(name));
    made->setTextFormat(Qt::PlainText);
    made->setFont(pageFont());
    const QFontMetrics metrics(made->font());
    const int width = std::max(minWidth, metrics.horizontalAdvance(text) + LabelSlack);
    const int left = alignment & Qt::AlignRight ? at.x() + minWidth - width : at.x();
    made->setAlignment(alignment | Qt::AlignVCenter);
    made->setGeometry(left, at.y(), width, metrics.height() + 2);
    return made;
}

QLabel* wrappedLabel(QWidget* parent, const char* name, const QString& text, QRect box)
{
    auto* made = new QLabel(text, parent);
    made->setObjectName(QString::fromLatin1(name));
    made->setTextFormat(Qt::PlainText);
    made->setFont(pageFont());
    made->setWordWrap(true);
    made->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box.setHeight(std::max(box.height(), made->heightForWidth(box.width())));
    made->setGeometry(box);
    return made;
}

QLabel* heading(QWidget* parent, const char* name, const QString& text, QPoint at)
{
    QLabel* made = label(parent, name, text, at);
    made->setFont(pageFont(true));
    const QFontMetrics metrics(made->font());
    made->resize(metrics.horizontalAdvance(text) + LabelSlack, metrics.height() + 2);
    QPalette navy = made->palette();
    navy.setColor(QPalette::WindowText, art::colour::Navy);
    made->setPalette(navy);
    return made;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, QPoint at, const QString& tip)
{
    return placeButton(new QCheckBox(caption, parent), QString::fromLatin1(name), at, tip);
}

QRadioButton* optionButton(QWidget* parent, const QString& name, const QString& caption, QPoint at,
                           const QString& tip)
{
    return placeButton(new QRadioButton(caption, parent), name, at, tip);
}

QLineEdit* textBox(QWidget* parent, const char* name, QRect box, const QString& accessibleName,
                   const QString& tip)
{
    auto* made = new QLineEdit(parent);
    made->setObjectName(QString::fromLatin1(name));
    made->setFont(pageFont());
    box.setHeight(lineHeight(box.height()));
    made->setGeometry(box);
    describe(made, accessibleName, tip);
    return made;
}

PictureButton* captionButton(QWidget* parent, const char* name, const QString& caption, QRect box,
                             const QString& tip)
{
    auto* made = new PictureButton(parent, QString::fromLatin1(name),
                                   [caption](QPainter& p, const QRectF& face, int picture) {
                                       art::paintButtonFace(p, face, caption, picture == 1);
                                   });
    const int needed = QFontMetrics(art::buttonFont()).horizontalAdvance(caption) + 2 * ButtonPadding;
    box.setWidth(std::max(box.width(), needed));
    made->setGeometry(box);
    describe(made, caption, tip);
    made->showPressWith(1);
    return made;
}

} // namespace zephrix::controls
