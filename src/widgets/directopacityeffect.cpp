#include "directopacityeffect.h"

#include <QBackingStore>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QWidget>

#include <cmath>

DirectOpacityEffect::DirectOpacityEffect(QWidget *widget)
    : QGraphicsOpacityEffect(widget), widget(widget)
{}

void DirectOpacityEffect::setSinglePassDraw(SinglePassDraw draw)
{
    singlePassDraw = std::move(draw);
}

void DirectOpacityEffect::draw(QPainter *painter)
{
    const qreal alpha = opacity();
    QPaintDevice *device = painter->device();
    // Only a repaint of the window itself paints through this painter with
    // the widget's own offset; other routes nest painters differently.
    QBackingStore *store = widget->window()->backingStore();
    const bool windowRepaint = store && device == store->paintDevice();
    const QTransform toDevice = painter->deviceTransform();
    auto *image =
        device && device->devType() == QInternal::Image ? static_cast<QImage *>(device) : nullptr;
    // The blend below is exact over opaque pixels. On X11 the backing store
    // of an opaque window is premultiplied ARGB; its pixels are opaque when
    // the window shows no alpha and paints its background with an opaque
    // brush under everything else.
    const QWidget *window = widget->window();
    const bool opaqueWindow = windowRepaint && !store->window()->format().hasAlpha() &&
                              !window->testAttribute(Qt::WA_NoSystemBackground) &&
                              window->palette().brush(QPalette::Window).isOpaque();
    const bool plainFormat =
        image && (image->format() == QImage::Format_RGB32 ||
                  (image->format() == QImage::Format_ARGB32_Premultiplied && opaqueWindow));
    // Whole device pixels per logical one, so the pixels copied back land
    // exactly where they were taken.
    const bool wholePixels = toDevice.type() <= QTransform::TxScale &&
                             toDevice.m11() == toDevice.m22() &&
                             toDevice.m11() == std::round(toDevice.m11());
    if (alpha <= 0.0 || alpha >= 1.0 || !windowRepaint || !plainFormat || !wholePixels ||
        painter->opacity() < 1.0 || painter->paintEngine()->type() != QPaintEngine::Raster) {
        QGraphicsOpacityEffect::draw(painter);
        return;
    }
    if (singlePassDraw) {
        painter->save();
        const bool drawn = singlePassDraw(painter, alpha);
        painter->restore();
        if (drawn)
            return;
    }
    QRect pixels = toDevice.mapRect(sourceBoundingRect(Qt::LogicalCoordinates))
                       .toAlignedRect()
                       .intersected(image->rect());
    // Nothing is painted outside the repaint's region, so nothing there needs
    // keeping: the clock's tick blends the button pad under the clock alone.
    const QRegion repainted = painter->paintEngine()->systemClip();
    if (!repainted.isEmpty())
        pixels &= repainted.boundingRect();
    if (pixels.isEmpty())
        return;
    const QImage under = image->copy(pixels);

    drawSource(painter);

    // painted * alpha + under * (1 - alpha). Where the repaint was clipped
    // away nothing was painted and the pixel stays as it was.
    painter->save();
    painter->setOpacity(1.0 - alpha);
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawImage(toDevice.inverted().mapRect(QRectF(pixels)), under, QRectF(under.rect()));
    painter->restore();
}
