#include "editdialog.h"
#include "edition.h"
#include "eselfdeletehintbox.h"
#include "menubook.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString codeOfNumber(int number)
{
    if (number < 100)
        return QString::asprintf("A-%02d", number);
    if (number < 200)
        return QString::asprintf("b-%02d", number - 100);
    return QString::asprintf("C-%02d", number - 200);
}

// A loaded book: 299 records whose stages differ from record to record and
// all keep the timing rules, so an untouched menu can always be applied.
MenuBook loadedBook()
{
    MenuBook book;
    for (int number = 1; number <= MenuBook::RecordCount; ++number) {
        MenuRecord record;
        record.number = number;
        record.code = codeOfNumber(number);
        record.name = QStringLiteral("Menu %1").arg(QChar(u'A' + number % 26));
        for (int s = 0; s < 3; ++s)
            record.stages[s] = {(number + s) % 11, (number + s) % 8, (number * 7 + s) % 60};
        book.menus.append(record);
    }
    book.menus[0].stages = {{{10, 1, 5}, {0, 2, 30}, {5, 0, 99}}};
    return book;
}

bool chinese()
{
    return currentEdition() == Edition::Chinese;
}

QString inEdition(const QString &english, const QString &chineseText)
{
    return chinese() ? chineseText : english;
}

int powerOfItem(const QString &item)
{
    return item.mid(1).toInt();
}

} // namespace

class tst_EditDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newMenuModeShowsAnEmptyMenu();
    void formTexts_data();
    void formTexts();
    void tabOrder();
    void setMenuLoadsTheRecord_data();
    void setMenuLoadsTheRecord();
    void setMenuOutsideTheBookKeepsNewMenuMode();
    void totalFollowsTyping();
    void typingRefused_data();
    void typingRefused();
    void keysThatLeaveTheDialogOpen_data();
    void keysThatLeaveTheDialogOpen();
    void timingRules_data();
    void timingRules();
    void editModeReplacesOnlyItsSlot();
    void nameEdits_data();
    void nameEdits();
    void newMenuModeAppendsARecord();
    void releaseDialogOncePerClose_data();
    void releaseDialogOncePerClose();
    void languageIni_data();
    void languageIni();

private:
    void openDialog();
    template <typename T> T *widget(const QString &name) const;
    QLineEdit *field(const char *pattern, int stage) const;
    QComboBox *powerCombo(int stage) const;
    void typeInto(QLineEdit *lineEdit, const QString &text);
    void choosePower(QComboBox *combo, const QString &item);
    void enterStages(const QStringList &stages);
    void processDeferredDeletes();

    MenuBook book;
    QPointer<EditDialog> dialog;
};

void tst_EditDialog::openDialog()
{
    delete dialog;
    dialog = new EditDialog(book);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
}

template <typename T> T *tst_EditDialog::widget(const QString &name) const
{
    T *found = dialog->findChild<T *>(name);
    if (!found)
        qFatal("no widget %s", qPrintable(name));
    return found;
}

QLineEdit *tst_EditDialog::field(const char *pattern, int stage) const
{
    return widget<QLineEdit>(QString::asprintf(pattern, stage + 1));
}

QComboBox *tst_EditDialog::powerCombo(int stage) const
{
    return widget<QComboBox>(QString::asprintf("comboBoxStage%02dPowerLevel", stage + 1));
}

void tst_EditDialog::typeInto(QLineEdit *lineEdit, const QString &text)
{
    lineEdit->setFocus();
    QTest::keyClick(lineEdit, Qt::Key_End);
    QTest::keyClick(lineEdit, Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClick(lineEdit, Qt::Key_Backspace);
    QTest::keyClicks(lineEdit, text);
}

void tst_EditDialog::choosePower(QComboBox *combo, const QString &item)
{
    QTest::keyClick(combo, Qt::Key_Home);
    for (int step = 0; step < combo->count() && combo->currentText() != item; ++step)
        QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->currentText(), item);
}

// Nine entries: power item, minutes and seconds of stages 1, 2 and 3.
void tst_EditDialog::enterStages(const QStringList &stages)
{
    for (int stage = 0; stage < 3; ++stage) {
        choosePower(powerCombo(stage), stages[stage * 3]);
        typeInto(field("lineEditStage%02dTimeMin", stage), stages[stage * 3 + 1]);
        typeInto(field("lineEditStage%02dTimeSec", stage), stages[stage * 3 + 2]);
    }
}

