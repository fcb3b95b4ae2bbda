#include "framepacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

FramePacer::FramePacer(QWidget *window) : QObject(window), window(window)
{
    frameEnd.setSingleShot(true);
    // A coarse timer may fire a little early and would only start again.
    frameEnd.setTimerType(Qt::PreciseTimer);
    connect(&frameEnd, &QTimer::timeout, this, [this] {
        QEvent repaint(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(this->window, &repaint);
    });
    window->installEventFilter(this);
}

int FramePacer::frameMs() const
{
    const QScreen *screen = window->screen();
    const qreal hertz = screen && screen->refreshRate() > 0 ? screen->refreshRate() : 60.0;
    return std::clamp(int(std::floor(1000.0 / hertz)), 1, 50);
}

bool FramePacer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != window || event->type() != QEvent::UpdateRequest)
        return false;
    const int frame = frameMs();
    if (sinceRepaint.isValid() && sinceRepaint.elapsed() < frame) {
        // Qt asks again only after this request is served; the frame's end
        // serves it, with everything that became dirty meanwhile.
        if (!frameEnd.isActive())
            frameEnd.start(int(frame - sinceRepaint.elapsed()));
        return true;
    }
    frameEnd.stop();
    sinceRepaint.start();
    return false;
}
