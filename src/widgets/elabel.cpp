#include "elabel.h"

#include "directopacityeffect.h"

ELabel::ELabel(QWidget *parent) : QLabel(parent)
{
    auto *effect = new DirectOpacityEffect(this);
    effect->setOpacity(0.8);
    setGraphicsEffect(effect);
}

void ELabel::mouseReleaseEvent(QMouseEvent *)
{
    // Any button counts, and the release stops here: a tile's click must not
    // also reach the window underneath.
    clickedFlag = true;
    emit clicked();
}

void ELabel::enterEvent(QEnterEvent *event)
{
    emit mouseHover();
    if (hoverPartner)
        hoverPartner->enterEvent(event);
    // Appended, never replaced: the last rule wins, and the owner's own rules
    // before it stay untouched.
    if (hoverFrame == 1)
        setStyleSheet(styleSheet() + QStringLiteral("ELabel{border: 2px solid #00ccff;}"));
}

void ELabel::leaveEvent(QEvent *event)
{
    emit mouseLeave();
    if (hoverPartner)
        hoverPartner->leaveEvent(event);
    if (hoverFrame == 1)
        setStyleSheet(styleSheet() +
                      QStringLiteral("ELabel{border: 0px solid rgb(231, 231, 231);}"));
}