void tst_EditDialog::processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void tst_EditDialog::init()
{
    book = loadedBook();
    openDialog();
}

void tst_EditDialog::cleanup()
{
    delete dialog;
    processDeferredDeletes();
}

void tst_EditDialog::newMenuModeShowsAnEmptyMenu()
{
    QCOMPARE(widget<QLineEdit>("lineEditSubMenuCode")->text(), QStringLiteral("#0300"));
    QVERIFY(!widget<QLineEdit>("lineEditSubMenuCode")->isEnabled());
    QVERIFY(widget<QLineEdit>("lineEditSubMenuName")->text().isEmpty());
    for (int stage = 0; stage < 3; ++stage) {
        QCOMPARE(powerCombo(stage)->currentText(), QStringLiteral("P10"));
        QCOMPARE(powerCombo(stage)->count(), 11);
        QCOMPARE(powerCombo(stage)->itemText(10), QStringLiteral("P00"));
        QCOMPARE(field("lineEditStage%02dTimeMin", stage)->text(), QStringLiteral("0"));
        QCOMPARE(field("lineEditStage%02dTimeSec", stage)->text(), QStringLiteral("0"));
    }
    QCOMPARE(widget<QLabel>("labelTotalTimeValue")->text(),
             inEdition(QStringLiteral("0 min 0 s"), QStringLiteral("0 分 0 秒")));
}

void tst_EditDialog::formTexts_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QString>("englishText");
    QTest::addColumn<QString>("chineseText");

    const auto row = [](const char *name, const char *property, const char *english,
                        const char *chinese) {
        QTest::newRow(name) << name << QByteArray(property) << english << chinese;
    };
    row("labelSubMenuName", "text", "Name", "菜单名称");
    row("lineEditSubMenuName", "placeholderText", "NO NAME", "未命名");
    row("labelSubMenuCodeTitle", "text", "Code", "菜单编号");
    row("labelStageNoTitle", "text", "Stage", "阶段编号");
    row("labelPowerLevelTitle", "text", "Power Level", "阶段火力");
    row("labelTimeTitle", "text", "Stage Time", "阶段时长    ");
    row("labelStageNo02", "text", "#2", "#2");
    row("labelStage03TimeMinUnit", "text", "min", "分");
    row("labelStage01TimeSecUnit", "text", "sec", "秒");
    row("labelTotalTimeTag", "text", "Total Time：", "菜单总时间：");
    row("pushButtonClose", "toolTip", "Quit", "退出");
    row("pushButtonApply", "toolTip", "Confirm", "确认");
}

void tst_EditDialog::formTexts()
{
    QFETCH(QString, objectName);
    QFETCH(QByteArray, property);
    QFETCH(QString, englishText);
    QFETCH(QString, chineseText);

    QCOMPARE(widget<QWidget>(objectName)->property(property.constData()).toString(),
             inEdition(englishText, chineseText));
}

