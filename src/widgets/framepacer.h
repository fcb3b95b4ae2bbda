#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QWidget;

// Lets a window repaint at most once per frame of its screen. A fast wheel
// pages the main window every few milliseconds, faster than any screen
// shows; each repaint costs a full redraw of the rows. A repaint asked for
// within a frame of the last one waits for that frame to end: it is
// delayed, never dropped, so the window always ends up showing its latest
// state. Qt delivers an explicit repaint() as the same request that an
// update() posts and gives no way to tell the two apart, so a repaint()
// within a frame of the last paint also waits for the frame's end; the
// program itself only ever calls update().
class FramePacer : public QObject
{
    Q_OBJECT

public:
    explicit FramePacer(QWidget *window);

    // True while a repaint waits for the frame's end.
    bool isHoldingBack() const { return frameEnd.isActive(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int frameMs() const;

    QWidget *window;
    QElapsedTimer sinceRepaint;
    QTimer frameEnd;
};
