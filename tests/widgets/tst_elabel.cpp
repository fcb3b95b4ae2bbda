#include "elabel.h"

#include <QEnterEvent>
#include <QGraphicsOpacityEffect>
#include <QSignalSpy>
#include <QTest>

namespace {

// Counts the releases that get past a child label.
class Pad : public QWidget
{
public:
    int releases = 0;

protected:
    void mouseReleaseEvent(QMouseEvent *) override { ++releases; }
};

void enter(QWidget *widget)
{
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), widget->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(widget, &event);
}

void leave(QWidget *widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

const QString frameOn = QStringLiteral("ELabel{border: 2px solid #00ccff;}");
const QString frameOff = QStringLiteral("ELabel{border: 0px solid rgb(231, 231, 231);}");

} // namespace

class tst_ELabel : public QObject
{
    Q_OBJECT

private slots:
    void drawsAtEightyPercent();
    void anyButtonClicks_data();
    void anyButtonClicks();
    void hoverWithoutFrame();
    void frameRuleFollowsOwnRules();
    void partnerFollows();
    void partnerChainsOn();
};

void tst_ELabel::drawsAtEightyPercent()
{
    ELabel label;
    auto *effect = qobject_cast<QGraphicsOpacityEffect *>(label.graphicsEffect());
    QVERIFY(effect);
    QCOMPARE(effect->opacity(), 0.8);
    QCOMPARE(label.tileIndex, 0);
    QCOMPARE(label.menuIndex, 0);
    QVERIFY(!label.clickedFlag);
    QCOMPARE(label.hoverFrame, 0);
    QVERIFY(!label.hoverPartner);
}

void tst_ELabel::anyButtonClicks_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
}

void tst_ELabel::anyButtonClicks()
{
    QFETCH(Qt::MouseButton, button);
    Pad pad;
    pad.resize(200, 100);
    auto *label = new ELabel(&pad);
    label->setGeometry(10, 10, 100, 30);
    pad.show();
    QSignalSpy clicked(label, &ELabel::clicked);

    QTest::mouseClick(label, button);
    QCOMPARE(clicked.count(), 1);
    QVERIFY(label->clickedFlag);
    QCOMPARE(pad.releases, 0);

    // The flag stays until the owner clears it.
    label->clickedFlag = false;
    QTest::mousePress(label, button);
    QVERIFY(!label->clickedFlag);
    QTest::mouseRelease(label, button);
    QCOMPARE(clicked.count(), 2);
    QVERIFY(label->clickedFlag);
}

void tst_ELabel::hoverWithoutFrame()
{
    ELabel label;
    label.setStyleSheet(QStringLiteral("color: red;"));
    QSignalSpy hover(&label, &ELabel::mouseHover);
    QSignalSpy left(&label, &ELabel::mouseLeave);
    enter(&label);
    leave(&label);
    QCOMPARE(hover.count(), 1);
    QCOMPARE(left.count(), 1);
    QCOMPARE(label.styleSheet(), QStringLiteral("color: red;"));
}

void tst_ELabel::frameRuleFollowsOwnRules()
{
    ELabel label;
    label.hoverFrame = 1;
    const QString base = QStringLiteral("background-color: rgb(1, 2, 3);");
    label.setStyleSheet(base);

    enter(&label);
    QCOMPARE(label.styleSheet(), base + frameOn);
    leave(&label);
    QCOMPARE(label.styleSheet(), base + frameOff);

    // A day of hovering must not grow the sheet.
    for (int i = 0; i < 1000; ++i) {
        enter(&label);
        leave(&label);
    }
    QCOMPARE(label.styleSheet(), base + frameOff);
}

void tst_ELabel::partnerFollows()
{
    ELabel tile;
    tile.hoverFrame = 1;
    ELabel text;
    text.hoverPartner = &tile;

    // Own signal first, then the partner's, then the partner's frame.
    QStringList order;
    connect(&text, &ELabel::mouseHover, &text, [&] { order << "text hover"; });
    connect(&tile, &ELabel::mouseHover, &tile, [&] {
        order << (tile.styleSheet().isEmpty() ? "tile hover, no frame yet" : "tile hover late");
    });
    connect(&text, &ELabel::mouseLeave, &text, [&] { order << "text leave"; });
    connect(&tile, &ELabel::mouseLeave, &tile, [&] { order << "tile leave"; });

    enter(&text);
    QCOMPARE(tile.styleSheet(), frameOn);
    QCOMPARE(text.styleSheet(), QString());
    leave(&text);
    QCOMPARE(tile.styleSheet(), frameOff);
    QCOMPARE(order,
             QStringList({"text hover", "tile hover, no frame yet", "text leave", "tile leave"}));
}

void tst_ELabel::partnerChainsOn()
{
    ELabel background;
    background.hoverFrame = 1;
    ELabel middle;
    middle.hoverPartner = &background;
    ELabel front;
    front.hoverPartner = &middle;
    QSignalSpy backgroundHover(&background, &ELabel::mouseHover);
    enter(&front);
    QCOMPARE(backgroundHover.count(), 1);
    QCOMPARE(background.styleSheet(), frameOn);
}

QTEST_MAIN(tst_ELabel)
#include "tst_elabel.moc"