void tst_EditDialog::tabOrder()
{
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    const QStringList order{
        "lineEditSubMenuName",    "comboBoxStage01PowerLevel", "lineEditStage01TimeMin",
        "lineEditStage01TimeSec", "comboBoxStage02PowerLevel", "lineEditStage02TimeMin",
        "lineEditStage02TimeSec", "comboBoxStage03PowerLevel", "lineEditStage03TimeMin",
        "lineEditStage03TimeSec", "pushButtonApply",           "pushButtonClose"};
    widget<QWidget>(order.first())->setFocus();
    for (const QString &name : order) {
        QCOMPARE(QApplication::focusWidget(), widget<QWidget>(name));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

void tst_EditDialog::setMenuLoadsTheRecord_data()
{
    QTest::addColumn<int>("menuIndex");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("code");

    QTest::newRow("first") << 0 << 0 << "A-01";
    QTest::newRow("first of b") << 99 << 100 << "b-01";
    QTest::newRow("first of C") << 198 << 200 << "C-01";
}

void tst_EditDialog::setMenuLoadsTheRecord()
{
    QFETCH(int, menuIndex);
    QFETCH(int, position);
    QFETCH(QString, code);

    QSignalSpy concentration(dialog.data(), &EditDialog::updateConcentration);
    dialog->setMenu(menuIndex);

    const MenuRecord &record = book.menus.at(position);
    QCOMPARE(concentration.count(), 1);
    QCOMPARE(widget<QLineEdit>("lineEditSubMenuCode")->text(), code);
    QVERIFY(!widget<QLineEdit>("lineEditSubMenuCode")->isEnabled());
    QCOMPARE(widget<QLineEdit>("lineEditSubMenuName")->text(), record.name);
    for (int stage = 0; stage < 3; ++stage) {
        const MenuStage &loaded = record.stages[stage];
        QCOMPARE(powerCombo(stage)->currentText(), QString::asprintf("P%02d", loaded.power));
        QCOMPARE(field("lineEditStage%02dTimeMin", stage)->text(), QString::number(loaded.minutes));
        QCOMPARE(field("lineEditStage%02dTimeSec", stage)->text(), QString::number(loaded.seconds));
    }
}

void tst_EditDialog::setMenuOutsideTheBookKeepsNewMenuMode()
{
    book.menus.clear();
    openDialog();
    dialog->setMenu(0);
    QCOMPARE(widget<QLineEdit>("lineEditSubMenuCode")->text(), QStringLiteral("#0001"));

    QTest::mouseClick(widget<QPushButton>("pushButtonApply"), Qt::LeftButton);
    QCOMPARE(book.menus.size(), 1);
    QCOMPARE(book.menus.first().number, 1);
    QCOMPARE(book.menus.first().code, QStringLiteral("#0001"));
}

void tst_EditDialog::totalFollowsTyping()
{
    QLabel *total = widget<QLabel>("labelTotalTimeValue");
    typeInto(field("lineEditStage%02dTimeSec", 0), QStringLiteral("99"));
    QCOMPARE(total->text(), inEdition(QStringLiteral("1 min 39 s"), QStringLiteral("1 分 39 秒")));
    typeInto(field("lineEditStage%02dTimeMin", 1), QStringLiteral("1"));
    typeInto(field("lineEditStage%02dTimeSec", 1), QStringLiteral("30"));
    typeInto(field("lineEditStage%02dTimeMin", 2), QString());
    typeInto(field("lineEditStage%02dTimeSec", 2), QString());
    QCOMPARE(total->text(), inEdition(QStringLiteral("3 min 9 s"), QStringLiteral("3 分 9 秒")));
}

void tst_EditDialog::typingRefused_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    const auto row = [](const char *name, const char *field, const char *typed, const char *shown) {
        QTest::newRow(name) << field << typed << shown;
    };
    row("digit in name", "lineEditSubMenuName", "Rice2 bowl", "Rice bowl");
    row("17th character", "lineEditSubMenuName", "abcdefghijklmnopq", "abcdefghijklmnop");
    row("Chinese in name", "lineEditSubMenuName", "Rice 米饭", "Rice ");
    row("third digit", "lineEditStage01TimeMin", "123", "12");
    row("letter or sign in time", "lineEditStage03TimeSec", "-4x5", "45");
    row("code field", "lineEditSubMenuCode", "A", "#0300");
}

void tst_EditDialog::typingRefused()
{
    QFETCH(QString, objectName);
    QFETCH(QString, typed);
    QFETCH(QString, shown);

    QLineEdit *lineEdit = widget<QLineEdit>(objectName);
    if (lineEdit->isEnabled())
        typeInto(lineEdit, QString());
    // Chinese arrives through the input method, one committed character at a time.
    for (const QChar c : typed) {
        if (c.unicode() < 128) {
            QTest::keyClick(lineEdit, c.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(c);
            QApplication::sendEvent(lineEdit, &commit);
        }
    }
    QCOMPARE(lineEdit->text(), shown);
}

void tst_EditDialog::keysThatLeaveTheDialogOpen_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");

    const auto row = [](const char *name, const char *target, Qt::Key key,
                        Qt::KeyboardModifiers modifiers) {
        QTest::newRow(name) << target << int(key) << int(modifiers);
    };
    row("keypad Enter in a time field", "lineEditStage03TimeMin", Qt::Key_Enter,
        Qt::KeypadModifier);
}

void tst_EditDialog::keysThatLeaveTheDialogOpen()
{
    QFETCH(QString, objectName);
    QFETCH(int, key);
    QFETCH(int, modifiers);

    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QSignalSpy released(dialog.data(), &EditDialog::releaseDialog);
    const QList<MenuRecord> before = book.menus;
    QWidget *target = widget<QWidget>(objectName);
    target->setFocus();

    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    processDeferredDeletes();

    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(released.count(), 0);
    QCOMPARE(book.menus, before);
}

void tst_EditDialog::timingRules_data()
{
    QTest::addColumn<QStringList>("stages");
    QTest::addColumn<int>("hint"); // -1: the menu is stored

    const auto row = [](const char *name, const QStringList &stages, int hint) {
        QTest::newRow(name) << stages << hint;
    };
    row("P10 25 min in three stages", {"P10", "15", "0", "P10", "5", "0", "P10", "5", "0"}, -1);
    row("P10 25 min 1 s", {"P10", "15", "0", "P10", "10", "1", "P00", "0", "0"},
        LHINT_P10_MENU_OVER_25MIN);
    row("P10 stage 15:01", {"P10", "15", "1", "P09", "10", "0", "P01", "0", "0"},
        LHINT_P10_STAGE_OVER_15MIN);
    row("P10 stage 14:61", {"P05", "0", "0", "P10", "14", "61", "P05", "0", "0"},
        LHINT_P10_STAGE_OVER_15MIN);
    row("P10 stage 14:60", {"P05", "0", "0", "P10", "14", "60", "P05", "0", "0"}, -1);
    row("P10 stage 26:00, sum first", {"P10", "26", "0", "P05", "0", "0", "P05", "0", "0"},
        LHINT_P10_MENU_OVER_25MIN);
    row("P05 60:00", {"P05", "60", "0", "P05", "0", "0", "P05", "0", "0"}, -1);
    row("P05 60:01", {"P05", "60", "1", "P05", "0", "0", "P05", "0", "0"}, LHINT_STAGE_OVER_60MIN);
    row("P05 59:61", {"P08", "0", "0", "P08", "0", "0", "P05", "59", "61"}, LHINT_STAGE_OVER_60MIN);
    row("P00 99:99", {"P00", "99", "99", "P00", "0", "0", "P00", "0", "0"}, LHINT_STAGE_OVER_60MIN);
    row("three P09 hours", {"P09", "60", "0", "P09", "60", "0", "P09", "60", "0"}, -1);
    row("P10 stage before other stage", {"P10", "16", "0", "P03", "61", "0", "P00", "0", "0"},
        LHINT_P10_STAGE_OVER_15MIN);
    row("empty fields", {"P07", "", "", "P10", "", "30", "P00", "2", ""}, -1);
    row("seconds as typed", {"P10", "0", "99", "P02", "7", "75", "P00", "", "0"}, -1);
}

void tst_EditDialog::timingRules()
{
    QFETCH(QStringList, stages);
    QFETCH(int, hint);

    QSignalSpy released(dialog.data(), &EditDialog::releaseDialog);
    const QList<MenuRecord> before = book.menus;
    typeInto(widget<QLineEdit>("lineEditSubMenuName"), QStringLiteral("Popcorn"));
    enterStages(stages);

    QTest::mouseClick(widget<QPushButton>("pushButtonApply"), Qt::LeftButton);
    processDeferredDeletes();

    if (hint >= 0) {
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(released.count(), 0);
        QCOMPARE(book.menus, before);
        const QList<ESelfDeleteHintBox *> shown = dialog->findChildren<ESelfDeleteHintBox *>();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first()->hintId(), hint);
        QCOMPARE(widget<QLineEdit>("lineEditSubMenuName")->text(), QStringLiteral("Popcorn"));
        for (int stage = 0; stage < 3; ++stage) {
            QCOMPARE(powerCombo(stage)->currentText(), stages[stage * 3]);
            QCOMPARE(field("lineEditStage%02dTimeMin", stage)->text(), stages[stage * 3 + 1]);
            QCOMPARE(field("lineEditStage%02dTimeSec", stage)->text(), stages[stage * 3 + 2]);
        }
        return;
    }

    QVERIFY(!dialog);
    QCOMPARE(released.count(), 1);
    QCOMPARE(book.menus.size(), before.size() + 1);
    const MenuRecord &stored = book.menus.last();
    QCOMPARE(stored.name, QStringLiteral("Popcorn"));
    for (int stage = 0; stage < 3; ++stage) {
        QCOMPARE(stored.stages[stage].power, powerOfItem(stages[stage * 3]));
        QCOMPARE(stored.stages[stage].minutes, stages[stage * 3 + 1].toInt());
        QCOMPARE(stored.stages[stage].seconds, stages[stage * 3 + 2].toInt());
    }
}

