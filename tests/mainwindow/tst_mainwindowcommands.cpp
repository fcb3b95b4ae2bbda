// The command buttons: Edit, Clear, Close, Add and the file commands with
// the hints they show.

#include "clearmenucommand.h"
#include "editionrunner.h"
#include "editorfixture.h"

#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Leaves a change unsaved, saved, or undone back to the saved book.
void changeBook(EditorFixture &editor, const QString &how)
{
    if (how.isEmpty())
        return;
    editor.book.menus[7].name = QStringLiteral("Tea");
    editor.document.push(new ClearMenuCommand(editor.book, 7));
    if (how == QLatin1String("saved"))
        editor.click("pushButtonSaveFile");
    else if (how == QLatin1String("undone"))
        editor.document.history().undo();
    editor.takeHints();
}

// The named menus as "code=name/power of the first stage".
QString namedMenus(const MenuBook &book)
{
    QStringList named;
    for (const MenuRecord &record : book.menus) {
        if (!record.name.isEmpty())
            named << record.code + u'=' + record.name + u'/' +
                         QString::number(record.stages[0].power);
    }
    return named.join(u' ');
}

} // namespace

class TstMainWindowCommands : public QObject
{
    Q_OBJECT

private slots:
    void editLocksButtonsUntilDialogCloses_data();
    void editLocksButtonsUntilDialogCloses();
    void clearQuestion_data();
    void clearQuestion();
    void closeQuestion_data();
    void closeQuestion();
    void addIsAlwaysOutOfRange();
    void emptyBookHasNothingToEditOrClear();
    void openFile_data();
    void openFile();
    void createFile_data();
    void createFile();
    void saveFile_data();
    void saveFile();
    void undoRedo_data();
    void undoRedo();
    void bulkCommands_data();
    void bulkCommands();
};

void TstMainWindowCommands::editLocksButtonsUntilDialogCloses_data()
{
    QTest::addColumn<QString>("key"); // none: the button is clicked
    QTest::newRow("click") << QString();
    QTest::newRow("keypad Enter") << QStringLiteral("Num+Enter");
}

void TstMainWindowCommands::editLocksButtonsUntilDialogCloses()
{
    QFETCH(QString, key);
    EditorFixture editor;
    editor.start();
    editor.showPageFrom(100);
    editor.clickRowText(3);
    const QList<bool> before = editor.commandStates();

    key.isEmpty() ? editor.click("pushButtonEdit") : editor.pressKey(key);
    EditDialog *dialog = editor.editDialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->findChild<QLineEdit *>("lineEditSubMenuCode")->text(), QStringLiteral("b-04"));
    QCOMPARE(editor.commandStates(), QList<bool>(9, false));

    QTest::keyClicks(dialog->findChild<QLineEdit *>("lineEditSubMenuName"), "Baked Fish");
    QTest::mouseClick(dialog->findChild<QPushButton *>("pushButtonApply"), Qt::LeftButton);
    editor.flushDeletes();

    QVERIFY(!editor.editDialog());
    QCOMPARE(editor.commandStates(), before);
    QCOMPARE(editor.book.menus[MenuBook::positionOfMenu(102)].name, QStringLiteral("Baked Fish"));
    QCOMPARE(editor.rowWidget("labelValue_", 3)->text(), QStringLiteral("Baked Fish"));
    QCOMPARE(editor.rowWidget("labelValue_", 3)->palette().color(QPalette::WindowText),
             QColor(Qt::black));
    QCOMPARE(editor.shownCodes().first(), QStringLiteral("b-02"));
    QCOMPARE(editor.selectedRow(), 3);
}

void TstMainWindowCommands::clearQuestion_data()
{
    QTest::addColumn<bool>("apply");
    QTest::addColumn<int>("pageWhileAsking"); // first menu shown by the slider, or -1 wheel step
    QTest::addColumn<QString>("firstShown");
    QTest::newRow("apply") << true << 200 << "C-03";
    QTest::newRow("close") << false << 200 << "C-03";
    // Paging while the question is open moves the highlight with its row,
    // but the answer stays with the menu it was asked about.
    QTest::newRow("apply after a wheel step") << true << -1 << "C-04";
    QTest::newRow("apply after the slider moved") << true << 150 << "b-52";
}

