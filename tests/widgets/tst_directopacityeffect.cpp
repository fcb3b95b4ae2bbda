// The ELabel's opacity effect paints without Qt's offscreen pass; the
// window must look as it does with QGraphicsOpacityEffect.

#include "directopacityeffect.h"
#include "elabel.h"
#include "imagedifference.h"
#include "textlayouts.h"

#include <QGraphicsOpacityEffect>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <functional>

namespace {

// The label under test: Qt's effect on a QLabel gives the expected picture.
enum class Faded
{
    ByQtsEffect,
    Directly, // a QLabel with the direct effect
    AsELabel, // an ELabel, which may draw its text in a single pass
};

// A small window: an opaque gradient with a faded label over it, as the
// screen shows it after its first repaint.
QImage shownWindow(Faded faded, const QString &labelStyle, const QString &text,
                   const QPoint &labelPos, const std::function<void(QLabel *)> &setUp = {},
                   const QRect &repainted = {})
{
    QWidget window;
    window.setObjectName(QStringLiteral("scene"));
    window.setFixedSize(240, 80);
    window.setStyleSheet(QStringLiteral("QWidget#scene{background: qlineargradient(x1:0, y1:0, "
                                        "x2:1, y2:1, stop:0 rgb(250, 240, 200), "
                                        "stop:1 rgb(20, 90, 160));}"));
    window.setAttribute(Qt::WA_StyledBackground);
    QLabel *label = faded == Faded::AsELabel ? new ELabel(&window) : new QLabel(&window);
    label->setText(text);
    label->setGeometry(QRect(labelPos, QSize(150, 30)));
    label->setStyleSheet(labelStyle);
    if (setUp)
        setUp(label);
    if (faded != Faded::AsELabel) {
        QGraphicsOpacityEffect *effect = faded == Faded::ByQtsEffect
                                             ? new QGraphicsOpacityEffect(label)
                                             : new DirectOpacityEffect(label);
        effect->setOpacity(0.8);
        label->setGraphicsEffect(effect);
    }
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return {};
    // Repaint once more, label alone (or a part of it), as a changed text would.
    if (repainted.isNull())
        label->update();
    else
        label->update(repainted);
    QCoreApplication::processEvents();
    return window.screen()->grabWindow(window.winId()).toImage();
}

} // namespace

Q_DECLARE_METATYPE(std::function<void(QLabel *)>)

class TstDirectOpacityEffect : public QObject
{
    Q_OBJECT

private slots:
    void windowLooksAsWithQtsEffect_data();
    void windowLooksAsWithQtsEffect();
    void eLabelTextsLookAsWithQtsEffect_data();
    void eLabelTextsLookAsWithQtsEffect();
    void eLabelDrawsOnlyAPlainText();
    void otherPaintDevicesTakeQtsRoute();
    void keptTextLinesDrawAsQtDoes_data();
    void keptTextLinesDrawAsQtDoes();
};

void TstDirectOpacityEffect::windowLooksAsWithQtsEffect_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<int>("largestAllowed");
    QTest::addColumn<QRect>("repainted");

    const QString rowStyle = QStringLiteral("QLabel{background-color: #00aaff;}");
    const QString framed =
        QStringLiteral("QLabel{background-color: rgb(231, 231, 231); border: 2px solid #00ccff;}");
    // Areas: within the rounding of an 8-bit blend.
    QTest::newRow("row background") << rowStyle << QString() << QPoint(20, 20) << 2 << QRect();
    QTest::newRow("hover frame") << framed << QString() << QPoint(20, 20) << 2 << QRect();
    QTest::newRow("translucent fill")
        << QStringLiteral("QLabel{background-color: rgba(255, 0, 0, 90);}") << QString()
        << QPoint(20, 20) << 2 << QRect();
    QTest::newRow("partly outside") << rowStyle << QString() << QPoint(150, 60) << 2 << QRect();
    // Only the repainted part is blended again; the rest keeps its pixels.
    QTest::newRow("part repainted")
        << framed << QString() << QPoint(20, 20) << 2 << QRect(30, 1, 50, 12);
    // Text is smoothed against the real background rather than a transparent
    // pixmap, which moves its edge pixels a little.
    QTest::newRow("text") << QString() << QStringLiteral("Baked Potato P10, 2 min 30 s")
                          << QPoint(20, 20) << 16 << QRect();
}

