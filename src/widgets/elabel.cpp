#include "elabel.h"

#include "directopacityeffect.h"

namespace {

const QString FrameOnRule = QStringLiteral("ELabel{border: 2px solid #00ccff;}");
const QString FrameOffRule = QStringLiteral("ELabel{border: 0px solid rgb(231, 231, 231);}");

// The frame rule goes after the owner's own rules, so the last one wins. Only
// the latest frame rule is kept: a row is hovered thousands of times in a
// working day, and every earlier rule would stay in the sheet and be parsed
// again on each hover.
QString withFrameRule(QString sheet, const QString &rule)
{
    for (;;) {
        if (sheet.endsWith(FrameOnRule))
            sheet.chop(FrameOnRule.size());
        else if (sheet.endsWith(FrameOffRule))
            sheet.chop(FrameOffRule.size());
        else
            return sheet + rule;
    }
}

} // namespace

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
    if (hoverFrame == 1)
        setStyleSheet(withFrameRule(styleSheet(), FrameOnRule));
}

void ELabel::leaveEvent(QEvent *event)
{
    emit mouseLeave();
    if (hoverPartner)
        hoverPartner->leaveEvent(event);
    if (hoverFrame == 1)
        setStyleSheet(withFrameRule(styleSheet(), FrameOffRule));
}
