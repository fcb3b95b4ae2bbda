#include "pictureicon.h"

#include "stylesheetpictures.h"

#include <QApplication>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

namespace {

class PictureIconEngine : public QIconEngine
{
public:
    explicit PictureIconEngine(const QString &fileName) : fileName(fileName) {}

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        QImageReader reader(fileName);
        readByName(reader);
        const QSize fitted = fitting(reader.size(), size);
        if (fitted.isEmpty())
            return {};
        QImage image = reader.read();
        // At its own size the picture keeps the reader's straight alpha: the
        // window system takes the window icon so, and a premultiplied copy
        // was converted back, two more copies of it at the start-up's peak.
        if (mode == QIcon::Normal && image.size() == fitted)
            return QPixmap::fromImage(std::move(image), Qt::NoFormatConversion);
        QPixmap picture = QPixmap::fromImage(std::move(image));
        // Scaled as Qt's icons scale theirs, after the conversion to a pixmap.
        if (!picture.isNull() && picture.size() != fitted)
            picture = picture.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (mode == QIcon::Normal || picture.isNull())
            return picture;
        // Disabled and selected looks come from the style, as for Qt's own
        // icons.
        QStyleOption option;
        option.palette = QGuiApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device()->devicePixelRatio();
        QPixmap picture = pixmap(rect.size() * ratio, mode, state);
        picture.setDevicePixelRatio(ratio);
        const QSize shown = picture.deviceIndependentSize().toSize();
        QRect target(QPoint(), shown);
        target.moveCenter(rect.center());
        painter->drawPixmap(target, picture);
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        return fitting(pictureSize(), size);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        const QSize size = pictureSize();
        return size.isValid() ? QList<QSize>{size} : QList<QSize>{};
    }

    bool isNull() override { return !pictureSize().isValid(); }
    QString key() const override { return QStringLiteral("PictureIconEngine"); }
    QIconEngine *clone() const override { return new PictureIconEngine(fileName); }

private:
    // Read once: the window asks for it several times on its way to the
    // screen, and each reading opened the picture anew.
    QSize pictureSize()
    {
        if (!sizeRead) {
            QImageReader reader(fileName);
            readByName(reader);
            knownSize = reader.size();
            sizeRead = true;
        }
        return knownSize;
    }

    // The picture's own size, scaled down to fit `bounds` when it is larger.
    static QSize fitting(const QSize &picture, const QSize &bounds)
    {
        if (!picture.isValid() || bounds.isEmpty())
            return {};
        if (picture.width() <= bounds.width() && picture.height() <= bounds.height())
            return picture;
        return picture.scaled(bounds, Qt::KeepAspectRatio);
    }

    const QString fileName;
    QSize knownSize;
    bool sizeRead = false;
};

} // namespace

QIcon pictureIcon(const QString &fileName)
{
    return QIcon(new PictureIconEngine(fileName));
}