void tst_EditDialog::editModeReplacesOnlyItsSlot()
{
    dialog->setMenu(99);
    typeInto(widget<QLineEdit>("lineEditSubMenuName"), QStringLiteral("Hot Soup"));
    choosePower(powerCombo(1), QStringLiteral("P04"));
    typeInto(field("lineEditStage%02dTimeMin", 1), QStringLiteral("12"));
    typeInto(field("lineEditStage%02dTimeSec", 1), QStringLiteral("5"));
    QList<MenuRecord> expected = book.menus;
    expected[100].name = QStringLiteral("Hot Soup");
    expected[100].stages[1] = {4, 12, 5};

    QTest::mouseClick(widget<QPushButton>("pushButtonApply"), Qt::LeftButton);

    QCOMPARE(book.menus, expected);
    QCOMPARE(book.menus[100].number, 101);
    QCOMPARE(book.menus[100].code, QStringLiteral("b-01"));
}

void tst_EditDialog::nameEdits_data()
{
    // Keys typed from the end of the loaded name: \b is Backspace, < Left,
    // ^ Home, } Shift+Right, ~ Ctrl+Z, \x01 selects all.
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("stored");
    const QString whole = QStringLiteral("Slow Roast Chicken Thighs");
    const auto row = [](const char *name, const QString &loaded, const char *keys,
                        const QString &stored) {
        QTest::newRow(name) << loaded << keys << stored;
    };
    row("backspace inside", "Pizza", "<<\b\biz", "Pizza");
    row("typed before", "Fish", "^Big ", "Big Fish");
    row("selection replaced", "Roast Beef", "^}}}}}Cold", "Cold Beef");
    row("field's own undo", "Pizza", "<<\bx~~", "Pizza");
    row("typed at the limit", "abcdefghijklmno", "^XY", "Xabcdefghijklmno");
    // Files may hold longer names than anyone can type; the reader accepts them.
    row("long, unchanged", whole, "", whole);
    row("long, one more letter refused", whole, "s", whole);
    row("long, shortened and lengthened to its length", whole, "\b\b\b\b\b\b\bXYZ",
        "Slow Roast ChickenXYZ");
    row("long, retyped within its length", whole, "\001abcdefghijklmnopqrstuvwxyz",
        "abcdefghijklmnopqrstuvwxy");
}

