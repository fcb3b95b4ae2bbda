#pragma once

#include <QGraphicsOpacityEffect>

#include <functional>

// The picture of QGraphicsOpacityEffect without its offscreen render pass.
// Qt's effect renders the widget into a pixmap of its own on every repaint
// and blends that over the window; with an ELabel on every text of the main
// window's rows that was most of the cost of a page step.
//
// Here the widget paints straight into the window's backing store, and the
// pixels that lay under it are blended back in at (1 - opacity):
// opacity * painted + (1 - opacity) * under is what drawing the widget as
// one layer at that opacity gives over an opaque window. Anything else (a
// translucent window, a grab into a pixmap, QWidget::render) takes Qt's
// own route.
class DirectOpacityEffect : public QGraphicsOpacityEffect
{
public:
    // The effect belongs to the widget it fades.
    explicit DirectOpacityEffect(QWidget *widget);

    // A widget that can at times draw itself faded in a single pass, each
    // pixel put down once, hands that drawing here: it then gives the faded
    // picture straight away, with no pixels to copy and blend back. The
    // function gets a painter in the widget's coordinates and the opacity,
    // and returns false when the widget cannot draw that way at the moment.
    using SinglePassDraw = std::function<bool(QPainter *, qreal opacity)>;
    void setSinglePassDraw(SinglePassDraw draw);

protected:
    void draw(QPainter *painter) override;

private:
    QWidget *widget;
    SinglePassDraw singlePassDraw;
};
