// The ELabel's opacity effect paints without Qt's offscreen pass; the
// window must look as it does with QGraphicsOpacityEffect.

#include "directopacityeffect.h"

#include <QGraphicsOpacityEffect>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include <cstdlib>
#include <functional>

namespace {

struct Difference
{
    int largest = 0;
    double mean = 0;
};

Difference compare(const QImage &a, const QImage &b)
{
    Difference difference;
    if (a.size() != b.size())
        return {255, 255};
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            for (int channel : {std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q))}) {
                difference.largest = std::max(difference.largest, channel);
                sum += channel;
            }
        }
    }
    difference.mean = double(sum) / (3.0 * a.width() * a.height());
    return difference;
}

using EffectMaker = std::function<QGraphicsOpacityEffect *(QWidget *)>;

// A small window: an opaque gradient with a faded label over it, as the
// screen shows it after its first repaint.
QImage shownWindow(const EffectMaker &makeEffect, const QString &labelStyle, const QString &text,
                   const QPoint &labelPos)
{
    QWidget window;
    window.setObjectName(QStringLiteral("scene"));
    window.setFixedSize(240, 80);
    window.setStyleSheet(QStringLiteral("QWidget#scene{background: qlineargradient(x1:0, y1:0, "
                                        "x2:1, y2:1, stop:0 rgb(250, 240, 200), "
                                        "stop:1 rgb(20, 90, 160));}"));
    window.setAttribute(Qt::WA_StyledBackground);
    auto *label = new QLabel(text, &window);
    label->setGeometry(QRect(labelPos, QSize(150, 30)));
    label->setStyleSheet(labelStyle);
    QGraphicsOpacityEffect *effect = makeEffect(label);
    effect->setOpacity(0.8);
    label->setGraphicsEffect(effect);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return {};
    // Repaint once more, label alone, as a changed text would.
    label->update();
    QCoreApplication::processEvents();
    return window.screen()->grabWindow(window.winId()).toImage();
}

} // namespace

class TstDirectOpacityEffect : public QObject
{
    Q_OBJECT

private slots:
    void windowLooksAsWithQtsEffect_data();
    void windowLooksAsWithQtsEffect();
    void otherPaintDevicesTakeQtsRoute();
};

void TstDirectOpacityEffect::windowLooksAsWithQtsEffect_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<int>("largestAllowed");

    const QString rowStyle = QStringLiteral("QLabel{background-color: #00aaff;}");
    const QString framed =
        QStringLiteral("QLabel{background-color: rgb(231, 231, 231); border: 2px solid #00ccff;}");
    // Areas: within the rounding of an 8-bit blend.
    QTest::newRow("row background") << rowStyle << QString() << QPoint(20, 20) << 2;
    QTest::newRow("hover frame") << framed << QString() << QPoint(20, 20) << 2;
    QTest::newRow("translucent fill")
        << QStringLiteral("QLabel{background-color: rgba(255, 0, 0, 90);}") << QString()
        << QPoint(20, 20) << 2;
    QTest::newRow("partly outside") << rowStyle << QString() << QPoint(150, 60) << 2;
    // Text is smoothed against the real background rather than a transparent
    // pixmap, which moves its edge pixels a little.
    QTest::newRow("text") << QString() << QStringLiteral("Baked Potato P10, 2 min 30 s")
                          << QPoint(20, 20) << 16;
}

void TstDirectOpacityEffect::windowLooksAsWithQtsEffect()
{
    QFETCH(QString, style);
    QFETCH(QString, text);
    QFETCH(QPoint, position);
    QFETCH(int, largestAllowed);

    const QImage expected = shownWindow(
        [](QWidget *label) { return new QGraphicsOpacityEffect(label); }, style, text, position);
    const QImage actual = shownWindow([](QWidget *label) { return new DirectOpacityEffect(label); },
                                      style, text, position);
    QVERIFY(!expected.isNull());
    const Difference difference = compare(expected, actual);
    QVERIFY2(difference.largest <= largestAllowed,
             qPrintable(QStringLiteral("largest difference %1").arg(difference.largest)));
    QVERIFY2(difference.mean < 0.5,
             qPrintable(QStringLiteral("mean difference %1").arg(difference.mean)));
}

// QWidget::render and grabs nest their painters differently: they must get
// exactly the picture of Qt's own effect.
void TstDirectOpacityEffect::otherPaintDevicesTakeQtsRoute()
{
    QWidget scene;
    scene.resize(200, 60);
    scene.setStyleSheet(QStringLiteral("background-color: rgb(240, 200, 120);"));
    auto *label = new QLabel(QStringLiteral("Popcorn"), &scene);
    label->setGeometry(20, 15, 120, 30);
    label->setStyleSheet(QStringLiteral("QLabel{background-color: #00aaff;}"));

    QImage images[2];
    for (int i = 0; i < 2; ++i) {
        auto *effect = i == 0 ? new QGraphicsOpacityEffect(label) : new DirectOpacityEffect(label);
        effect->setOpacity(0.8);
        label->setGraphicsEffect(effect);
        images[i] = QImage(scene.size(), QImage::Format_RGB32);
        scene.render(&images[i]);
    }
    QCOMPARE(images[1], images[0]);
    QCOMPARE(scene.grab().toImage(), images[0].convertToFormat(scene.grab().toImage().format()));
}

QTEST_MAIN(TstDirectOpacityEffect)
#include "tst_directopacityeffect.moc"
