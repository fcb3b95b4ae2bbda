#pragma once

#include <QList>
#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

class QTimer;
class QWidget;
class QWindow;

// The event filter behind FramelessHelper. Kept in its own header so the
// region and resize arithmetic can be tested without a real mouse.
class FramelessHelperPrivate : public QObject
{
    Q_OBJECT

public:
    enum Region
    {
        NoRegion = 0,
        LeftRegion,
        RightRegion,
        TopLeftRegion,
        TopRightRegion,
        BottomLeftRegion,
        BottomRightRegion,
        TopRegion,
        BottomRegion
    };

    explicit FramelessHelperPrivate(QWidget *window);

    void addDragWidget(QWidget *widget);

    // Edge band under a global cursor position for a window whose frame is
    // `frame`, with edge bands as wide as `borders`; NoRegion inside or outside.
    static int regionAt(const QPoint &cursor, const QRect &frame, const QMargins &borders);
    static Qt::CursorShape cursorShapeFor(int region);
    // Geometry after dragging `region` to `cursor` (window coordinates),
    // before the minimum-size rule; an empty rectangle for NoRegion.
    static QRect resizedGeometry(int region, const QPoint &cursor, const QRect &geometry);

    int edgeRegion = NoRegion;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void checkPos();
    void resize(QPoint cursorPos);

private:
    void pollPos();
    bool canResize() const;
    // The band of this window under a global pointer position.
    int regionUnder(const QPoint &pointer) const;
    void setEdgeRegion(int region);
    void watchPlatformWindow();
    void watchPointer(QEvent *event);
    bool startMove(const QPointF &globalPosition);
    void endDrag();

    QList<QWidget *> dragWidgets;
    QWidget *window;
    int borderLeft = 5;
    int borderTop = 5;
    int borderRight = 5;
    int borderBottom = 5;
    bool maximized = false;
    int dragMode = 0; // 1 resizing, 2 moving
    bool leftPressed = false;
    QTimer *checkTimer;
    QPoint dragOffset;
    // The pointer as the window's own mouse events last placed it; valid
    // from an Enter until the next Leave.
    QPointer<QWindow> watchedWindow;
    QPoint seenPointer;
    bool pointerSeen = false;
};
