#include "elabel.h"

#include "directopacityeffect.h"
#include "textlayouts.h"

#include <QPainter>
#include <QPicture>
#include <QStyle>
#include <QTextDocument>

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
    // The texts of the main window's rows are faded on every page step;
    // drawn in a faded colour they need no blend.
    effect->setSinglePassDraw(
        [this](QPainter *painter, qreal opacity) { return drawPlainText(painter, opacity); });
    setGraphicsEffect(effect);
}

bool ELabel::drawPlainText(QPainter *painter, qreal opacity) const
{
    const Qt::TextInteractionFlags selectable =
        Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard;
    if (!styleSheet().isEmpty() || autoFillBackground() || frameShape() != QFrame::NoFrame ||
        !pixmap().isNull() || !picture().isNull() || movie() || buddy() || indent() > 0 ||
        (textInteractionFlags() & selectable))
        return false;
    const QString shown = text();
    const bool plain = textFormat() == Qt::PlainText ||
                       (textFormat() == Qt::AutoText && !Qt::mightBeRichText(shown));
    if (!plain)
        return false;
    // A disabled text may be etched, a second layer under the first.
    if (!isEnabled())
        return false;
    // A faded colour fades each glyph as the painter's opacity would; Qt's
    // text drawing keeps its fast path for a translucent colour, not for a
    // translucent painter.
    const QBrush &brush = palette().brush(foregroundRole());
    if (brush.style() != Qt::SolidPattern)
        return false;
    if (shown.isEmpty())
        return true;
    QColor colour = brush.color();
    colour.setAlphaF(colour.alphaF() * opacity);

    // As QLabel lays out a plain text: the contents less the margin, tabs
    // expanded, its alignment mirrored for a right-to-left text.
    const int inset = margin();
    const QRect area = contentsRect().adjusted(inset, inset, -inset, -inset);
    const Qt::LayoutDirection direction = shown.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    int flags = QStyle::visualAlignment(direction, alignment()) | Qt::TextExpandTabs;
    if (wordWrap())
        flags |= Qt::TextWordWrap;
    flags |= direction == Qt::LeftToRight ? Qt::TextForceLeftToRight : Qt::TextForceRightToLeft;
    painter->setFont(QFont(font(), this));
    // Without a colour role the style draws in the painter's pen, so the
    // palette needs no faded copy per paint.
    painter->setPen(colour);
    // Styles draw an enabled text without a colour role as the painter's
    // own text drawing does, which drawKeptTextLine matches.
    if (!drawKeptTextLine(painter, area, flags, shown))
        style()->drawItemText(painter, area, flags, palette(), true, shown, QPalette::NoRole);
    return true;
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
