// The page view: paging by slider and wheel, the highlighted row, the row
// texts, pending clicks while a dialog is open and books that lack records.

#include "editionrunner.h"
#include "editorfixture.h"
#include "framepacer.h"
#include "imagedifference.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QBackingStore>
#include <QFile>
#include <QLineEdit>

namespace {

// The codes of 15 menus from a menu index on, as the oven labels them.
QStringList codesFrom(int first)
{
    QStringList codes;
    for (int menu = first; menu < first + 15; ++menu) {
        if (menu < 99)
            codes.append(QStringLiteral("A-%1").arg(menu + 1, 2, 10, QLatin1Char('0')));
        else if (menu < 198)
            codes.append(QStringLiteral("b-%1").arg(menu - 98, 2, 10, QLatin1Char('0')));
        else
            codes.append(QStringLiteral("C-%1").arg(menu - 197, 2, 10, QLatin1Char('0')));
    }
    return codes;
}

MenuRecord addedMenu(const QString &code, const QString &name)
{
    MenuRecord record;
    record.code = code;
    record.name = name;
    return record;
}

} // namespace

class TstMainWindowPageView : public QObject
{
    Q_OBJECT

private slots:
    void sliderPages_data();
    void sliderPages();
    void wheelMovesOneMenuWithinTheBook();
    void keysMoveTheHighlight_data();
    void keysMoveTheHighlight();
    void fadedRowsLookAsQtDrawsThem();
    void selectionStaysOnItsRow();
    void rowTexts_data();
    void rowTexts();
    void pendingClicksWhileDialogOpen();
    void clickDuringQuestionKeepsMenu();
    void bookBuiltFromEmpty();
    void jumpToAppendedMenu();
};

void TstMainWindowPageView::sliderPages_data()
{
    QTest::addColumn<int>("firstShown");
    QTest::newRow("first page") << 0;
    QTest::newRow("across b-00") << 90;
    QTest::newRow("across C-00") << 190;
    QTest::newRow("last page") << 282;
}

void TstMainWindowPageView::sliderPages()
{
    QFETCH(int, firstShown);
    EditorFixture editor;
    editor.start();

    editor.showPageFrom(firstShown);
    QCOMPARE(editor.shownCodes(), codesFrom(firstShown));
    // The poll tick leaves a page that the slider set where it is.
    editor.window->on_highTimerEventProcess();
    QCOMPARE(editor.slider()->value(), 282 - firstShown);
    QCOMPARE(editor.shownCodes(), codesFrom(firstShown));
}

void TstMainWindowPageView::wheelMovesOneMenuWithinTheBook()
{
    EditorFixture editor;
    editor.start();

    editor.turnWheel(120);
    QCOMPARE(editor.shownCodes(), codesFrom(0));
    editor.turnWheel(-360);
    QCOMPARE(editor.shownCodes(), codesFrom(1));
    editor.window->on_highTimerEventProcess();
    QCOMPARE(editor.slider()->value(), 281);
    editor.turnWheel(0);
    QCOMPARE(editor.shownCodes(), codesFrom(1));

    editor.showPageFrom(282);
    editor.turnWheel(-120);
    QCOMPARE(editor.shownCodes(), codesFrom(282));
    editor.turnWheel(120);
    QCOMPARE(editor.shownCodes(), codesFrom(281));
}

void TstMainWindowPageView::keysMoveTheHighlight_data()
{
    QTest::addColumn<int>("firstShown");
    QTest::addColumn<int>("row"); // the highlighted row before the keys
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("expectedFirst");
    QTest::addColumn<int>("expectedRow");

    QTest::newRow("down") << 0 << 3 << QString() << "Down" << 0 << 4;
    QTest::newRow("up") << 0 << 3 << QString() << "Up" << 0 << 2;
    QTest::newRow("down off the page") << 0 << 15 << QString() << "Down, Down" << 2 << 15;
    QTest::newRow("up off the page, across b-00") << 100 << 1 << QString() << "Up" << 99 << 1;
    QTest::newRow("up at the first menu") << 0 << 1 << QString() << "Up" << 0 << 1;
    QTest::newRow("down at the last menu") << 282 << 15 << QString() << "Down" << 282 << 15;
    QTest::newRow("page down") << 0 << 3 << QString() << "PgDown" << 15 << 3;
    QTest::newRow("page down to the end") << 280 << 3 << QString() << "PgDown" << 282 << 15;
    QTest::newRow("page up") << 100 << 5 << QString() << "PgUp" << 85 << 5;
    QTest::newRow("home") << 100 << 5 << QString() << "Home" << 0 << 1;
    QTest::newRow("end") << 0 << 3 << QString() << "End" << 282 << 15;
    QTest::newRow("code typed") << 0 << 3 << QString() << "C, 5, 0" << 233 << 15;
    QTest::newRow("move down") << 0 << 15 << QString() << "Alt+Down" << 1 << 15;
    QTest::newRow("slider focused") << 0 << 3 << "verticalSlider"
                                    << "Down, Down" << 0 << 5;
    QTest::newRow("button focused") << 0 << 3 << "pushButtonEdit"
                                    << "Up" << 0 << 2;
}

