#include "stylesheetpictures.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>
#include <QPixmapCache>
#include <QScreen>
#include <QSet>
#include <QWidget>

#include <cmath>

namespace {

// Each byte of the value as it lies in memory, low digit first.
template <typename T> QString hexBytes(T value)
{
    static const char digits[] = "0123456789abcdef";
    const auto *bytes = reinterpret_cast<const unsigned char *>(&value);
    QString text;
    for (size_t i = 0; i < sizeof value; ++i) {
        text += QLatin1Char(digits[bytes[i] & 0xf]);
        text += QLatin1Char(digits[bytes[i] >> 4]);
    }
    return text;
}

// The key under which QPixmap(fileName) looks for the file's picture in
// Qt's pixmap cache: the path, time and size of the file and the kind of
// pixmap. preloadStyleSheetPictures() checks that Qt still finds it so.
QString pixmapKey(const QFileInfo &file)
{
    const uint pixmapType = 0;
    return QLatin1String("qt_pixmap") + file.absoluteFilePath() +
           hexBytes(uint(file.lastModified().toSecsSinceEpoch())) + hexBytes(quint64(file.size())) +
           hexBytes(pixmapType);
}

// The file a style sheet draws on a screen of `ratio`: name@2x.png where
// there is one and Qt is not told to keep to single density, as Qt looks
// for it.
QString fileForScreen(const QString &fileName, qreal ratio, int *density)
{
    *density = 1;
    static const bool singleOnly =
        !qEnvironmentVariableIsEmpty("QT_HIGHDPI_DISABLE_2X_IMAGE_LOADING");
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (ratio <= 1.0 || singleOnly || dot < 0)
        return fileName;
    for (int n = qMin(int(std::ceil(ratio)), 9); n > 1; --n) {
        QString dense = fileName;
        dense.insert(dot, QStringLiteral("@%1x").arg(n));
        if (QFileInfo::exists(dense)) {
            *density = n;
            return dense;
        }
    }
    return fileName;
}

QStringList picturesNamedBy(const QString &styleSheet)
{
    QStringList names;
    const QLatin1String url("url(");
    for (qsizetype at = styleSheet.indexOf(url); at >= 0; at = styleSheet.indexOf(url, at)) {
        at += url.size();
        const qsizetype end = styleSheet.indexOf(QLatin1Char(')'), at);
        if (end < 0)
            break;
        names.append(styleSheet.mid(at, end - at).trimmed());
    }
    return names;
}

QPixmap readPicture(const QString &fileName, int density)
{
    QImageReader reader(fileName);
    readByName(reader);
    QImage image = reader.read();
    Qt::ImageConversionFlags conversion = Qt::AutoColor;
    // Drawn from three bytes a pixel, an opaque picture gives the pixels it
    // gives from four; a page step, which draws the background under all
    // rows, costs 0.3 ms more (1.1 ms). Four bytes would keep 0.55 MB more
    // for the background, from start to end.
    if (!image.isNull() && !image.hasAlphaChannel()) {
        // Qt turns a colour map into three bytes only through a slow generic
        // route (6 ms for the background); through four bytes it takes 0.5.
        image.convertTo(QImage::Format_RGB32);
        image.convertTo(QImage::Format_RGB888);
        conversion = Qt::NoFormatConversion;
    }
    QPixmap picture = QPixmap::fromImage(std::move(image), conversion);
    picture.setDevicePixelRatio(density);
    return picture;
}

} // namespace

void readByName(QImageReader &reader)
{
    reader.setFormat(QFileInfo(reader.fileName()).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
}

void preloadStyleSheetPictures(QWidget *window)
{
    const qreal ratio = window->screen() ? window->screen()->devicePixelRatio() : 1.0;
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    QSet<QString> read;
    QStringList keys;
    QString probeName;
    qint64 probeKey = 0;
    for (const QWidget *widget : std::as_const(widgets)) {
        for (const QString &name : picturesNamedBy(widget->styleSheet())) {
            int density = 1;
            const QString fileName = fileForScreen(name, ratio, &density);
            const QFileInfo file(fileName);
            if (read.contains(fileName) || !file.exists())
                continue;
            read.insert(fileName);
            const QPixmap picture = readPicture(fileName, density);
            if (picture.isNull())
                continue;
            keys.append(pixmapKey(file));
            QPixmapCache::insert(keys.last(), picture);
            if (probeName.isEmpty()) {
                probeName = fileName;
                probeKey = picture.cacheKey();
            }
        }
    }
    // Where Qt names its cache entries otherwise, the sheets read their
    // pictures as before, and these would only take memory.
    if (!probeName.isEmpty() && QPixmap(probeName).cacheKey() != probeKey) {
        for (const QString &key : std::as_const(keys))
            QPixmapCache::remove(key);
    }
}
