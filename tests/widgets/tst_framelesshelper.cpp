#include "framelesshelper.h"
#include "framelesshelperprivate.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>

namespace {

// A child that, like a plain label, leaves presses to its window.
class Banner : public QWidget
{
public:
    using QWidget::QWidget;
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        ++presses;
        event->ignore();
    }
};

const QRect startGeometry(100, 100, 200, 150);
constexpr int R_NONE = FramelessHelperPrivate::NoRegion;
constexpr int R_LEFT = FramelessHelperPrivate::LeftRegion;
constexpr int R_RIGHT = FramelessHelperPrivate::RightRegion;
constexpr int R_TOP_LEFT = FramelessHelperPrivate::TopLeftRegion;
constexpr int R_TOP_RIGHT = FramelessHelperPrivate::TopRightRegion;
constexpr int R_BOTTOM_LEFT = FramelessHelperPrivate::BottomLeftRegion;
constexpr int R_BOTTOM_RIGHT = FramelessHelperPrivate::BottomRightRegion;
constexpr int R_TOP = FramelessHelperPrivate::TopRegion;
constexpr int R_BOTTOM = FramelessHelperPrivate::BottomRegion;

// Delivers a mouse event straight to `target`, filters first, as the
// window system would; true when something consumed it.
bool send(QWidget *target, QEvent::Type type, QPointF global, Qt::MouseButton button,
          Qt::MouseButtons buttons)
{
    const QPointF local = global - QPointF(target->mapToGlobal(QPoint(0, 0)));
    QMouseEvent event(type, local, global, button, buttons, Qt::NoModifier);
    return QApplication::sendEvent(target, &event);
}

bool press(QWidget *target, QPointF global, Qt::MouseButton button = Qt::LeftButton)
{
    return send(target, QEvent::MouseButtonPress, global, button, button);
}

bool moveTo(QWidget *target, QPointF global, Qt::MouseButtons buttons = Qt::LeftButton)
{
    return send(target, QEvent::MouseMove, global, Qt::NoButton, buttons);
}

bool release(QWidget *target, QPointF global)
{
    return send(target, QEvent::MouseButtonRelease, global, Qt::LeftButton, Qt::NoButton);
}

// Takes a window's mouse moves, as another client's hold on the pointer does.
class MoveSwallower : public QObject
{
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        return event->type() == QEvent::MouseMove;
    }
};

} // namespace

class tst_FramelessHelper : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void regionTable_data();
    void regionTable();
    void cursorFollowsPoll_data();
    void cursorFollowsPoll();
    void makesWindowFrameless();
    void moveKeepsPressOffset();
    void resizeByRegion_data();
    void resizeByRegion();
    void tooSmallIsSkipped_data();
    void tooSmallIsSkipped();
    void fixedSizeWindowOnlyMoves();
    void pressOnDragWidgetInBandResizes();
    void rightButtonNeverConsumed();
    void inactiveWindowOnlyMoves();
    void maximizedWindowIsLeftAlone();
    void lostReleaseEndsDrag();

private:
    void activate(QWidget *widget);
    int pollRegion(QPoint cursor);

    QWidget *window = nullptr;
    Banner *banner = nullptr;
    FramelessHelperPrivate *d = nullptr;
};

void tst_FramelessHelper::init()
{
    window = new QWidget;
    window->setGeometry(startGeometry);
    banner = new Banner(window);
    banner->setGeometry(0, 0, 200, 30);
    auto *helper = new FramelessHelper(window);
    helper->addDragWidget(banner);
    helper->addDragWidget(banner); // registering twice changes nothing
    d = window->findChild<FramelessHelperPrivate *>();
    QVERIFY(d);
    activate(window);
    QCOMPARE(window->geometry(), startGeometry);
    // Presses check the pointer itself, not the event: start it mid-window.
    QCursor::setPos(200, 170);
}

void tst_FramelessHelper::cleanup()
{
    delete window;
}

void tst_FramelessHelper::activate(QWidget *widget)
{
    widget->show();
    widget->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(widget));
}

int tst_FramelessHelper::pollRegion(QPoint cursor)
{
    QCursor::setPos(cursor);
    QMetaObject::invokeMethod(d, "checkPos");
    return d->edgeRegion;
}

