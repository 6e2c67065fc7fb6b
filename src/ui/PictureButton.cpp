#include "ui/PictureButton.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace zephrix {
namespace {

// What assistive tools see of a picture button: a push button whose name is
// the word it shows (its accessible name) and whose press clicks it.
class PictureButtonAccessible : public QAccessibleWidget {
  public:
    explicit PictureButtonAccessible(PictureButton* button)
        : QAccessibleWidget(button, button->accessibleRole()), button_(button)
    {
    }

    QAccessible::Role role() const override { return button_->accessibleRole(); }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = widget()->focusPolicy() != Qt::NoFocus;
        state.selectable = button_->accessibleRole() == QAccessible::PageTab;
        state.selected = button_->isSelected();
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& actionName) override
    {
        if (actionName == pressAction() && widget()->isEnabled())
            button_->click();
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    PictureButton* button_;
};

QAccessibleInterface* pictureButtonAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(PictureButton::staticMetaObject.className()) && object &&
        object->isWidgetType())
        return new PictureButtonAccessible(static_cast<PictureButton*>(object));
    return nullptr;
}

} // namespace

PictureButton::PictureButton(QWidget* parent, const QString& objectName, PicturePainter painter)
    : QWidget(parent), painter_(std::move(painter))
{
    static const bool accessibilityInstalled = [] {
        QAccessible::installFactory(pictureButtonAccessible);
        return true;
    }();
    Q_UNUSED(accessibilityInstalled);
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void PictureButton::setPicture(int picture)
{
    if (picture_ == picture)
        return;
    picture_ = picture;
    update();
}

void PictureButton::click()
{
    emit clicked();
}

void PictureButton::setSelected(bool selected)
{
    if (selected_ == selected)
        return;
    selected_ = selected;
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void PictureButton::showPressWith(int pressed)
{
    connect(this, &PictureButton::mouseDown, this, [this, pressed](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            setPicture(pressed);
    });
    connect(this, &PictureButton::mouseUp, this, [this] { setPicture(0); });
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter_(painter, QRectF(rect()), picture_);
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    emit mouseDown(event->button());
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    // Released over the picture: mouse up first, then the click, as the
    // pressed look must be gone before the owner acts on the click.
    const bool over = rect().contains(event->position().toPoint());
    emit mouseUp(event->button());
    if (over && event->button() == Qt::LeftButton && event->buttons() == Qt::NoButton)
        emit clicked();
}

} // namespace zephrix