void TstMainWindowCommands::clearQuestion()
{
    QFETCH(bool, apply);
    QFETCH(int, pageWhileAsking);
    QFETCH(QString, firstShown);
    EditorFixture editor;
    editor.start();
    const int c10 = MenuBook::positionOfMenu(207);
    for (MenuRecord &record : editor.book.menus)
        record.name = QStringLiteral("Kept");
    editor.book.menus[c10].name = QStringLiteral("Soup");
    editor.book.menus[c10].stages[1] = {7, 3, 20};
    editor.showPageFrom(200);
    editor.clickRowText(8);
    QCOMPARE(editor.rowWidget("labelValue_", 8)->text(), QStringLiteral("Soup"));

    editor.click("pushButtonDelete");
    QVERIFY(editor.questionBox());
    QCOMPARE(editor.commandStates(), QList<bool>(9, false));
    if (pageWhileAsking < 0)
        editor.turnWheel(-120);
    else
        editor.showPageFrom(pageWhileAsking);
    editor.answerQuestion(apply);

    QCOMPARE(editor.commandStates(), QList<bool>(9, true));
    QVERIFY(editor.window->isVisible());
    QCOMPARE(editor.shownCodes().first(), firstShown);
    QCOMPARE(editor.selectedRow(), 8);
    if (apply) {
        for (int p = 0; p < editor.book.menus.size(); ++p)
            QCOMPARE(editor.book.menus[p].name.isEmpty(), p == c10);
        QCOMPARE(editor.book.menus[c10].stages[1], MenuStage());
        QCOMPARE(editor.book.menus[c10].code, QStringLiteral("C-10"));
        editor.showPageFrom(200);
        QCOMPARE(editor.rowWidget("labelValue_", 8)->text(), inEdition("NO NAME", "未命名"));
        QCOMPARE(editor.rowWidget("labelSoftMaxNum_", 8)->text(),
                 inEdition("P00, 0 min 0 s", "P00, 0 分 0 秒"));
        QCOMPARE(editor.takeHints(), QList<int>{LHINT_DRUG_DELETE});
    } else {
        QCOMPARE(editor.book.menus[c10].name, QStringLiteral("Soup"));
        QCOMPARE(editor.takeHints(), QList<int>());
    }
}

void TstMainWindowCommands::closeQuestion_data()
{
    QTest::addColumn<bool>("apply");
    QTest::addColumn<QString>("change");
    QTest::newRow("apply") << true << QString();
    QTest::newRow("close") << false << QString();
    QTest::newRow("apply, unsaved") << true << "unsaved";
    QTest::newRow("close, saved") << false << "saved";
    QTest::newRow("close, undone back to saved") << false << "undone";
    QTest::newRow("apply, unsaved, language.ini of older editors") << true << "unsaved, ini";
}

void TstMainWindowCommands::closeQuestion()
{
    QFETCH(bool, apply);
    QFETCH(QString, change);
    EditorFixture editor;
    QFile ini(editor.path(QStringLiteral("language.ini")));
    if (change.endsWith(QLatin1String(", ini"))) {
        QVERIFY(ini.open(QIODevice::WriteOnly) && ini.write("[LANGUAGE]\nTYPE=EN\n") > 0);
        ini.close();
        change.chop(5);
    }
    editor.start();
    changeBook(editor, change);
    const bool unsaved = change == QLatin1String("unsaved");
    QCOMPARE(editor.window->isWindowModified(), unsaved);

    editor.click("pushButtonClose");
    EMessageBox *question = editor.questionBox();
    QVERIFY(question);
    QCOMPARE(question->findChild<QLabel *>("labelHint")->text(),
             unsaved ? inEdition("Close without saving the changes?", "不保存更改并关闭？")
                     : inEdition("Sure to Close?", "关闭编辑工具？"));
    editor.answerQuestion(apply);

    QCOMPARE(editor.window->isVisible(), !apply);
    if (apply)
        return;
    // The pending close is dropped by the next command.
    editor.click("pushButtonSaveFile");
    QCOMPARE(editor.takeHints(), QList<int>{LHINT_FILE_SAVED});
    QVERIFY(editor.window->isVisible());
    QCOMPARE(editor.commandStates(), QList<bool>(9, true));
}

void TstMainWindowCommands::addIsAlwaysOutOfRange()
{
    EditorFixture editor;
    editor.start();
    editor.pressByKeyboard("pushButtonEditAdd");
    QCOMPARE(editor.takeHints(), QList<int>{LHINT_MENU_SIZE_OUT_OF_RANGE});
    QVERIFY(!editor.editDialog());
    QCOMPARE(editor.commandStates(), QList<bool>(9, true));
}

