#include "epushbutton.h"

#include <QEvent>
#include <QRect>
#include <QToolTip>

EPushButton::EPushButton(QWidget *parent) : QPushButton(parent) {}

void EPushButton::setTipOffset(int x, int y)
{
    tipOffsetX = x;
    tipOffsetY = y;
}

QString EPushButton::pictureStyle(const QString &baseName)
{
    return pictureStyle(baseName + QLatin1String("_gray.png"),
                        baseName + QLatin1String("_blue.png"),
                        baseName + QLatin1String("_blue.png"));
}

QString EPushButton::pictureStyle(const QString &normal, const QString &hover,
                                  const QString &pressed)
{
    return QStringLiteral("QPushButton{border-image: url(:/image/%1);}"
                          "QPushButton:hover{border-image: url(:/image/%2);}"
                          "QPushButton:pressed{border-image: url(:/image/%3);}")
        .arg(normal, hover, pressed);
}

bool EPushButton::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        // Anchored to the button, not the pointer, so the tip never covers
        // the picture the user is pointing at. An empty tip shows nothing.
        const QPoint at = mapToGlobal(QPoint(0, 0)) + QPoint(tipOffsetX, tipOffsetY);
        QToolTip::showText(at, toolTip(), this, QRect(), 2000);
        return true;
    }
    if (event->type() == QEvent::ToolTipChange) {
        // A picture says nothing to a screen reader: it reads the button
        // by its tip, in the edition's language or language.ini's words.
        setAccessibleName(toolTip());
    }
    // Everything else takes the push button's own way, so a disabled button
    // still swallows clicks instead of passing them to the window below.
    return QPushButton::event(event);
}
