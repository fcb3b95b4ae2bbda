#include "edition.h"
#include "emessagebox.h"
#include "epushbutton.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(Edition)

namespace {

bool deletedNow(QPointer<EMessageBox> &box)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return box.isNull();
}

} // namespace

class tst_EMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void form_data();
    void form();
    void answers_data();
    void answers();
    void keysOnButtons_data();
    void keysOnButtons();
    void keypadEnterDoesNothing_data();
    void keypadEnterDoesNothing();
    void windowSystemCloseAnswersNo();
    void dragsByItsBody();

private:
    EMessageBox *ask();

    QWidget *window = nullptr;
};

void tst_EMessageBox::init()
{
    window = new QWidget;
    window->setGeometry(100, 100, 600, 400);
    window->show();
}

void tst_EMessageBox::cleanup()
{
    delete window;
    setEdition(Edition::English);
}

EMessageBox *tst_EMessageBox::ask()
{
    auto *box = new EMessageBox(window, QStringLiteral("Warning"),
                                QStringLiteral("Sure to Clear this MENU?"));
    box->show();
    box->activateWindow();
    return box;
}

void tst_EMessageBox::form_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<QString>("quit");
    QTest::addColumn<QString>("confirm");
    QTest::newRow("English") << Edition::English << QStringLiteral("Quit")
                             << QStringLiteral("Confirm");
    QTest::newRow("Chinese") << Edition::Chinese << QStringLiteral("退出")
                             << QStringLiteral("确认");
}

void tst_EMessageBox::form()
{
    QFETCH(Edition, edition);
    QFETCH(QString, quit);
    QFETCH(QString, confirm);
    QVERIFY(setEdition(edition));

    EMessageBox *box = ask();
    QCOMPARE(box->size(), QSize(300, 150));
    QCOMPARE(box->minimumSize(), QSize(300, 150));
    QCOMPARE(box->maximumSize(), QSize(300, 150));
    QVERIFY(box->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(!box->isModal());
    auto *banner = box->findChild<QLabel *>(QStringLiteral("labelBanner"));
    auto *title = box->findChild<QLabel *>(QStringLiteral("labelTitile"));
    auto *hint = box->findChild<QLabel *>(QStringLiteral("labelHint"));
    auto *logo = box->findChild<QLabel *>(QStringLiteral("labelLogoPic"));
    QVERIFY(banner && title && hint && logo);
    QCOMPARE(title->parentWidget(), banner);
    QCOMPARE(logo->parentWidget(), banner);
    QVERIFY(title->isVisible());
    QVERIFY(logo->isVisible());
    QCOMPARE(title->text(), QStringLiteral("Warning"));
    QCOMPARE(hint->text(), QStringLiteral("Sure to Clear this MENU?"));
    QCOMPARE(title->mapTo(box, QPoint(0, 0)), QPoint(42, 4));

    auto *apply = box->findChild<EPushButton *>(QStringLiteral("pushButtonApply"));
    auto *close = box->findChild<EPushButton *>(QStringLiteral("pushButtonClose"));
    QVERIFY(apply && close);
    QCOMPARE(apply->toolTip(), confirm);
    QCOMPARE(close->toolTip(), quit);
    QVERIFY(close->styleSheet().contains(QLatin1String(":/image/delete_blue.png")));
}

void tst_EMessageBox::answers_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("apply");
    QTest::newRow("Apply") << QStringLiteral("pushButtonApply") << true;
    QTest::newRow("Close") << QStringLiteral("pushButtonClose") << false;
}

