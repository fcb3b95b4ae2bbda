#include "readerview.h"

#include <QLabel>

namespace ReaderView {

bool isSeen(const QWidget *widget)
{
    if (widget->isWindow() || widget->isHidden())
        return false;
    if (widget->width() <= 1 || widget->height() <= 1)
        return false;
    const auto *label = qobject_cast<const QLabel *>(widget);
    if (!label || !label->accessibleName().isEmpty() || !label->text().isEmpty())
        return true;
    return !label->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).isEmpty();
}

SeenChildrenAccessible::SeenChildrenAccessible(QWidget *widget, QAccessible::Role role)
    : QAccessibleWidget(widget, role)
{}

int SeenChildrenAccessible::childCount() const
{
    return int(seenChildren().size());
}

QAccessibleInterface *SeenChildrenAccessible::child(int index) const
{
    const QList<QWidget *> children = seenChildren();
    return index >= 0 && index < children.size()
               ? QAccessible::queryAccessibleInterface(children.at(index))
               : nullptr;
}

int SeenChildrenAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    return child ? int(seenChildren().indexOf(qobject_cast<QWidget *>(child->object()))) : -1;
}

QList<QWidget *> SeenChildrenAccessible::seenChildren() const
{
    QList<QWidget *> seen;
    for (QWidget *child : widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (isSeen(child))
            seen.append(child);
    }
    return seen;
}

} // namespace ReaderView