void TstMainWindowCommands::emptyBookHasNothingToEditOrClear()
{
    EditorFixture editor;
    editor.start();
    editor.chooser.answers = {QStringLiteral("empty.hex")};
    editor.pressByKeyboard("pushButtonCreateNewFile");
    QCOMPARE(editor.takeHints(), QList<int>());

    editor.click("pushButtonEdit");
    editor.click("pushButtonDelete");
    QCOMPARE(editor.takeHints(), (QList<int>{LHINT_NO_DRUGS, LHINT_NO_DRUGS}));
    QVERIFY(!editor.editDialog());
    QVERIFY(!editor.questionBox());
    QCOMPARE(editor.commandStates(), QList<bool>(9, true));
}

void TstMainWindowCommands::openFile_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QList<int>>("hints");
    QTest::addColumn<bool>("opened");
    // How the book is chosen: the Open button, or named on the command line;
    // or the button after a change (unsaved: asked first, answered with opened).
    QTest::addColumn<QString>("how");

    QTest::newRow("cancelled") << QString() << QList<int>{LHINT_FILE_PATH_INVALID} << false
                               << QString();
    QTest::newRow("readable") << QStringLiteral("other.hex") << QList<int>() << true << QString();
    QTest::newRow("missing") << QStringLiteral("missing.hex")
                             << QList<int>{LHINT_FILE_OPEN_FAILED_BAD_DATAS} << false << QString();
    QTest::newRow("folder") << QStringLiteral("folder.hex")
                            << QList<int>{LHINT_FILE_OPEN_FAILED_BAD_DATAS} << false << QString();
    QTest::newRow("named, readable")
        << QStringLiteral("other.hex") << QList<int>() << true << QStringLiteral("named");
    QTest::newRow("named, missing")
        << QStringLiteral("missing.hex") << QList<int>{LHINT_FILE_OPEN_FAILED_BAD_DATAS} << false
        << QStringLiteral("named");
    QTest::newRow("readable, unsaved, discarded")
        << "other.hex" << QList<int>() << true << "unsaved";
    QTest::newRow("readable, unsaved, kept") << "other.hex" << QList<int>() << false << "unsaved";
    QTest::newRow("readable, saved") << "other.hex" << QList<int>() << true << "saved";
    QTest::newRow("readable, undone back to saved")
        << "other.hex" << QList<int>() << true << "undone";
}