void tst_EMessageBox::answers()
{
    QFETCH(QString, button);
    QFETCH(bool, apply);

    QPointer<EMessageBox> box = ask();
    QSignalSpy applied(box.data(), &EMessageBox::applied);
    QSignalSpy released(box.data(), &EMessageBox::releaseDialog);
    // A directly connected receiver still sees the box on screen.
    int visibleAtSignal = 0;
    const auto seen = [&] {
        visibleAtSignal += box->isVisible() ? 1 : 0;
    };
    connect(box, &EMessageBox::applied, this, seen);
    connect(box, &EMessageBox::releaseDialog, this, seen);

    QTest::mouseClick(box->findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(applied.count(), apply ? 1 : 0);
    QCOMPARE(released.count(), apply ? 0 : 1);
    QCOMPARE(visibleAtSignal, 1);
    QVERIFY(!box->isVisible());
    QVERIFY(deletedNow(box));
}

void tst_EMessageBox::keysOnButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("apply");
    QTest::newRow("Return on Apply")
        << QStringLiteral("pushButtonApply") << int(Qt::Key_Return) << true;
    QTest::newRow("Enter on Close")
        << QStringLiteral("pushButtonClose") << int(Qt::Key_Enter) << false;
    QTest::newRow("Space on Close")
        << QStringLiteral("pushButtonClose") << int(Qt::Key_Space) << false;
    QTest::newRow("Escape answers Close")
        << QStringLiteral("pushButtonApply") << int(Qt::Key_Escape) << false;
}

void tst_EMessageBox::keysOnButtons()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(bool, apply);

    QPointer<EMessageBox> box = ask();
    QSignalSpy applied(box.data(), &EMessageBox::applied);
    QSignalSpy released(box.data(), &EMessageBox::releaseDialog);
    auto *target = box->findChild<QPushButton *>(button);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(applied.count(), apply ? 1 : 0);
    QCOMPARE(released.count(), apply ? 0 : 1);
    QVERIFY(deletedNow(box));
}

void tst_EMessageBox::keypadEnterDoesNothing_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
}

void tst_EMessageBox::keypadEnterDoesNothing()
{
    QFETCH(int, key);
    QPointer<EMessageBox> box = ask();
    QSignalSpy applied(box.data(), &EMessageBox::applied);
    QSignalSpy released(box.data(), &EMessageBox::releaseDialog);
    QTest::keyClick(box.data(), Qt::Key(key));
    QVERIFY(box->isVisible());
    QVERIFY(!deletedNow(box));
    QCOMPARE(applied.count() + released.count(), 0);
}

void tst_EMessageBox::windowSystemCloseAnswersNo()
{
    QPointer<EMessageBox> box = ask();
    QSignalSpy applied(box.data(), &EMessageBox::applied);
    QSignalSpy released(box.data(), &EMessageBox::releaseDialog);
    // What the window system's close command does: the opener must get its
    // buttons back rather than wait for an answer that never comes.
    box->close();
    QCOMPARE(applied.count(), 0);
    QCOMPARE(released.count(), 1);
    QVERIFY(deletedNow(box));
}

void tst_EMessageBox::dragsByItsBody()
{
    EMessageBox *box = ask();
    QVERIFY(QTest::qWaitForWindowActive(box));
    const QPoint start = box->pos();
    QCursor::setPos(box->mapToGlobal(QPoint(50, 120)));

    QTest::mousePress(box, Qt::LeftButton, Qt::NoModifier, QPoint(50, 120));
    QTest::mouseMove(box, QPoint(80, 140));
    QCOMPARE(box->pos(), start + QPoint(30, 20));
    QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, QPoint(50, 120));

    // By the question text, which lies over the body.
    auto *hint = box->findChild<QLabel *>(QStringLiteral("labelHint"));
    QTest::mousePress(hint, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QTest::mouseMove(hint, QPoint(10, 20));
    QCOMPARE(box->pos(), start + QPoint(20, 20));
    QTest::mouseRelease(hint, Qt::LeftButton, Qt::NoModifier, QPoint(10, 20));
    // The label kept that release; the box must not chase the pointer now.
    QMouseEvent hover(QEvent::MouseMove, QPointF(100, 130),
                      QPointF(box->mapToGlobal(QPoint(100, 130))), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(box, &hover);
    QCOMPARE(box->pos(), start + QPoint(20, 20));

    // A press on a button is the button's.
    auto *apply = box->findChild<QPushButton *>(QStringLiteral("pushButtonApply"));
    QTest::mousePress(apply, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseMove(apply, QPoint(30, 30));
    QCOMPARE(box->pos(), start + QPoint(20, 20));
}

QTEST_MAIN(tst_EMessageBox)
#include "tst_emessagebox.moc"