void TstMainWindowPageView::keysMoveTheHighlight()
{
    QFETCH(int, firstShown);
    QFETCH(int, row);
    QFETCH(QString, focus);
    QFETCH(QString, keys);
    QFETCH(int, expectedFirst);
    QFETCH(int, expectedRow);
    EditorFixture editor;
    editor.start();
    editor.showPageFrom(firstShown);
    editor.clickRowText(row);
    if (!focus.isEmpty())
        editor.widget(focus)->setFocus();

    for (const QString &key : keys.split(QStringLiteral(", ")))
        editor.pressKey(key);
    QCOMPARE(editor.shownCodes(), codesFrom(expectedFirst));
    QCOMPARE(editor.selectedRow(), expectedRow);
    QCOMPARE(editor.selectedMenu(), expectedFirst + expectedRow - 1);
    // The slider follows with its next tick, as for the wheel.
    editor.window->on_highTimerEventProcess();
    QCOMPARE(editor.slider()->value(), 282 - expectedFirst);
    // A screen reader finds the same: one list of rows, the highlighted one
    // selected, the slider at the menu's place; the row's texts not again.
    const auto reader = [&](QWidget *widget) {
        return QAccessible::queryAccessibleInterface(widget);
    };
    QAccessibleInterface *rows = reader(editor.widget(QStringLiteral("menuRowList")));
    QCOMPARE(rows->childCount(), 15);
    QVERIFY(rows->child(expectedRow - 1)->state().selected);
    QVERIFY(!rows->child(expectedRow % 15)->state().selected);
    QCOMPARE(reader(editor.slider())->valueInterface()->currentValue(),
             expectedFirst + expectedRow);
    QCOMPARE(reader(editor.widget(QStringLiteral("centralWidget")))
                 ->indexOfChild(reader(editor.rowWidget("labelTag_", 1))),
             -1);

    // Nothing moves while the edit dialog holds the window; Escape quits
    // it and the keys are back on the rows.
    editor.click("pushButtonEdit");
    editor.pressKey(QStringLiteral("Down"));
    QCOMPARE(editor.selectedRow(), expectedRow);
    QTest::keyClick(editor.editDialog(), Qt::Key_Escape);
    QCOMPARE(editor.window->focusWidget(), editor.widget(QStringLiteral("menuRowList")));
}

// The rows fade straight into the window's backing store, their texts in a
// single pass; a grab draws every label through QLabel's paint and Qt's own
// opacity effect. Both must show the same window, after a page move too.
void TstMainWindowPageView::fadedRowsLookAsQtDrawsThem()
{
    EditorFixture editor;
    editor.start();
    QVERIFY(QTest::qWaitForWindowExposed(editor.window.get()));
    const FramePacer *pacer = editor.window->findChild<FramePacer *>();
    QVERIFY(pacer);
    for (int step = 0; step < 2; ++step) {
        editor.window->repaint();
        // A repaint within a frame of the last one is painted at the frame's end.
        QTRY_VERIFY(!pacer->isHoldingBack());
        QPaintDevice *store = editor.window->backingStore()->paintDevice();
        QVERIFY(store && store->devType() == QInternal::Image);
        const QImage onScreen = *static_cast<QImage *>(store);
        const ImageDifference difference =
            imageDifference(onScreen, editor.window->grab().toImage());
        // Text edges are smoothed against the window rather than a
        // transparent pixmap, which moves them a little (more for the
        // Chinese glyphs); a missing frame or a wrong fade is far above.
        QVERIFY2(difference.largest <= 24,
                 qPrintable(QStringLiteral("largest difference %1").arg(difference.largest)));
        QVERIFY2(difference.mean < 1.0,
                 qPrintable(QStringLiteral("mean difference %1").arg(difference.mean)));
        editor.turnWheel(-120);
    }
}