void TstMainWindowCommands::openFile()
{
    QFETCH(QString, answer);
    QFETCH(QList<int>, hints);
    QFETCH(bool, opened);
    QFETCH(QString, how);
    EditorFixture editor;
    editor.start();
    const bool named = how == QLatin1String("named");
    changeBook(editor, named ? QString() : how);
    MenuBook other = editor.book;
    other.menus[0].name = QStringLiteral("Other Book");
    QFile file(editor.path(QStringLiteral("other.hex")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(other.menuFileText().toLatin1());
    file.close();
    QVERIFY(QDir(editor.folder.path()).mkdir(QStringLiteral("folder.hex")));

    editor.book.menus[1].name = QStringLiteral("Unsaved");
    editor.showPageFrom(40);
    editor.clickRowText(6);
    editor.chooser.answers = {answer};
    if (!named)
        editor.click("pushButtonOpenFile");
    else
        editor.window->openBook(answer);
    if (how == QLatin1String("unsaved")) {
        QCOMPARE(editor.questionBox()->findChild<QLabel *>("labelHint")->text(),
                 inEdition("Discard the unsaved changes?", "放弃未保存的更改？"));
        editor.answerQuestion(opened);
    }

    QCOMPARE(editor.takeHints(), hints);
    QCOMPARE(editor.book.currentPath, opened ? answer : QStringLiteral("menufile.hex"));
    editor.window->on_highTimerEventProcess();
    if (opened) {
        QCOMPARE(editor.book.menus[0].name, QStringLiteral("Other Book"));
        QCOMPARE(editor.book.menus[1].name, QString());
        QCOMPARE(editor.shownCodes().first(), QStringLiteral("A-01"));
        QCOMPARE(editor.rowWidget("labelValue_", 1)->text(), QStringLiteral("Other Book"));
        QCOMPARE(editor.selectedRow(), 1);
        QCOMPARE(editor.selectedMenu(), 0);
        QCOMPARE(editor.slider()->value(), 282);
    } else {
        QCOMPARE(editor.book.menus.size(), 299);
        QCOMPARE(editor.book.menus[1].name, QStringLiteral("Unsaved"));
        QCOMPARE(editor.shownCodes().first(), QStringLiteral("A-41"));
        QCOMPARE(editor.selectedRow(), 6);
        QCOMPARE(editor.selectedMenu(), 45);
    }
    QCOMPARE(editor.commandStates(), QList<bool>(9, true));
}

void TstMainWindowCommands::createFile_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("created");
    QTest::addColumn<QString>("key");

    QTest::newRow("cancelled") << QString() << false << QString();
    QTest::newRow("named") << QStringLiteral("new.hex") << true << QString();
    QTest::newRow("no such folder")
        << QStringLiteral("no/such/folder/new.hex") << false << QString();
    QTest::newRow("Ctrl+N") << QStringLiteral("new.hex") << true << QStringLiteral("Ctrl+N");
}

void TstMainWindowCommands::createFile()
{
    QFETCH(QString, answer);
    QFETCH(bool, created);
    QFETCH(QString, key);
    EditorFixture editor;
    editor.start();
    editor.showPageFrom(10);
    editor.chooser.answers = {answer};
    key.isEmpty() ? editor.pressByKeyboard("pushButtonCreateNewFile") : editor.pressKey(key);

    QCOMPARE(editor.commandStates(), QList<bool>(9, true));
    editor.window->on_highTimerEventProcess();
    if (created) {
        QCOMPARE(editor.takeHints(), QList<int>());
        QVERIFY(editor.book.menus.isEmpty());
        QCOMPARE(editor.shownCodes(), QStringList());
        QVERIFY(!editor.slider()->isVisible());
        QVERIFY(QFile::exists(editor.path(answer)));
    } else {
        QCOMPARE(editor.takeHints(), QList<int>{LHINT_FILE_NOT_CREATED});
        QCOMPARE(editor.book.menus.size(), 299);
        QCOMPARE(editor.shownCodes().first(), QStringLiteral("A-11"));
        QVERIFY(editor.slider()->isVisible());
    }
}

void TstMainWindowCommands::saveFile_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("hint");
    QTest::addColumn<QString>("key");

    QTest::newRow("save") << "pushButtonSaveFile" << QString() << int(LHINT_FILE_SAVED)
                          << QString();
    QTest::newRow("save to a vanished folder")
        << "pushButtonSaveFile" << QStringLiteral("gone") << int(LHINT_FILE_NOT_SAVED) << QString();
    QTest::newRow("save as cancelled")
        << "pushButtonSaveNewFile" << QString() << int(LHINT_FILE_NOT_SAVED) << QString();
    QTest::newRow("save as") << "pushButtonSaveNewFile" << QStringLiteral("copy.hex")
                             << int(LHINT_FILE_SAVED) << QString();
    QTest::newRow("save as into no folder")
        << "pushButtonSaveNewFile" << QStringLiteral("no/folder/copy.hex")
        << int(LHINT_FILE_NOT_SAVED) << QString();
    QTest::newRow("Ctrl+Shift+S") << "pushButtonSaveNewFile" << QStringLiteral("copy.hex")
                                  << int(LHINT_FILE_SAVED) << QStringLiteral("Ctrl+Shift+S");
    // The user's file is safe; only the copy the next start-up loads is not.
    QTest::newRow("save, working copy refused") << "pushButtonSaveFile" << QStringLiteral("blocked")
                                                << int(LHINT_WORKING_COPY_NOT_SAVED) << QString();
    QTest::newRow("save as, working copy refused")
        << "pushButtonSaveNewFile" << QStringLiteral("blocked") << int(LHINT_WORKING_COPY_NOT_SAVED)
        << QString();
}

