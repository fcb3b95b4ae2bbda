// The window at a device pixel ratio of 2 (QT_SCALE_FACTOR=2, set by CTest):
// each picture is drawn from its @2x file, pixel for pixel, not scaled up
// from the 1x file.

#include "bookdocument.h"
#include "imagedifference.h"
#include "mainwindow.h"
#include "menubook.h"

#include <QBackingStore>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

double meanDifference(const QImage &a, const QImage &b)
{
    return imageDifference(a, b).mean;
}

QImage over(const QImage &background, const QImage &picture)
{
    QImage result = background.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    result.setDevicePixelRatio(1);
    // An @2x file loads with a device pixel ratio of 2; here every image
    // is counted in device pixels.
    QImage devicePixels = picture;
    devicePixels.setDevicePixelRatio(1);
    QPainter painter(&result);
    painter.drawImage(0, 0, devicePixels);
    return result;
}

} // namespace

class TstHighDpi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyPictureHasItsDoubleDensityVariant_data();
    void everyPictureHasItsDoubleDensityVariant();
    void windowDrawsThePicturesSharp_data();
    void windowDrawsThePicturesSharp();
    void fadedLabelsLandWhereTheyBelong();
    void cleanupTestCase();

private:
    QTemporaryDir folder;
    QString startFolder;
    std::unique_ptr<MenuBook> book;
    std::unique_ptr<BookDocument> document;
    std::unique_ptr<MainWindow> window;
};

void TstHighDpi::initTestCase()
{
    QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
    QVERIFY(folder.isValid());
    startFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    book = std::make_unique<MenuBook>();
    document = std::make_unique<BookDocument>(*book);
    window = std::make_unique<MainWindow>(*document);
    // The window read its @2x pictures itself, as Qt draws them.
    QCOMPARE(QPixmap(QStringLiteral(":/image/bgp@2x.png")).toImage().format(),
             QImage::Format_RGB888);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TstHighDpi::cleanupTestCase()
{
    window.reset();
    QDir::setCurrent(startFolder);
}

void TstHighDpi::everyPictureHasItsDoubleDensityVariant_data()
{
    QTest::addColumn<QString>("name");
    const QStringList pictures =
        QDir(QStringLiteral(":/image")).entryList({QStringLiteral("*.png")}, QDir::Files);
    QVERIFY(pictures.size() > 30);
    for (const QString &picture : pictures) {
        if (!picture.contains(QLatin1String("@2x")))
            QTest::newRow(qPrintable(picture)) << picture.chopped(4);
    }
}

void TstHighDpi::everyPictureHasItsDoubleDensityVariant()
{
    QFETCH(QString, name);
    const QImage single(QStringLiteral(":/image/%1.png").arg(name));
    const QImage twice(QStringLiteral(":/image/%1@2x.png").arg(name));
    QVERIFY(!single.isNull());
    QVERIFY2(!twice.isNull(), qPrintable(name + QLatin1String("@2x.png is missing")));
    QCOMPARE(twice.size(), single.size() * 2);
}

// Widgets whose picture has exactly the widget's size, so the picture's
// pixels land one to one on the screen's.
void TstHighDpi::windowDrawsThePicturesSharp_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("picture");
    QTest::newRow("Save button") << "pushButtonSaveFile"
                                 << "save_gray";
    QTest::newRow("close button") << "pushButtonClose"
                                  << "close_gray";
    QTest::newRow("minimise button") << "pushButtonMin"
                                     << "min_gray";
    QTest::newRow("title band logo") << "labelLogo"
                                     << "logo_corner";
}

void TstHighDpi::windowDrawsThePicturesSharp()
{
    QFETCH(QString, widget);
    QFETCH(QString, picture);
    auto *target = window->findChild<QWidget *>(widget);
    QVERIFY(target);
    QVERIFY(target->isVisible());

    const QRect logical(target->mapTo(window.get(), QPoint(0, 0)), target->size());
    const QRect device(logical.topLeft() * 2, logical.size() * 2);
    const QImage shown = window->grab().toImage().copy(device);
    // What lies under the picture: the same place with the widget hidden.
    target->hide();
    const QImage under = window->grab().toImage().copy(device);
    target->show();
    QCOMPARE(shown.size(), device.size());

    const QImage twice(QStringLiteral(":/image/%1@2x.png").arg(picture));
    const QImage single(QStringLiteral(":/image/%1.png").arg(picture));
    QCOMPARE(twice.size(), device.size());
    const QImage sharp = over(under, twice);
    const QImage blurred =
        over(under, single.scaled(device.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));

    const double fromSharp = meanDifference(shown, sharp);
    const double fromBlurred = meanDifference(shown, blurred);
    // The blurred rendering must differ clearly, or the comparison says nothing.
    QVERIFY2(meanDifference(sharp, blurred) > 1.0, "the picture has too little detail to compare");
    QVERIFY2(fromSharp < 0.5,
             qPrintable(
                 QStringLiteral("%1 is %2 away from its @2x picture").arg(widget).arg(fromSharp)));
    QVERIFY2(fromSharp * 4 < fromBlurred,
             qPrintable(QStringLiteral("%1 looks scaled up: %2 from @2x, %3 from 1x")
                            .arg(widget)
                            .arg(fromSharp)
                            .arg(fromBlurred)));
}

// The rows' labels fade straight into the window's backing store (at two
// device pixels per pixel here); a grab renders them through Qt's own
// offscreen route. Both must show the same rows.
void TstHighDpi::fadedLabelsLandWhereTheyBelong()
{
    window->update();
    QCoreApplication::processEvents();
    // What the window system is handed: the backing store's own image.
    QPaintDevice *store = window->backingStore()->paintDevice();
    QVERIFY(store && store->devType() == QInternal::Image);
    const QImage onScreen = *static_cast<QImage *>(store);
    const QImage grabbed = window->grab().toImage();
    QCOMPARE(onScreen.size(), grabbed.size());
    const QRect rows(QPoint(7, 66) * 2, QSize(941, 450) * 2);
    const double difference = meanDifference(onScreen.copy(rows), grabbed.copy(rows));
    QVERIFY2(difference < 0.5, qPrintable(QStringLiteral("rows differ by %1").arg(difference)));
}

QTEST_MAIN(TstHighDpi)
#include "tst_highdpi.moc"
