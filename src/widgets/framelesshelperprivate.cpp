#include "framelesshelperprivate.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cmath>

namespace {

// Halves away from zero, so a drag ends where the pointer is on either side
// of the screen origin.
QPoint roundedPoint(const QPointF &point)
{
    return QPoint(int(std::lround(point.x())), int(std::lround(point.y())));
}

} // namespace

FramelessHelperPrivate::FramelessHelperPrivate(QWidget *window)
    : QObject(window), window(window), checkTimer(new QTimer(this))
{
    window->setWindowFlags(window->windowFlags() | Qt::FramelessWindowHint);
    window->installEventFilter(this);
    // The resize cursor follows a slow poll of the pointer rather than every
    // mouse move, which would need mouse tracking on every child widget.
    checkTimer->setInterval(400);
    connect(checkTimer, &QTimer::timeout, this, &FramelessHelperPrivate::pollPos);
    checkTimer->start();
    watchPlatformWindow();
}

void FramelessHelperPrivate::watchPlatformWindow()
{
    if (window->windowHandle() == watchedWindow)
        return;
    watchedWindow = window->windowHandle();
    pointerSeen = false;
    if (watchedWindow)
        watchedWindow->installEventFilter(this);
}

void FramelessHelperPrivate::addDragWidget(QWidget *widget)
{
    if (!widget || dragWidgets.contains(widget))
        return;
    dragWidgets.append(widget);
    widget->installEventFilter(this);
}

int FramelessHelperPrivate::regionAt(const QPoint &cursor, const QRect &frame,
                                     const QMargins &borders)
{
    const QRect inner = frame.marginsRemoved(borders);
    if (!frame.contains(cursor) || inner.contains(cursor))
        return NoRegion;
    if (cursor.x() < inner.left()) {
        if (cursor.y() < inner.top())
            return TopLeftRegion;
        return cursor.y() > inner.bottom() ? BottomLeftRegion : LeftRegion;
    }
    if (cursor.x() > inner.right()) {
        if (cursor.y() < inner.top())
            return TopRightRegion;
        return cursor.y() > inner.bottom() ? BottomRightRegion : RightRegion;
    }
    return cursor.y() < inner.top() ? TopRegion : BottomRegion;
}

Qt::CursorShape FramelessHelperPrivate::cursorShapeFor(int region)
{
    switch (region) {
    case LeftRegion:
    case RightRegion:
        return Qt::SizeHorCursor;
    case TopRegion:
    case BottomRegion:
        return Qt::SizeVerCursor;
    case TopLeftRegion:
    case BottomRightRegion:
        return Qt::SizeFDiagCursor;
    case TopRightRegion:
    case BottomLeftRegion:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::ArrowCursor;
    }
}

QRect FramelessHelperPrivate::resizedGeometry(int region, const QPoint &cursor,
                                              const QRect &geometry)
{
    const QPoint p = geometry.topLeft();
    const int w = geometry.width();
    const int h = geometry.height();
    const int x = cursor.x();
    const int y = cursor.y();
    switch (region) {
    case LeftRegion:
        return QRect(p.x() + x, p.y(), w - x, h);
    case RightRegion:
        return QRect(p.x(), p.y(), x, h);
    case TopRegion:
        return QRect(p.x(), p.y() + y, w, h - y);
    case BottomRegion:
        return QRect(p.x(), p.y(), w, y);
    case TopLeftRegion:
        return QRect(p.x() + x, p.y() + y, w - x, h - y);
    case TopRightRegion:
        return QRect(p.x(), p.y() + y, x, h - y);
    case BottomLeftRegion:
        return QRect(p.x() + x, p.y(), w - x, y);
    case BottomRightRegion:
        return QRect(p.x(), p.y(), x, y);
    default:
        return QRect(p, QSize(0, 0));
    }
}

bool FramelessHelperPrivate::canResize() const
{
    return !maximized && window->isActiveWindow();
}

void FramelessHelperPrivate::setEdgeRegion(int region)
{
    edgeRegion = region;
    if (region != NoRegion)
        window->setCursor(cursorShapeFor(region));
    else if (window->testAttribute(Qt::WA_SetCursor))
        window->unsetCursor();
}

int FramelessHelperPrivate::regionUnder(const QPoint &pointer) const
{
    const QMargins borders(borderLeft, borderTop, borderRight, borderBottom);
    return regionAt(pointer, window->frameGeometry(), borders);
}