void TstMainWindowCommands::saveFile()
{
    QFETCH(QString, command);
    QFETCH(QString, answer);
    QFETCH(int, hint);
    QFETCH(QString, key);
    EditorFixture editor;
    editor.start();
    editor.book.menus[4].name = QStringLiteral("Milk");
    const QByteArray before = fileBytes(editor.path(QStringLiteral("menufile.hex")));

    if (answer == QLatin1String("gone")) {
        // Save goes to a file whose folder was removed after Save As chose it.
        QVERIFY(QDir(editor.folder.path()).mkdir(QStringLiteral("gone")));
        editor.chooser.answers = {QStringLiteral("gone/book.hex")};
        editor.click("pushButtonSaveNewFile");
        QCOMPARE(editor.takeHints(), QList<int>{LHINT_FILE_SAVED});
        QVERIFY(QDir(editor.path(QStringLiteral("gone"))).removeRecursively());
    } else if (answer == QLatin1String("blocked")) {
        // A folder where the working copy stood: no write can replace it.
        editor.book.currentPath = QStringLiteral("book.hex");
        editor.chooser.answers = {QStringLiteral("book.hex")};
        QVERIFY(QFile::remove(editor.path(QStringLiteral("menufile.hex"))));
        QVERIFY(QDir(editor.folder.path()).mkdir(QStringLiteral("menufile.hex")));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Cannot write")));
    } else {
        editor.chooser.answers = {answer};
    }
    key.isEmpty() ? editor.click(command.toLatin1().constData()) : editor.pressKey(key);

    QCOMPARE(editor.takeHints(), QList<int>{hint});
    const QByteArray workingCopy = fileBytes(editor.path(QStringLiteral("menufile.hex")));
    if (hint == LHINT_FILE_SAVED) {
        QVERIFY(workingCopy.contains("Milk"));
        if (!answer.isEmpty())
            QCOMPARE(fileBytes(editor.path(answer)), workingCopy);
    } else if (hint == LHINT_WORKING_COPY_NOT_SAVED) {
        QVERIFY(fileBytes(editor.path(QStringLiteral("book.hex"))).contains("Milk"));
        QCOMPARE(editor.book.currentPath, QStringLiteral("book.hex"));
    } else if (command == QLatin1String("pushButtonSaveNewFile") && answer.isEmpty()) {
        QCOMPARE(workingCopy, before);
    } else if (command == QLatin1String("pushButtonSaveNewFile")) {
        // A refused Save As still keeps the working copy current.
        QVERIFY(workingCopy.contains("Milk"));
        QCOMPARE(editor.book.currentPath, QStringLiteral("menufile.hex"));
    }
    QCOMPARE(editor.commandStates(), QList<bool>(9, true));
}

void TstMainWindowCommands::undoRedo_data()
{
    QTest::addColumn<QString>("redoKey");
    QTest::newRow("Ctrl+Y") << QStringLiteral("Ctrl+Y");
    QTest::newRow("Ctrl+Shift+Z") << QStringLiteral("Ctrl+Shift+Z");
}

void TstMainWindowCommands::undoRedo()
{
    QFETCH(QString, redoKey);
    EditorFixture editor;
    editor.start();
    const int b04 = MenuBook::positionOfMenu(102);
    const int c10 = MenuBook::positionOfMenu(207);
    editor.book.menus[c10].name = QStringLiteral("Soup");
    editor.showPageFrom(100);
    editor.clickRowText(3);
    editor.pressKey(QStringLiteral("Return"));
    QTest::keyClicks(editor.editDialog()->findChild<QLineEdit *>("lineEditSubMenuName"), "Tea");
    QTest::mouseClick(editor.editDialog()->findChild<QPushButton *>("pushButtonApply"),
                      Qt::LeftButton);
    editor.flushDeletes();
    editor.showPageFrom(200);
    editor.clickRowText(8);
    editor.pressKey(QStringLiteral("Delete"));
    editor.answerQuestion(true);
    QCOMPARE(editor.book.menus[c10].name, QString());

    // Each undo shows its menu, paging no further than needed, highlighted.
    editor.showPageFrom(282);
    editor.pressKey(QStringLiteral("Ctrl+Z"));
    QCOMPARE(editor.book.menus[c10].name, QStringLiteral("Soup"));
    QCOMPARE(editor.shownCodes().first(), QStringLiteral("C-10"));
    QCOMPARE(editor.selectedRow(), 1);
    QCOMPARE(editor.rowWidget("labelValue_", 1)->text(), QStringLiteral("Soup"));
    editor.pressKey(QStringLiteral("Ctrl+Z"));
    QCOMPARE(editor.book.menus[b04].name, QString());
    QCOMPARE(editor.shownCodes().first(), QStringLiteral("b-04"));
    QCOMPARE(editor.selectedMenu(), 102);
    editor.pressKey(redoKey);
    QCOMPARE(editor.book.menus[b04].name, QStringLiteral("Tea"));
    QCOMPARE(editor.rowWidget("labelValue_", 1)->text(), QStringLiteral("Tea"));

    // Nothing while a question holds the buttons; Save writes what is shown.
    editor.pressKey(QStringLiteral("Delete"));
    editor.pressKey(QStringLiteral("Ctrl+Z"));
    QCOMPARE(editor.book.menus[b04].name, QStringLiteral("Tea"));
    editor.answerQuestion(false);
    editor.pressKey(QStringLiteral("Ctrl+Z"));
    editor.pressKey(QStringLiteral("Ctrl+S"));
    QVERIFY(!fileBytes(editor.path(QStringLiteral("menufile.hex"))).contains("Tea"));
    QVERIFY(fileBytes(editor.path(QStringLiteral("menufile.hex"))).contains("Soup"));

    // Another book starts a fresh history.
    editor.pressKey(redoKey);
    editor.chooser.answers = {QStringLiteral("menufile.hex")};
    editor.pressKey(QStringLiteral("Ctrl+O"));
    editor.answerQuestion(true);
    editor.pressKey(QStringLiteral("Ctrl+Z"));
    QCOMPARE(editor.book.menus[b04].name, QString());
    QCOMPARE(editor.book.menus[c10].name, QStringLiteral("Soup"));
}

