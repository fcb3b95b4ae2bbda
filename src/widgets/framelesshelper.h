#pragma once

#include <QObject>

class FramelessHelperPrivate;
class QWidget;

// Gives a frameless window back what the window frame provided: moving by
// dragging chosen widgets and resizing by dragging a 5-pixel edge band.
// Create it in the window's constructor, before the window is first shown;
// it becomes a child of the window.
class FramelessHelper : public QObject
{
    Q_OBJECT

public:
    explicit FramelessHelper(QWidget *window);

    // Dragging this widget (the window itself may be given) moves the window.
    void addDragWidget(QWidget *widget);

private:
    // A child of the window, which deletes it.
    FramelessHelperPrivate *d;
};