void tst_EditDialog::nameEdits()
{
    QFETCH(QString, loaded);
    QFETCH(QString, keys);
    QFETCH(QString, stored);
    book.menus[5].name = loaded;
    dialog->setMenu(5);
    QLineEdit *name = widget<QLineEdit>("lineEditSubMenuName");
    QCOMPARE(name->text(), loaded);

    name->setFocus();
    name->end(false);
    for (const QChar c : keys) {
        if (c == u'\b')
            QTest::keyClick(name, Qt::Key_Backspace);
        else if (c == u'<')
            QTest::keyClick(name, Qt::Key_Left);
        else if (c == u'^')
            QTest::keyClick(name, Qt::Key_Home);
        else if (c == u'}')
            QTest::keyClick(name, Qt::Key_Right, Qt::ShiftModifier);
        else if (c == u'~')
            QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
        else if (c == u'\x01')
            QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        else
            QTest::keyClick(name, c.toLatin1());
    }
    typeInto(field("lineEditStage%02dTimeMin", 0), QStringLiteral("3"));
    QTest::mouseClick(widget<QPushButton>("pushButtonApply"), Qt::LeftButton);

    QCOMPARE(book.menus[5].name, stored);
    QCOMPARE(book.menus[5].stages[0].minutes, 3);
}

void tst_EditDialog::newMenuModeAppendsARecord()
{
    typeInto(widget<QLineEdit>("lineEditSubMenuName"), QStringLiteral("Tea"));
    const QList<MenuRecord> before = book.menus;

    QTest::mouseClick(widget<QPushButton>("pushButtonApply"), Qt::LeftButton);

    QCOMPARE(book.menus.size(), 300);
    QCOMPARE(book.menus.mid(0, 299), before);
    MenuRecord expected;
    expected.number = 300;
    expected.code = QStringLiteral("#0300");
    expected.name = QStringLiteral("Tea");
    expected.stages = {{{10, 0, 0}, {10, 0, 0}, {10, 0, 0}}};
    QCOMPARE(book.menus.last(), expected);
}