void tst_FramelessHelper::regionTable_data()
{
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<int>("region");

    // Frame 100..299 x 100..249, inner 105..294 x 105..244.
    QTest::newRow("left band outer pixel") << QPoint(100, 170) << R_LEFT;
    QTest::newRow("left band inner pixel") << QPoint(104, 170) << R_LEFT;
    QTest::newRow("one further in") << QPoint(105, 170) << R_NONE;
    QTest::newRow("left of window") << QPoint(99, 170) << R_NONE;
    QTest::newRow("right band outer pixel") << QPoint(299, 170) << R_RIGHT;
    QTest::newRow("right band inner pixel") << QPoint(295, 170) << R_RIGHT;
    QTest::newRow("right, inside") << QPoint(294, 170) << R_NONE;
    QTest::newRow("right of window") << QPoint(300, 170) << R_NONE;
    QTest::newRow("top band") << QPoint(200, 100) << R_TOP;
    QTest::newRow("top band inner pixel") << QPoint(200, 104) << R_TOP;
    QTest::newRow("top, inside") << QPoint(200, 105) << R_NONE;
    QTest::newRow("bottom band") << QPoint(200, 249) << R_BOTTOM;
    QTest::newRow("bottom band inner pixel") << QPoint(200, 245) << R_BOTTOM;
    QTest::newRow("below window") << QPoint(200, 250) << R_NONE;
    QTest::newRow("top-left corner") << QPoint(100, 100) << R_TOP_LEFT;
    QTest::newRow("top-left square inner") << QPoint(104, 104) << R_TOP_LEFT;
    QTest::newRow("below top-left square") << QPoint(104, 105) << R_LEFT;
    QTest::newRow("right of top-left square") << QPoint(105, 104) << R_TOP;
    QTest::newRow("top-right corner") << QPoint(299, 100) << R_TOP_RIGHT;
    QTest::newRow("top-right square inner") << QPoint(295, 104) << R_TOP_RIGHT;
    QTest::newRow("bottom-left corner") << QPoint(100, 249) << R_BOTTOM_LEFT;
    QTest::newRow("bottom-left square inner") << QPoint(104, 245) << R_BOTTOM_LEFT;
    QTest::newRow("bottom-right corner") << QPoint(299, 249) << R_BOTTOM_RIGHT;
    QTest::newRow("bottom-right square inner") << QPoint(295, 245) << R_BOTTOM_RIGHT;
    QTest::newRow("centre") << QPoint(200, 170) << R_NONE;
}

void tst_FramelessHelper::regionTable()
{
    QFETCH(QPoint, cursor);
    QFETCH(int, region);
    QCOMPARE(FramelessHelperPrivate::regionAt(cursor, startGeometry, QMargins(5, 5, 5, 5)), region);
}

void tst_FramelessHelper::cursorFollowsPoll_data()
{
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<int>("shape");

    QTest::newRow("left") << QPoint(102, 170) << int(Qt::SizeHorCursor);
    QTest::newRow("right") << QPoint(297, 170) << int(Qt::SizeHorCursor);
    QTest::newRow("top") << QPoint(200, 101) << int(Qt::SizeVerCursor);
    QTest::newRow("bottom") << QPoint(200, 248) << int(Qt::SizeVerCursor);
    QTest::newRow("top-left") << QPoint(101, 101) << int(Qt::SizeFDiagCursor);
    QTest::newRow("bottom-right") << QPoint(298, 248) << int(Qt::SizeFDiagCursor);
    QTest::newRow("top-right") << QPoint(298, 101) << int(Qt::SizeBDiagCursor);
    QTest::newRow("bottom-left") << QPoint(101, 248) << int(Qt::SizeBDiagCursor);
    QTest::newRow("inside") << QPoint(105, 170) << int(Qt::ArrowCursor);
    QTest::newRow("outside") << QPoint(50, 50) << int(Qt::ArrowCursor);
}

void tst_FramelessHelper::cursorFollowsPoll()
{
    QFETCH(QPoint, cursor);
    QFETCH(int, shape);
    // The window's own poll, as the pointer meets it.
    QCursor::setPos(cursor);
    QTRY_COMPARE(int(window->cursor().shape()), shape);
    // Leaving the band takes the resize cursor away again, also when the
    // window sees none of the moves.
    MoveSwallower grab;
    window->windowHandle()->installEventFilter(&grab);
    QCursor::setPos(200, 170);
    QTRY_COMPARE(window->cursor().shape(), Qt::ArrowCursor);
}