void TstMainWindowPageView::selectionStaysOnItsRow()
{
    EditorFixture editor;
    editor.start();

    editor.clickRowText(3, "labelTag_");
    QCOMPARE(editor.selectedRow(), 3);
    QCOMPARE(editor.selectedMenu(), 2);
    editor.turnWheel(-120);
    QCOMPARE(editor.selectedRow(), 3);
    QCOMPARE(editor.selectedMenu(), 3);

    editor.click("pushButtonEdit");
    QVERIFY(editor.editDialog());
    QCOMPARE(editor.editDialog()->findChild<QLineEdit *>("lineEditSubMenuCode")->text(),
             QStringLiteral("A-04"));
    QTest::mouseClick(editor.editDialog()->findChild<QPushButton *>("pushButtonClose"),
                      Qt::LeftButton);
    editor.flushDeletes();

    editor.showPageFrom(282);
    QCOMPARE(editor.selectedRow(), 3);
    QCOMPARE(editor.selectedMenu(), 284);
    QCOMPARE(editor.rowWidget("labelTag_", 3)->text(), QStringLiteral(" C-87"));
}

void TstMainWindowPageView::rowTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<int>>("stages"); // power, minutes, seconds of three stages
    QTest::addColumn<QStringList>("english");
    QTest::addColumn<QStringList>("chinese"); // name, three stages, total

    QTest::newRow("seconds add up") << QString() << QList<int>{0, 0, 99, 0, 0, 99, 0, 0, 99}
                                    << QStringList{"NO NAME", "P00, 0 min 99 s", "P00, 0 min 99 s",
                                                   "P00, 0 min 99 s", "4 min 57 s"}
                                    << QStringList{"未命名", "P00, 0 分 99 秒", "P00, 0 分 99 秒",
                                                   "P00, 0 分 99 秒", "4 分 57 秒"};
    QTest::newRow("named") << QStringLiteral("Pop Corn")
                           << QList<int>{10, 5, 30, 5, 2, 20, 1, 0, 45}
                           << QStringList{"Pop Corn", "P10, 5 min 30 s", "P05, 2 min 20 s",
                                          "P01, 0 min 45 s", "8 min 35 s"}
                           << QStringList{"Pop Corn", "P10, 5 分 30 秒", "P05, 2 分 20 秒",
                                          "P01, 0 分 45 秒", "8 分 35 秒"};
}