void TstMainWindowCommands::bulkCommands_data()
{
    // The book holds Soup, Rice and Roast (b-01), each at P05;
    // keys are pressed from the highlighted menu (index start) on, and
    // "menu ROW KEY" right-clicks row ROW (or with ROW Shift+F10 presses
    // that on the highlighted row) and picks the entry showing KEY.
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("book");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("hint"); // the hint's text; empty: none
    const QString named = QStringLiteral("A-01=Soup/5 A-05=Rice/5 b-01=Roast/5");
    QTest::newRow("paste two rows over b-00")
        << 98 << "Tea\t#0099\t10\t2\t30\t0\t0\t0\t0\t0\t0\n\"Jam\",3,0,9,0,0,0,0,0,0\n"
        << "Ctrl+V" << named.left(23) + " A-99=Tea/10 b-01=Jam/3"
        << "b-01"
        << "";
    QTest::newRow("paste refused by a timing rule")
        << 1 << "Tea\t10\t2\t30\t0\t0\t0\t0\t0\t0\nJam\t10\t16\t0\t0\t0\t0\t0\t0\t0"
        << "Shift+Ins" << named << "A-02"
        << "Line 2: P10 over 15 min in one stage";
    QTest::newRow("paste of 11 cells without a number")
        << 1 << "\nTea\t10\t2\t30\t0\t0\t0\t0\t0\t0\t7"
        << "Ctrl+V" << named << "A-02"
        << "Line 2: 11 cells need #NNNN second";
    QTest::newRow("paste past C-99") << 296 << "Tea,1,1,1,0,0,0,0,0,0\nJam,1,1,1,0,0,0,0,0,0"
                                     << "Ctrl+V" << named << "C-99"
                                     << "Line 2: past C-99, the last menu";
    QTest::newRow("copy, paste further down")
        << 4 << QString() << "Ctrl+C, Down, Down, Ctrl+V"
        << named.left(23) + " A-07=Rice/5" + named.mid(23) << "A-07"
        << "";
    QTest::newRow("duplicate into the next empty menu")
        << 0 << QString() << "Ctrl+D"
        << "A-01=Soup/5 A-02=Soup/5" + named.mid(11) << "A-02"
        << "";
    QTest::newRow("duplicate without an empty menu after it")
        << 296 << QString() << "Ctrl+D" << named << "C-99"
        << "MENU Size is Out of Range!";
    QTest::newRow("move up across b-00")
        << 99 << QString() << "Alt+Up" << named.left(23) + " A-99=Roast/5"
        << "A-99"
        << "";
    QTest::newRow("find, F3 wraps") << 0 << QString() << "R, F3, F3" << named << "A-05"
                                    << "";
    QTest::newRow("find: beginnings first, then inside names")
        << 4 << QString() << "S, F3" << named << "b-01"
        << "";
    QTest::newRow("find nothing: the highlight stays") << 4 << QString() << "X" << named << "A-05"
                                                       << "";
    QTest::newRow("context menu selects, then duplicates")
        << 0 << QString() << "menu 5 Ctrl+D" << named.left(23) + " A-06=Rice/5" + named.mid(23)
        << "A-06"
        << "";
    QTest::newRow("context menu by Shift+F10")
        << 4 << QString() << "menu Shift+F10 Ctrl+D"
        << named.left(23) + " A-06=Rice/5" + named.mid(23) << "A-06"
        << "";
    QTest::newRow("print without the print plugin")
        << 4 << QString() << "menu 1 Ctrl+P" << named << "A-05" << "No Valid Printer!";
    QTest::newRow("context menu: nothing above the first menu")
        << 0 << QString() << "menu 1 Alt+Up" << named << "A-01"
        << "";
    QTest::newRow("nothing while a question is open")
        << 4 << "Tea,1,1,1,0,0,0,0,0,0"
        << "Delete, Ctrl+V, Ctrl+D, Alt+Down, S, F3, Shift+F10, no" << named << "A-05"
        << "";
}

