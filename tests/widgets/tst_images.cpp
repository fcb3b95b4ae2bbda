#include <QFile>
#include <QImage>
#include <QTest>

// The fixed geometries of the forms are drawn for these picture sizes.
class tst_Images : public QObject
{
    Q_OBJECT

private slots:
    void sizes_data();
    void sizes();
    void buttonsAreGreyAndBlue_data();
    void buttonsAreGreyAndBlue();
    void absentOnPurpose();
};

void tst_Images::sizes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");

    const struct
    {
        const char *name;
        int width;
        int height;
    } images[] = {
        {"logo", 348, 348},
        {"bgp", 955, 590},
        {"logo_corner", 217, 22},
        {"logo_drug", 158, 23},
        {"logo_hint", 26, 23},
        {"close_gray", 18, 19},
        {"close_blue", 19, 19},
        {"min_gray", 18, 19},
        {"min_blue", 19, 19},
        {"open_gray", 55, 55},
        {"open_blue", 55, 55},
        {"new_file_gray", 54, 54},
        {"new_file_blue", 54, 55},
        {"save_gray", 54, 55},
        {"save_blue", 55, 55},
        {"save_add_gray", 54, 55},
        {"save_add_blue", 55, 55},
        {"delete_trash_gray", 55, 55},
        {"delete_trash_blue", 55, 55},
        {"edit_pencil_gray", 55, 54},
        {"edit_pencil_blue", 55, 54},
        {"edit_add_pencil_gray", 55, 55},
        {"edit_add_pencil_blue", 55, 55},
        {"apply_gray", 54, 54},
        {"apply_blue", 55, 54},
        {"delete_gray", 54, 55},
        {"delete_blue", 55, 55},
        {"background_pic", 661, 540},
        {"print_gray", 54, 55},
        {"fold_gray", 19, 19},
        {"soft_min_limit", 25, 24},
        {"soft_max_limit", 25, 24},
        {"hard_max_limit", 25, 24},
    };
    for (const auto &image : images)
        QTest::newRow(image.name) << QStringLiteral(":/image/%1.png").arg(image.name)
                                  << QSize(image.width, image.height);
}

void tst_Images::sizes()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QImage image(name);
    QVERIFY2(!image.isNull(), qPrintable(name));
    QCOMPARE(image.size(), size);
}

void tst_Images::buttonsAreGreyAndBlue_data()
{
    QTest::addColumn<QString>("base");
    for (const char *base : {"open", "new_file", "save", "save_add", "delete_trash", "edit_pencil",
                             "edit_add_pencil", "apply", "delete"})
        QTest::newRow(base) << QString::fromLatin1(base);
}

// Grey at rest and blue under the mouse: compare the average hue of the
// drawn (opaque) pixels, so a swapped or mis-coloured file is caught.
void tst_Images::buttonsAreGreyAndBlue()
{
    QFETCH(QString, base);
    const auto tint = [](const QString &file) {
        const QImage image = QImage(file).convertToFormat(QImage::Format_ARGB32);
        double red = 0;
        double blue = 0;
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.alpha() < 200)
                    continue;
                red += c.red();
                blue += c.blue();
                ++drawn;
            }
        }
        return drawn ? (blue - red) / drawn : 0.0;
    };
    const double grey = tint(QStringLiteral(":/image/%1_gray.png").arg(base));
    const double blue = tint(QStringLiteral(":/image/%1_blue.png").arg(base));
    QVERIFY2(qAbs(grey) < 20, qPrintable(QString::number(grey)));
    QVERIFY2(blue > 60, qPrintable(QString::number(blue)));
}

void tst_Images::absentOnPurpose()
{
    // Named by style sheets, never drawn: the pressed Open button and the
    // hidden single-print button show no picture.
    QVERIFY(!QFile::exists(QStringLiteral(":/image/open_blue_shadow.png")));
    QVERIFY(!QFile::exists(QStringLiteral(":/image/print_single_gray.png")));
}

QTEST_GUILESS_MAIN(tst_Images)
#include "tst_images.moc"