void tst_EditDialog::releaseDialogOncePerClose_data()
{
    QTest::addColumn<QString>("how");

    QTest::newRow("close button") << "close";
    QTest::newRow("successful apply") << "apply";
    QTest::newRow("Return applies") << "return";
    QTest::newRow("closed by the window system") << "system";
    // Escape quits as the close button does, wherever the focus is.
    QTest::newRow("Escape in the name") << "lineEditSubMenuName";
    QTest::newRow("Escape on a power level") << "comboBoxStage01PowerLevel";
}

void tst_EditDialog::releaseDialogOncePerClose()
{
    QFETCH(QString, how);

    QSignalSpy released(dialog.data(), &EditDialog::releaseDialog);
    if (how == QLatin1String("close"))
        QTest::mouseClick(widget<QPushButton>("pushButtonClose"), Qt::LeftButton);
    else if (how == QLatin1String("apply"))
        QTest::mouseClick(widget<QPushButton>("pushButtonApply"), Qt::LeftButton);
    else if (how == QLatin1String("return"))
        QTest::keyClick(widget<QLineEdit>("lineEditStage02TimeSec"), Qt::Key_Return);
    else if (how == QLatin1String("system"))
        dialog->close();
    else
        QTest::keyClick(widget<QWidget>(how), Qt::Key_Escape);
    QCOMPARE(released.count(), 1);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(book.menus.size(),
             how == QLatin1String("apply") || how == QLatin1String("return") ? 300 : 299);

    // Whatever else reaches the closing dialog, the opener hears it once.
    dialog->close();
    processDeferredDeletes();
    QVERIFY(!dialog);
    QCOMPARE(released.count(), 1);
}

void tst_EditDialog::languageIni_data()
{
    QTest::addColumn<QByteArray>("ini"); // empty: no file
    QTest::addColumn<bool>("builtIn");
    QTest::addColumn<QStringList>("fromFile"); // name, code, close tip, apply tip

    const QByteArray allKeys = "[EDIT_DIALOG]\nDRUGNAME=Dish\nSHORTNAME=Slot\n"
                               "[HOVER_TIPS]\nCLOSE=Leave\nAPPLY=Keep\n";
    QTest::newRow("no file") << QByteArray() << true << QStringList();
    QTest::newRow("lower-case en") << "[LANGUAGE]\nTYPE=en\n" + allKeys << true << QStringList();
    QTest::newRow("EN with all keys") << "[LANGUAGE]\nTYPE=EN\n" + allKeys << false
                                      << QStringList{"Dish", "Slot", "Leave", "Keep"};
    QTest::newRow("EN without keys")
        << QByteArray("[LANGUAGE]\nTYPE=EN\n") << false << QStringList{"", "", "", ""};
}

void tst_EditDialog::languageIni()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, builtIn);
    QFETCH(QStringList, fromFile);

    QTemporaryDir workDir;
    QVERIFY(workDir.isValid());
    const QString previousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(workDir.path()));
    if (!ini.isEmpty()) {
        QFile file(QStringLiteral("language.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ini);
    }
    openDialog();
    QDir::setCurrent(previousDir);

    const QStringList shown{widget<QLabel>("labelSubMenuName")->text(),
                            widget<QLabel>("labelSubMenuCodeTitle")->text(),
                            widget<QWidget>("pushButtonClose")->toolTip(),
                            widget<QWidget>("pushButtonApply")->toolTip()};
    if (builtIn) {
        QCOMPARE(shown, chinese() ? QStringList({"菜单名称", "菜单编号", "退出", "确认"})
                                  : QStringList({"Name", "Code", "Quit", "Confirm"}));
    } else {
        QCOMPARE(shown, fromFile);
    }
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tst_EditDialog test;
    int failures = 0;
    for (Edition edition : {Edition::English, Edition::Chinese}) {
        if (!setEdition(edition)) {
            qCritical("edition %d is not linked in", int(edition));
            return 1;
        }
        qInfo("edition: %s", edition == Edition::Chinese ? "Chinese" : "English");
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures;
}

#include "tst_editdialog.moc"
