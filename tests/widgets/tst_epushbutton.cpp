#include "epushbutton.h"

#include <QApplication>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

namespace {

class Pad : public QWidget
{
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};

QWidget *tipLabel()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("qtooltip_label") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

// Sends the tool-tip event the platform would send with the mouse at `at`.
bool askForTip(QWidget *button, QPoint at)
{
    QHelpEvent event(QEvent::ToolTip, at, button->mapToGlobal(at));
    return QApplication::sendEvent(button, &event);
}

} // namespace

class tst_EPushButton : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void tipAtFixedOffset_data();
    void tipAtFixedOffset();
    void emptyTipShowsNothing();
    void disabledButtonSwallowsClicks();
    void clicksStillWork();

private:
    Pad *pad = nullptr;
    EPushButton *button = nullptr;
};

void tst_EPushButton::init()
{
    pad = new Pad;
    pad->setGeometry(200, 200, 300, 200);
    button = new EPushButton(pad);
    button->setGeometry(100, 100, 54, 55);
    pad->show();
    QVERIFY(QTest::qWaitForWindowExposed(pad));
}

void tst_EPushButton::cleanup()
{
    QToolTip::hideText();
    delete pad;
}

void tst_EPushButton::tipAtFixedOffset_data()
{
    QTest::addColumn<QPoint>("offset");
    QTest::newRow("above") << QPoint(5, -50);
    QTest::newRow("straight above") << QPoint(0, -50);
    QTest::newRow("below left") << QPoint(-10, 12);
}

void tst_EPushButton::tipAtFixedOffset()
{
    QFETCH(QPoint, offset);

    // Where the tip lands for offset (0, 0): the toolkit adds its own small
    // shift, which is the same for every offset.
    button->setToolTip(QStringLiteral("reference"));
    QVERIFY(askForTip(button, QPoint(3, 3)));
    QWidget *tip = tipLabel();
    QVERIFY(tip);
    const QPoint reference = tip->pos();

    button->setTipOffset(offset.x(), offset.y());
    int n = 0;
    for (const QPoint mouse : {QPoint(1, 1), QPoint(50, 40), QPoint(27, 54)}) {
        // A new text each time, so the tip is placed anew rather than kept.
        button->setToolTip(QStringLiteral("Open %1").arg(++n));
        QVERIFY(askForTip(button, mouse));
        tip = tipLabel();
        QVERIFY(tip);
        QCOMPARE(QToolTip::text(), button->toolTip());
        QCOMPARE(tip->pos() - reference, offset);
    }
}

void tst_EPushButton::emptyTipShowsNothing()
{
    button->setToolTip(QString());
    button->setTipOffset(5, -50);
    QVERIFY(askForTip(button, QPoint(10, 10)));
    QVERIFY(!QToolTip::isVisible());
}

void tst_EPushButton::disabledButtonSwallowsClicks()
{
    QSignalSpy clicked(button, &QPushButton::clicked);
    button->setEnabled(false);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 0);
    // A disabled button must not let the press through to what lies below.
    QCOMPARE(pad->presses, 0);
}

void tst_EPushButton::clicksStillWork()
{
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(pad->presses, 0);
}

QTEST_MAIN(tst_EPushButton)
#include "tst_epushbutton.moc"
