// A paced window repaints at most once per screen frame and always ends up
// showing its latest state.

#include "framepacer.h"

#include <QElapsedTimer>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <cmath>

namespace {

class PaintLog : public QWidget
{
public:
    QElapsedTimer clock;
    QList<qint64> paints;

protected:
    void paintEvent(QPaintEvent *) override { paints.append(clock.elapsed()); }
};

} // namespace

class TstFramePacer : public QObject
{
    Q_OBJECT

private slots:
    void repaintsOncePerFrame();
};

void TstFramePacer::repaintsOncePerFrame()
{
    PaintLog window;
    window.clock.start();
    window.resize(120, 80);
    new FramePacer(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const int frame = int(std::floor(1000.0 / window.screen()->refreshRate()));

    // After a quiet spell a change is painted at once.
    QTest::qWait(4 * frame);
    window.paints.clear();
    window.update();
    QCoreApplication::processEvents();
    QCOMPARE(window.paints.size(), 1);
    window.paints.clear();

    // A change every 2 ms for 30 frames: at most one paint per frame.
    qint64 lastChange = 0;
    QElapsedTimer burst;
    for (burst.start(); burst.elapsed() < 30 * frame;) {
        window.update();
        lastChange = window.clock.elapsed();
        QTest::qWait(2);
    }
    // Held back, never dropped: the last change is painted in the end. The
    // burst was painted while it went on, not only after it, however slow
    // the machine.
    QTRY_VERIFY(window.paints.last() >= lastChange);
    QVERIFY2(window.paints.size() > 1 && window.paints.first() < lastChange,
             qPrintable(QString::number(window.paints.size())));
    for (int i = 1; i < window.paints.size(); ++i)
        QVERIFY(window.paints[i] - window.paints[i - 1] >= frame - 1);
}

QTEST_MAIN(TstFramePacer)
#include "tst_framepacer.moc"
