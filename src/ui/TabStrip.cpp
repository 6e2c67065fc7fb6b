#include "ui/TabStrip.h"

#include <QFontMetrics>
#include <QPainter>

#include "ui/Artwork.h"
#include "ui/MainWindowLayout.h"
#include "ui/PageControls.h"
#include "ui/PictureButton.h"

namespace zephrix {
namespace {

constexpr int CaptionPadding = 14;

QStringList captions()
{
    QStringList all;
    for (const char* caption : TabCaptions)
        all << QString::fromLatin1(caption);
    return all;
}

} // namespace

TabStrip::TabStrip(QWidget* window) : QWidget(window)
{
    setObjectName(QStringLiteral("pctTabs"));
    setGeometry(layout::TabStrip);
    // The strip takes the focus from the keyboard only (Enter on it runs
    // the search); a click on a tab leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    controls::describe(this, QStringLiteral("Tabs"));

    // A caption wider than its head widens the head and moves the later
    // heads along.
    const QFontMetrics metrics(art::tabFont());
    int shift = 0;
    for (int i = 0; i < 4; ++i) {
        QRect head = layout::TabTargets[i].translated(shift, 0);
        const int needed = metrics.horizontalAdvance(captions()[i]) + CaptionPadding;
        if (needed > head.width()) {
            shift += needed - head.width();
            head.setWidth(needed);
        }
        // All heads share one baseline: the one set higher only reaches
        // further up.
        heads_ << QRectF(head.left(), layout::TabTargets[0].top(), head.width(),
                         layout::TabTargets[0].bottom() + 1 - layout::TabTargets[0].top());

        auto* target = new PictureButton(this, QStringLiteral("lblTabs_%1").arg(i + 1),
                                         [](QPainter&, const QRectF&, int) {});
        target->setProperty("index", i + 1);
        target->setAccessibleRole(QAccessible::PageTab);
        target->setGeometry(head);
        controls::describe(target, captions()[i]);
        connect(target, &PictureButton::clicked, this, [this, i] { emit tabClicked(i + 1); });
        targets_ << target;
    }
}

void TabStrip::setSelected(int index)
{
    selected_ = index;
    for (int i = 0; i < targets_.size(); ++i)
        targets_[i]->setSelected(i + 1 == index);
    update();
}

PictureButton* TabStrip::target(int index) const
{
    return targets_.value(index - 1);
}

void TabStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    art::paintTabStrip(painter, QRectF(rect()), heads_, captions(), selected_ - 1);
    if (hasFocus()) {
        // Where the keyboard is: around the raised tab's caption.
        painter.setPen(QPen(art::colour::Navy, 1, Qt::DotLine));
        painter.drawRect(heads_.value(selected_ - 1).adjusted(5, 4, -6, -4));
    }
}

void TabStrip::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TabStrip::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace zephrix