void TstDirectOpacityEffect::windowLooksAsWithQtsEffect()
{
    QFETCH(QString, style);
    QFETCH(QString, text);
    QFETCH(QPoint, position);
    QFETCH(int, largestAllowed);
    QFETCH(QRect, repainted);

    const QImage expected = shownWindow(Faded::ByQtsEffect, style, text, position, {}, repainted);
    const QImage actual = shownWindow(Faded::Directly, style, text, position, {}, repainted);
    QVERIFY(!expected.isNull());
    const ImageDifference difference = imageDifference(expected, actual);
    QVERIFY2(difference.largest <= largestAllowed,
             qPrintable(QStringLiteral("largest difference %1").arg(difference.largest)));
    QVERIFY2(difference.mean < 0.5,
             qPrintable(QStringLiteral("mean difference %1").arg(difference.mean)));
}

using LabelSetUp = std::function<void(QLabel *)>;

// An ELabel draws a plain text in a faded colour, in one pass; with
// anything more it paints as a QLabel and is blended.
void TstDirectOpacityEffect::eLabelTextsLookAsWithQtsEffect_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<LabelSetUp>("setUp");
    const QString rowText = QStringLiteral("Baked Potato P10, 2 min 30 s");
    const auto none = LabelSetUp();
    QTest::newRow("plain text") << QString() << none;
    QTest::newRow("right aligned") << QString() << LabelSetUp([](QLabel *label) {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    });
    QTest::newRow("margin and word wrap") << QString() << LabelSetUp([](QLabel *label) {
        label->setMargin(3);
        label->setWordWrap(true);
    });
    QTest::newRow("grey name") << QString() << LabelSetUp([](QLabel *label) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::darkGray);
        label->setPalette(palette);
    });
    QTest::newRow("disabled") << QString()
                              << LabelSetUp([](QLabel *label) { label->setEnabled(false); });
    QTest::newRow("own style sheet")
        << QStringLiteral("QLabel{background-color: rgb(231, 231, 231); color: #0055aa;}") << none;
    QTest::newRow("rich text") << QString() << LabelSetUp([](QLabel *label) {
        label->setText(QStringLiteral("<b>Baked</b> Potato"));
    });
}

void TstDirectOpacityEffect::eLabelTextsLookAsWithQtsEffect()
{
    QFETCH(QString, style);
    QFETCH(LabelSetUp, setUp);
    const QString text = QStringLiteral("Baked Potato P10, 2 min 30 s");
    const QImage expected = shownWindow(Faded::ByQtsEffect, style, text, QPoint(20, 20), setUp);
    const QImage actual = shownWindow(Faded::AsELabel, style, text, QPoint(20, 20), setUp);
    QVERIFY(!expected.isNull());
    const ImageDifference difference = imageDifference(expected, actual);
    // As for any text: the edge pixels move a little.
    QVERIFY2(difference.largest <= 16,
             qPrintable(QStringLiteral("largest difference %1").arg(difference.largest)));
    QVERIFY2(difference.mean < 0.5,
             qPrintable(QStringLiteral("mean difference %1").arg(difference.mean)));
}