void TstMainWindowPageView::rowTexts()
{
    QFETCH(QString, name);
    QFETCH(QList<int>, stages);
    QFETCH(QStringList, english);
    QFETCH(QStringList, chinese);
    EditorFixture editor;
    editor.start();

    // The user opens a book in which menu A-02 has these values.
    MenuBook source = editor.book;
    MenuRecord &menu = source.menus[1];
    menu.name = name;
    for (int stage = 0; stage < 3; ++stage)
        menu.stages[stage] = {stages[3 * stage], stages[3 * stage + 1], stages[3 * stage + 2]};
    QFile file(editor.path(QStringLiteral("book.hex")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(source.menuFileText().toLatin1());
    file.close();
    editor.chooser.answers = {QStringLiteral("book.hex")};
    editor.click("pushButtonOpenFile");

    const QStringList expected = currentEdition() == Edition::Chinese ? chinese : english;
    QStringList shown;
    for (const char *stem : {"labelValue_", "labelSoftMinNum_", "labelSoftMaxNum_",
                             "labelHardMaxNum_", "labelTimeTag_"})
        shown.append(editor.rowWidget(stem, 2)->text());
    QCOMPARE(shown, expected);
    const QColor nameColour = name.isEmpty() ? QColor(Qt::darkGray) : QColor(Qt::black);
    QCOMPARE(editor.rowWidget("labelValue_", 2)->palette().color(QPalette::WindowText), nameColour);
}

void TstMainWindowPageView::pendingClicksWhileDialogOpen()
{
    EditorFixture editor;
    editor.start();
    editor.clickRowText(2);
    editor.click("pushButtonEdit");
    QVERIFY(editor.editDialog());

    // A click on a text selects nothing; one on a row's background waits.
    editor.clickRowText(7, "labelTimeTag_");
    editor.clickRowBackground(5);
    editor.clickRowBackground(9);
    editor.clickRowText(9, "labelSoftMinNum_"); // takes back the wait of row 9
    QCOMPARE(editor.selectedRow(), 2);

    QTest::mouseClick(editor.editDialog()->findChild<QPushButton *>("pushButtonClose"),
                      Qt::LeftButton);
    editor.flushDeletes();
    QCOMPARE(editor.selectedRow(), 2);

    // The next click joins the waiting one; the lower row loses.
    editor.clickRowBackground(3);
    QCOMPARE(editor.selectedRow(), 5);
    QCOMPARE(editor.selectedMenu(), 4);
    editor.clickRowBackground(3);
    QCOMPARE(editor.selectedRow(), 3);
}

void TstMainWindowPageView::clickDuringQuestionKeepsMenu()
{
    EditorFixture editor;
    editor.start();
    editor.showPageFrom(200);
    editor.clickRowText(8);
    editor.book.menus[MenuBook::positionOfMenu(207)].name = QStringLiteral("Soup");
    editor.book.menus[MenuBook::positionOfMenu(203)].name = QStringLiteral("Rice");

    editor.click("pushButtonDelete");
    editor.clickRowText(4);
    QCOMPARE(editor.selectedRow(), 8);
    editor.answerQuestion(true);

    QCOMPARE(editor.book.menus[MenuBook::positionOfMenu(207)].name, QString());
    QCOMPARE(editor.book.menus[MenuBook::positionOfMenu(203)].name, QStringLiteral("Rice"));
    QCOMPARE(editor.rowWidget("labelValue_", 4)->text(), QStringLiteral("Rice"));
}

void TstMainWindowPageView::bookBuiltFromEmpty()
{
    EditorFixture editor;
    editor.start();
    editor.showPageFrom(100);
    editor.chooser.answers = {QStringLiteral("new.hex")};
    editor.pressByKeyboard("pushButtonCreateNewFile");
    QCOMPARE(editor.shownCodes(), QStringList());
    editor.turnWheel(-120);
    editor.window->on_highTimerEventProcess();
    QVERIFY(!editor.slider()->isVisible());

    // Menus come back one by one; only rows with a record are shown, from
    // the first page on, whatever page was shown before.
    for (const char *code : {"#0001", "#0002", "#0003"})
        editor.book.appendMenu(addedMenu(QLatin1String(code), QStringLiteral("Tea")));
    editor.click("pushButtonDelete");
    editor.answerQuestion(false);
    QCOMPARE(editor.shownCodes(), (QStringList{"#0001", "#0002", "#0003"}));
    QCOMPARE(editor.selectedRow(), 1);
    QCOMPARE(editor.selectedMenu(), 0);

    editor.clickRowText(3);
    editor.click("pushButtonDelete");
    editor.answerQuestion(true);
    QCOMPARE(editor.book.menus[2].name, QString());
    QCOMPARE(editor.book.menus[1].name, QStringLiteral("Tea"));
}

void TstMainWindowPageView::jumpToAppendedMenu()
{
    EditorFixture editor;
    editor.start();
    editor.window->on_highTimerEventProcess();
    editor.click("pushButtonEdit");
    // The dialog's new-menu mode appends a record while it is open.
    editor.book.appendMenu(addedMenu(QStringLiteral("#0300"), QStringLiteral("Fish")));
    QTest::mouseClick(editor.editDialog()->findChild<QPushButton *>("pushButtonClose"),
                      Qt::LeftButton);
    editor.flushDeletes();

    // The newest menu is on the last row of the last page, highlighted.
    QStringList lastPage = codesFrom(283).mid(0, 14);
    lastPage.append(QStringLiteral("#0300"));
    QCOMPARE(editor.shownCodes(), lastPage);
    QCOMPARE(editor.selectedRow(), 15);
    QCOMPARE(editor.selectedMenu(), 297);
    editor.window->on_highTimerEventProcess();
    QCOMPARE(editor.slider()->value(), 0);
    QCOMPARE(editor.shownCodes(), lastPage);
    editor.turnWheel(-120);
    QCOMPARE(editor.shownCodes(), lastPage);

    // A question answered with Close leaves the page where it is.
    editor.clickRowText(2);
    editor.click("pushButtonDelete");
    editor.answerQuestion(false);
    QCOMPARE(editor.shownCodes(), lastPage);
    QCOMPARE(editor.selectedRow(), 2);
}

int main(int argc, char *argv[])
{
    return runInBothEditions<TstMainWindowPageView>(argc, argv);
}

#include "tst_mainwindowpageview.moc"
