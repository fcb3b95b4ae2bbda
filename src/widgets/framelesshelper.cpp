#include "framelesshelper.h"

#include "framelesshelperprivate.h"

#include <QWidget>

FramelessHelper::FramelessHelper(QWidget *window)
    : QObject(window), d(new FramelessHelperPrivate(window))
{}

void FramelessHelper::addDragWidget(QWidget *widget)
{
    d->addDragWidget(widget);
}
