// The window icon read on demand must give the window system the picture
// Qt's own file icon gives, at every size it asks for.

#include "pictureicon.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>

namespace {

const QString Logo = QStringLiteral(":/image/logo.png");

QImage pixels(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class TstPictureIcon : public QObject
{
    Q_OBJECT

private slots:
    void samePictureAsQtsFileIcon_data();
    void samePictureAsQtsFileIcon();
    void sizesComeFromTheFile();
    void missingFileGivesNullIcon();
};

void TstPictureIcon::samePictureAsQtsFileIcon_data()
{
    QTest::addColumn<QSize>("asked");
    QTest::addColumn<QSize>("given");
    QTest::newRow("own size") << QSize(348, 348) << QSize(348, 348);
    QTest::newRow("larger") << QSize(512, 512) << QSize(348, 348);
    QTest::newRow("taskbar") << QSize(48, 48) << QSize(48, 48);
    QTest::newRow("not square") << QSize(64, 32) << QSize(32, 32);
}

void TstPictureIcon::samePictureAsQtsFileIcon()
{
    QFETCH(QSize, asked);
    QFETCH(QSize, given);
    const QIcon expected(Logo);
    const QIcon icon = pictureIcon(Logo);
    QCOMPARE(icon.actualSize(asked), given);
    const QPixmap pixmap = icon.pixmap(asked);
    QCOMPARE(pixmap.size(), given);
    QCOMPARE(pixels(pixmap), pixels(expected.pixmap(asked)));

    // A disabled look is generated, as for Qt's icons.
    QVERIFY(pixels(icon.pixmap(asked, QIcon::Disabled)) != pixels(pixmap));
}

void TstPictureIcon::sizesComeFromTheFile()
{
    const QIcon icon = pictureIcon(Logo);
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(348, 348)});
    QVERIFY(icon.cacheKey() != pictureIcon(Logo).cacheKey());
}

void TstPictureIcon::missingFileGivesNullIcon()
{
    const QIcon icon = pictureIcon(QStringLiteral(":/image/no_such_picture.png"));
    QVERIFY(icon.isNull());
    QVERIFY(icon.availableSizes().isEmpty());
    QVERIFY(icon.pixmap(QSize(32, 32)).isNull());
}

QTEST_MAIN(TstPictureIcon)
#include "tst_pictureicon.moc"
