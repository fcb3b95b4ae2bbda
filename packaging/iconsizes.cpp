// Build-time tool: scales the program's logo to the square sizes of the
// hicolor icon theme, so the desktop menu shows a crisp icon at each size
// instead of letting every desktop scale the 348-pixel logo on the fly.
//
// usage: morvex_icon_sizes <logo.png> <output-dir> <icon-name> <size>...
// writes <output-dir>/<size>x<size>/apps/<icon-name>.png for every size.

#include <QDir>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s <logo.png> <output-dir> <icon-name> <size>...\n", argv[0]);
        return 2;
    }
    const QString logoPath = QString::fromLocal8Bit(argv[1]);
    const QDir outputDir(QString::fromLocal8Bit(argv[2]));
    const QString iconName = QString::fromLocal8Bit(argv[3]);

    QImage logo(logoPath);
    if (logo.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    // The logo is square; a stray non-square one is centred, not stretched.
    logo = logo.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int side = qMax(logo.width(), logo.height());
    if (logo.width() != logo.height()) {
        QImage square(side, side, QImage::Format_ARGB32_Premultiplied);
        square.fill(Qt::transparent);
        for (int y = 0; y < logo.height(); ++y) {
            const int top = (side - logo.height()) / 2;
            const int left = (side - logo.width()) / 2;
            auto *target = reinterpret_cast<QRgb *>(square.scanLine(top + y)) + left;
            const auto *source = reinterpret_cast<const QRgb *>(logo.constScanLine(y));
            std::copy(source, source + logo.width(), target);
        }
        logo = square;
    }

    for (int i = 4; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size <= 0) {
            std::fprintf(stderr, "not an icon size: %s\n", argv[i]);
            return 2;
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        if (!outputDir.mkpath(folder)) {
            std::fprintf(stderr, "cannot create %s\n", qPrintable(outputDir.filePath(folder)));
            return 1;
        }
        const QImage icon = logo.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                .convertToFormat(QImage::Format_ARGB32);
        const QString file =
            outputDir.filePath(folder + QLatin1Char('/') + iconName + QLatin1String(".png"));
        if (!icon.save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