void TstDirectOpacityEffect::eLabelDrawsOnlyAPlainText()
{
    QImage canvas(200, 40, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&canvas);
    const auto draws = [&painter](const LabelSetUp &setUp) {
        ELabel label;
        label.setText(QStringLiteral("Popcorn"));
        setUp(&label);
        return label.drawPlainText(&painter, 0.8);
    };
    QVERIFY(draws([](QLabel *) {}));
    QVERIFY(draws([](QLabel *label) { label->setText(QString()); }));
    QVERIFY(!draws([](QLabel *label) { label->setStyleSheet(QStringLiteral("color: red;")); }));
    QVERIFY(!draws([](QLabel *label) { label->setFrameShape(QFrame::Box); }));
    QVERIFY(!draws([](QLabel *label) { label->setAutoFillBackground(true); }));
    QVERIFY(!draws([](QLabel *label) { label->setPixmap(QPixmap(8, 8)); }));
    QVERIFY(!draws([](QLabel *label) { label->setText(QStringLiteral("<i>Popcorn</i>")); }));
    QVERIFY(
        !draws([](QLabel *label) { label->setTextInteractionFlags(Qt::TextSelectableByMouse); }));
    QVERIFY(!draws([](QLabel *label) { label->setEnabled(false); }));
    QVERIFY(!draws([](QLabel *label) {
        QPalette palette = label->palette();
        palette.setBrush(QPalette::WindowText, QBrush(Qt::red, Qt::Dense4Pattern));
        label->setPalette(palette);
    }));
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

// Whether or not a line is kept, the pixels must be Qt's own, the first
// time and when drawn again from the keep, elsewhere.
void TstDirectOpacityEffect::keptTextLinesDrawAsQtDoes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QSize>("area");
    const int row = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextForceLeftToRight;
    const int right = Qt::AlignRight | Qt::AlignVCenter | Qt::TextForceLeftToRight;
    const int centred = Qt::AlignCenter | Qt::TextForceLeftToRight;
    const QSize wide(160, 29);
    QTest::newRow("menu number") << QStringLiteral("b-07") << row << wide;
    QTest::newRow("name, right") << QStringLiteral("Baked Potato") << right << wide;
    QTest::newRow("trailing blanks, right") << QStringLiteral("Soup  ") << right << wide;
    QTest::newRow("leading blank, centred") << QStringLiteral(" P10") << centred << wide;
    QTest::newRow("top") << QStringLiteral("05") << int(Qt::AlignTop | Qt::TextForceLeftToRight)
                         << wide;
    QTest::newRow("wider than the area")
        << QStringLiteral("Slow Roast Chicken Thighs") << centred << QSize(60, 12);
    QTest::newRow("unclipped") << QStringLiteral("Slow Roast Chicken")
                               << int(right | Qt::TextDontClip) << QSize(50, 29);
    QTest::newRow("Chinese") << QStringLiteral("烤土豆 第1段") << row << wide;
    QTest::newRow("mixed directions")
        << QStringLiteral("Soup \u05e9\u05dc\u05d5\u05dd 2") << right << wide;
    QTest::newRow("emoji") << QStringLiteral("Pizza \U0001F355") << row << wide;
    QTest::newRow("two lines") << QStringLiteral("Rice\nLarge") << row << wide;
    QTest::newRow("tab") << QStringLiteral("Rice\tLarge") << row << wide;
    QTest::newRow("word wrap") << QStringLiteral("Baked Potato Large")
                               << int(row | Qt::TextWordWrap) << QSize(60, 40);
    QTest::newRow("right to left")
        << QStringLiteral("Soup  ") << int(Qt::AlignRight | Qt::TextForceRightToLeft) << wide;
    QTest::newRow("mnemonic") << QStringLiteral("&Rice") << int(row | Qt::TextShowMnemonic) << wide;
}

void TstDirectOpacityEffect::keptTextLinesDrawAsQtDoes()
{
    QFETCH(QString, text);
    QFETCH(int, flags);
    QFETCH(QSize, area);
    for (const QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        QImage expected(240, 100, format);
        QImage actual = expected;
        expected.fill(Qt::white);
        actual.fill(Qt::white);
        QPainter qts(&expected);
        QPainter ours(&actual);
        for (QPainter *painter : {&qts, &ours}) {
            painter->setFont(QFont(QStringLiteral("Sans Serif"), 12));
            painter->setPen(QColor(0, 0, 0, 204));
        }
        for (const QPoint &at : {QPoint(3, 2), QPoint(41, 57)}) {
            const QRect rect(at, area);
            qts.drawText(rect, flags, text);
            if (!drawKeptTextLine(&ours, rect, flags, text))
                ours.drawText(rect, flags, text);
        }
        qts.end();
        ours.end();
        QCOMPARE(actual, expected);
    }
}

QTEST_MAIN(TstDirectOpacityEffect)
#include "tst_directopacityeffect.moc"