void FramelessHelperPrivate::checkPos()
{
    setEdgeRegion(canResize() ? regionUnder(QCursor::pos()) : NoRegion);
}

void FramelessHelperPrivate::pollPos()
{
    // Asking the display server where the pointer is costs a round trip,
    // and the poll runs for the whole life of the window. While the pointer
    // rests over the window its mouse events already say where it is; over
    // another window no band of this one can be under it. The events stop
    // while someone else holds the pointer: a popup of ours, or another
    // client (a window manager's move, a drag), which says nothing when it
    // lets go. So the server is asked while a popup is open and while the
    // place last known is on a band, where a stale place would leave a
    // resize cursor over the rows.
    if (!window->underMouse() || !canResize()) {
        setEdgeRegion(NoRegion);
        return;
    }
    const bool popupOpen = QApplication::activePopupWidget() != nullptr;
    if (!pointerSeen || popupOpen || regionUnder(seenPointer) != NoRegion) {
        seenPointer = QCursor::pos();
        pointerSeen = !popupOpen;
    }
    setEdgeRegion(regionUnder(seenPointer));
}

void FramelessHelperPrivate::watchPointer(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        seenPointer = roundedPoint(static_cast<QSinglePointEvent *>(event)->globalPosition());
        pointerSeen = true;
        break;
    case QEvent::Leave:
        pointerSeen = false;
        break;
    default:
        break;
    }
}

void FramelessHelperPrivate::resize(QPoint cursorPos)
{
    const QRect target =
        resizedGeometry(edgeRegion, cursorPos, QRect(window->pos(), window->size()));
    // A window squeezed down to its bands could no longer be grabbed again.
    if (target.width() <= borderLeft + borderRight || target.height() <= borderTop + borderBottom)
        return;
    // A fixed-size window still moves here: dragging its left or top band
    // shifts it, the size limits only hold the size.
    window->move(target.topLeft());
    window->resize(target.size());
}

bool FramelessHelperPrivate::startMove(const QPointF &globalPosition)
{
    leftPressed = true;
    dragMode = 2;
    dragOffset = roundedPoint(globalPosition) - window->pos();
    checkTimer->stop();
    return true;
}

void FramelessHelperPrivate::endDrag()
{
    leftPressed = false;
    dragMode = 0;
    checkTimer->start();
}

bool FramelessHelperPrivate::eventFilter(QObject *watched, QEvent *event)
{
    // Every mouse event of the window passes its platform window first,
    // whichever child then takes it.
    if (watched == watchedWindow) {
        watchPointer(event);
        return false;
    }
    switch (event->type()) {
    case QEvent::Show:
        // Each show may come with a new platform window.
        if (watched == window)
            watchPlatformWindow();
        return false;
    case QEvent::WindowStateChange:
        if (watched == window)
            maximized = window->windowState().testFlag(Qt::WindowMaximized);
        return false;
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton || maximized)
            return false;
        checkPos();
        if (watched == window && edgeRegion != NoRegion) {
            leftPressed = true;
            dragMode = 1;
            checkTimer->stop();
            return true;
        }
        // A drag widget pressed inside the band is left alone: if it does not
        // take the press, the window's own pass starts the resize.
        const bool isDragWidget =
            watched->isWidgetType() && dragWidgets.contains(static_cast<QWidget *>(watched));
        if (edgeRegion == NoRegion && isDragWidget)
            return startMove(mouse->globalPosition());
        return false;
    }
    case QEvent::MouseMove: {
        if (!leftPressed)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        // The release can be taken by a child (an ELabel accepts every
        // release) and never reach us; a move with the button up ends the
        // drag instead of letting the window chase the pointer.
        if (!mouse->buttons().testFlag(Qt::LeftButton)) {
            endDrag();
            return false;
        }
        if (dragMode == 2) {
            window->move(roundedPoint(mouse->globalPosition()) - dragOffset);
        } else if (dragMode == 1) {
            QPoint cursor = roundedPoint(mouse->position());
            if (watched != window && watched->isWidgetType())
                cursor = static_cast<QWidget *>(watched)->mapTo(window, cursor);
            resize(cursor);
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton || !leftPressed)
            return false;
        endDrag();
        return true;
    }
    default:
        return false;
    }
}