void TstMainWindowCommands::bulkCommands()
{
    QFETCH(int, start);
    QFETCH(QString, clipboard);
    QFETCH(QString, keys);
    QFETCH(QString, book);
    QFETCH(QString, selected);
    QFETCH(QString, hint);
    EditorFixture editor;
    editor.start();
    editor.window->setSheetPluginPath(editor.path(QStringLiteral("missing/plugin.so")));
    const std::pair<int, const char *> menus[] = {{0, "Soup"}, {4, "Rice"}, {99, "Roast"}};
    for (const auto &[menu, name] : menus) {
        MenuRecord &record = editor.book.menus[MenuBook::positionOfMenu(menu)];
        record = {record.number, record.code, QString::fromLatin1(name), {{{5, 1, 0}}}};
    }
    editor.showPageFrom(std::min(start, 282));
    editor.clickRowText(start - std::min(start, 282) + 1);
    QGuiApplication::clipboard()->setText(clipboard);

    for (const QString &key : keys.split(QStringLiteral(", "))) {
        const QStringList words = key.split(u' ');
        if (key == QLatin1String("no")) {
            editor.answerQuestion(false);
        } else if (words.size() == 3) {
            if (words[1] == QLatin1String("Shift+F10"))
                editor.pressKey(words[1]);
            else
                QTest::mouseClick(editor.rowWidget("labelValue_", words[1].toInt()),
                                  Qt::RightButton);
            QMenu *menu = nullptr;
            QTRY_VERIFY((menu = editor.window->findChild<QMenu *>("rowMenu")) && menu->isVisible());
            for (QAction *entry : menu->actions()) {
                if (entry->text().endsWith(u'\t' + words[2]))
                    entry->trigger();
            }
            menu->close();
        } else {
            editor.pressKey(key);
        }
    }
    QCOMPARE(namedMenus(editor.book), book);
    QCOMPARE(editor.rowWidget("labelTag_", editor.selectedRow())->text().trimmed(), selected);
    // In the running edition: "Line 2: ..." stands for the window's "Line %1: ...".
    static const QRegularExpression line(QStringLiteral("^Line (\\d+):"));
    const QRegularExpressionMatch lineMatch = line.match(hint);
    const QString shown =
        lineMatch.hasMatch()
            ? QCoreApplication::translate(
                  "MainWindow", QString(hint).replace(line, QStringLiteral("Line %1:")).toUtf8())
                  .replace(QStringLiteral("%1"), lineMatch.captured(1))
            : QCoreApplication::translate("ESelfDeleteHintBox", hint.toUtf8());
    QCOMPARE(editor.takeHintTexts(), hint.isEmpty() ? QStringList() : QStringList{shown});
    if (keys.startsWith(QLatin1String("Ctrl+C"))) {
        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(copied->text(), QStringLiteral("Rice\t#0005\t5\t1\t0\t0\t0\t0\t0\t0\t0\n"));
        QCOMPARE(copied->data("text/csv"), QByteArray("Rice,#0005,5,1,0,0,0,0,0,0,0\r\n"));
    }
    // Each change is one step back and forth.
    editor.pressKey(QStringLiteral("Ctrl+Z"));
    QCOMPARE(namedMenus(editor.book), QStringLiteral("A-01=Soup/5 A-05=Rice/5 b-01=Roast/5"));
    editor.pressKey(QStringLiteral("Ctrl+Y"));
    QCOMPARE(namedMenus(editor.book), book);
}

int main(int argc, char *argv[])
{
    return runInBothEditions<TstMainWindowCommands>(argc, argv);
}

#include "tst_mainwindowcommands.moc"