void tst_FramelessHelper::makesWindowFrameless()
{
    QVERIFY(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(d->parent() == window);
}

void tst_FramelessHelper::moveKeepsPressOffset()
{
    QCursor::setPos(150, 170);
    QVERIFY(press(banner, QPointF(150.5, 110.4))); // rounds to 151, 110
    QCOMPARE(banner->presses, 0);
    QVERIFY(moveTo(banner, QPointF(300.2, 250.7)));
    QCOMPARE(window->pos(), QPoint(300 - 51, 251 - 10));
    QVERIFY(moveTo(banner, QPointF(-20.5, 40)));
    QCOMPARE(window->pos(), QPoint(-21 - 51, 40 - 10));
    QCOMPARE(window->size(), startGeometry.size());
    QVERIFY(release(banner, QPointF(0, 0)));
    // Idle again: moves pass through untouched.
    const QPoint parked = window->pos();
    moveTo(window, QPointF(400, 400), Qt::LeftButton);
    QCOMPARE(window->pos(), parked);
}

void tst_FramelessHelper::resizeByRegion_data()
{
    QTest::addColumn<QPoint>("grab");
    QTest::addColumn<QPoint>("to"); // in window coordinates
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("left") << QPoint(102, 170) << QPoint(-20, 70) << QRect(80, 100, 220, 150);
    QTest::newRow("right") << QPoint(297, 170) << QPoint(250, 70) << QRect(100, 100, 250, 150);
    QTest::newRow("top") << QPoint(200, 102) << QPoint(50, 30) << QRect(100, 130, 200, 120);
    QTest::newRow("bottom") << QPoint(200, 247) << QPoint(50, 180) << QRect(100, 100, 200, 180);
    QTest::newRow("top-left") << QPoint(101, 101) << QPoint(10, -10) << QRect(110, 90, 190, 160);
    QTest::newRow("top-right") << QPoint(298, 101) << QPoint(180, 20) << QRect(100, 120, 180, 130);
    QTest::newRow("bottom-left") << QPoint(101, 248) << QPoint(-5, 160) << QRect(95, 100, 205, 160);
    QTest::newRow("bottom-right") << QPoint(298, 248) << QPoint(230, 170)
                                  << QRect(100, 100, 230, 170);
}

void tst_FramelessHelper::resizeByRegion()
{
    QFETCH(QPoint, grab);
    QFETCH(QPoint, to);
    QFETCH(QRect, geometry);

    QCursor::setPos(grab);
    QVERIFY(press(window, grab));
    QVERIFY(moveTo(window, QPointF(window->mapToGlobal(to))));
    QCOMPARE(QRect(window->pos(), window->size()), geometry);
    QVERIFY(release(window, QPointF(0, 0)));
}

void tst_FramelessHelper::tooSmallIsSkipped_data()
{
    QTest::addColumn<QPoint>("grab");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("right to 10 wide") << QPoint(297, 170) << QPoint(10, 70) << startGeometry;
    QTest::newRow("right to 11 wide")
        << QPoint(297, 170) << QPoint(11, 70) << QRect(100, 100, 11, 150);
    QTest::newRow("left to 10 wide, position too")
        << QPoint(102, 170) << QPoint(190, 70) << startGeometry;
    QTest::newRow("top to 10 high") << QPoint(200, 102) << QPoint(50, 140) << startGeometry;
    QTest::newRow("top to 11 high")
        << QPoint(200, 102) << QPoint(50, 139) << QRect(100, 239, 200, 11);
    QTest::newRow("bottom past the top") << QPoint(200, 247) << QPoint(50, -30) << startGeometry;
}

void tst_FramelessHelper::tooSmallIsSkipped()
{
    QFETCH(QPoint, grab);
    QFETCH(QPoint, to);
    QFETCH(QRect, geometry);

    window->setMinimumSize(1, 1);
    QCursor::setPos(grab);
    QVERIFY(press(window, grab));
    QVERIFY(moveTo(window, QPointF(window->mapToGlobal(to))));
    QCOMPARE(QRect(window->pos(), window->size()), geometry);
}

void tst_FramelessHelper::fixedSizeWindowOnlyMoves()
{
    window->setFixedSize(startGeometry.size());
    QCursor::setPos(102, 170);
    QVERIFY(press(window, QPointF(102, 170)));
    QVERIFY(moveTo(window, QPointF(window->mapToGlobal(QPoint(-20, 70)))));
    QCOMPARE(QRect(window->pos(), window->size()), QRect(80, 100, 200, 150));
    QVERIFY(release(window, QPointF(0, 0)));

    QCursor::setPos(277, 170);
    QVERIFY(press(window, QPointF(277, 170)));
    QVERIFY(moveTo(window, QPointF(window->mapToGlobal(QPoint(250, 70)))));
    QCOMPARE(QRect(window->pos(), window->size()), QRect(80, 100, 200, 150));
}

void tst_FramelessHelper::pressOnDragWidgetInBandResizes()
{
    // The banner covers the top band; a press there must not start a move.
    QCursor::setPos(102, 120);
    QTest::mousePress(banner, Qt::LeftButton, Qt::NoModifier, QPoint(2, 20));
    QCOMPARE(banner->presses, 1);
    QTest::mouseMove(banner, QPoint(-18, 20));
    // The edge jumps to the pointer: the 2 pixels into the band are not kept.
    QCOMPARE(QRect(window->pos(), window->size()), QRect(82, 100, 218, 150));
    QTest::mouseRelease(banner, Qt::LeftButton, Qt::NoModifier, QPoint(-18, 20));
}

void tst_FramelessHelper::rightButtonNeverConsumed()
{
    QCursor::setPos(150, 110);
    press(banner, QPointF(150, 110), Qt::RightButton);
    QCOMPARE(banner->presses, 1);
    moveTo(banner, QPointF(200, 200), Qt::RightButton);
    QCOMPARE(window->pos(), startGeometry.topLeft());

    QCursor::setPos(102, 170);
    press(window, QPointF(102, 170), Qt::RightButton);
    moveTo(window, QPointF(50, 170), Qt::RightButton);
    QCOMPARE(QRect(window->pos(), window->size()), startGeometry);
}

void tst_FramelessHelper::inactiveWindowOnlyMoves()
{
    QWidget other;
    other.setGeometry(500, 400, 100, 100);
    activate(&other);
    QVERIFY(!window->isActiveWindow());

    QCOMPARE(pollRegion(QPoint(102, 170)), R_NONE);
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
    press(window, QPointF(102, 170));
    moveTo(window, QPointF(window->mapToGlobal(QPoint(-20, 70))));
    QCOMPARE(QRect(window->pos(), window->size()), startGeometry);

    QVERIFY(press(banner, QPointF(150, 110)));
    QVERIFY(moveTo(banner, QPointF(160, 130)));
    QCOMPARE(window->pos(), QPoint(110, 120));
}

void tst_FramelessHelper::maximizedWindowIsLeftAlone()
{
    window->setWindowState(Qt::WindowMaximized);
    QVERIFY(window->windowState().testFlag(Qt::WindowMaximized));
    QCOMPARE(pollRegion(window->frameGeometry().topLeft() + QPoint(1, 50)), R_NONE);
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);

    const QPoint pos = window->pos();
    press(banner, QPointF(window->mapToGlobal(QPoint(50, 10))));
    QCOMPARE(banner->presses, 1);
    moveTo(banner, QPointF(window->mapToGlobal(QPoint(90, 60))));
    QCOMPARE(window->pos(), pos);

    window->setWindowState(Qt::WindowNoState);
    QVERIFY(press(banner, QPointF(window->mapToGlobal(QPoint(50, 10)))));
}

void tst_FramelessHelper::lostReleaseEndsDrag()
{
    // Button-less moves reach a window only with tracking on, as the
    // question box has it.
    window->setMouseTracking(true);
    QVERIFY(press(banner, QPointF(150, 110)));
    QVERIFY(moveTo(banner, QPointF(160, 110)));
    QCOMPARE(window->pos(), QPoint(110, 100));
    // The release went to a child that kept it; the next move shows the
    // button is up, and the window must stay where it was put.
    moveTo(window, QPointF(250, 250), Qt::NoButton);
    QCOMPARE(window->pos(), QPoint(110, 100));
    moveTo(window, QPointF(260, 260), Qt::LeftButton);
    QCOMPARE(window->pos(), QPoint(110, 100));
}

QTEST_MAIN(tst_FramelessHelper)
#include "tst_framelesshelper.moc"
