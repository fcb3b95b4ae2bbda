// The command buttons: Edit, Clear, Close, Add and the file commands with
// the hints they show.

#include "editionrunner.h"
#include "editorfixture.h"

#include <QFile>
#include <QLineEdit>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TstMainWindowCommands : public QObject
{
    Q_OBJECT

private slots:
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
};

void TstMainWindowCommands::editLocksButtonsUntilDialogCloses()
{
    EditorFixture editor;
    editor.start();
    editor.showPageFrom(100);
    editor.clickRowText(3);
    const QList<bool> before = editor.commandStates();

    editor.click("pushButtonEdit");
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
    QTest::newRow("apply") << true;
    QTest::newRow("close") << false;
}

void TstMainWindowCommands::clearQuestion()
{
    QFETCH(bool, apply);
    EditorFixture editor;
    editor.start();
    const int c10 = MenuBook::positionOfMenu(207);
    editor.book.menus[c10].name = QStringLiteral("Soup");
    editor.book.menus[c10].stages[1] = {7, 3, 20};
    editor.showPageFrom(200);
    editor.clickRowText(8);
    QCOMPARE(editor.rowWidget("labelValue_", 8)->text(), QStringLiteral("Soup"));

    editor.click("pushButtonDelete");
    QVERIFY(editor.questionBox());
    QCOMPARE(editor.commandStates(), QList<bool>(9, false));
    editor.answerQuestion(apply);

    QCOMPARE(editor.commandStates(), QList<bool>(9, true));
    QVERIFY(editor.window->isVisible());
    QCOMPARE(editor.shownCodes().first(), QStringLiteral("C-03"));
    QCOMPARE(editor.selectedRow(), 8);
    if (apply) {
        QCOMPARE(editor.book.menus[c10].name, QString());
        QCOMPARE(editor.book.menus[c10].stages[1], MenuStage());
        QCOMPARE(editor.book.menus[c10].code, QStringLiteral("C-10"));
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
    QTest::newRow("apply") << true;
    QTest::newRow("close") << false;
}

void TstMainWindowCommands::closeQuestion()
{
    QFETCH(bool, apply);
    EditorFixture editor;
    editor.start();

    editor.click("pushButtonClose");
    EMessageBox *question = editor.questionBox();
    QVERIFY(question);
    QCOMPARE(question->findChild<QLabel *>("labelHint")->text(),
             inEdition("Sure to Close?", "关闭编辑工具？"));
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
    // Named on the command line instead of chosen in the dialog.
    QTest::addColumn<bool>("named");

    QTest::newRow("cancelled") << QString() << QList<int>{LHINT_FILE_PATH_INVALID} << false
                               << false;
    QTest::newRow("readable") << QStringLiteral("other.hex") << QList<int>() << true << false;
    QTest::newRow("missing") << QStringLiteral("missing.hex")
                             << QList<int>{LHINT_FILE_OPEN_FAILED_BAD_DATAS} << false << false;
    QTest::newRow("folder") << QStringLiteral("folder.hex")
                            << QList<int>{LHINT_FILE_OPEN_FAILED_BAD_DATAS} << false << false;
    QTest::newRow("named, readable") << QStringLiteral("other.hex") << QList<int>() << true << true;
    QTest::newRow("named, missing")
        << QStringLiteral("missing.hex") << QList<int>{LHINT_FILE_OPEN_FAILED_BAD_DATAS} << false
        << true;
}

void TstMainWindowCommands::openFile()
{
    QFETCH(QString, answer);
    QFETCH(QList<int>, hints);
    QFETCH(bool, opened);
    QFETCH(bool, named);
    EditorFixture editor;
    editor.start();
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
    if (named) {
        editor.window->openBook(answer);
    } else {
        editor.chooser.answers = {answer};
        editor.click("pushButtonOpenFile");
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

    QTest::newRow("cancelled") << QString() << false;
    QTest::newRow("named") << QStringLiteral("new.hex") << true;
    QTest::newRow("no such folder") << QStringLiteral("no/such/folder/new.hex") << false;
}

void TstMainWindowCommands::createFile()
{
    QFETCH(QString, answer);
    QFETCH(bool, created);
    EditorFixture editor;
    editor.start();
    editor.showPageFrom(10);
    editor.chooser.answers = {answer};
    editor.pressByKeyboard("pushButtonCreateNewFile");

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

    QTest::newRow("save") << "pushButtonSaveFile" << QString() << int(LHINT_FILE_SAVED);
    QTest::newRow("save to a vanished folder")
        << "pushButtonSaveFile" << QStringLiteral("gone") << int(LHINT_FILE_NOT_SAVED);
    QTest::newRow("save as cancelled")
        << "pushButtonSaveNewFile" << QString() << int(LHINT_FILE_NOT_SAVED);
    QTest::newRow("save as") << "pushButtonSaveNewFile" << QStringLiteral("copy.hex")
                             << int(LHINT_FILE_SAVED);
    QTest::newRow("save as into no folder")
        << "pushButtonSaveNewFile" << QStringLiteral("no/folder/copy.hex")
        << int(LHINT_FILE_NOT_SAVED);
}

void TstMainWindowCommands::saveFile()
{
    QFETCH(QString, command);
    QFETCH(QString, answer);
    QFETCH(int, hint);
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
    } else {
        editor.chooser.answers = {answer};
    }
    editor.click(command.toLatin1().constData());

    QCOMPARE(editor.takeHints(), QList<int>{hint});
    const QByteArray workingCopy = fileBytes(editor.path(QStringLiteral("menufile.hex")));
    if (hint == LHINT_FILE_SAVED) {
        QVERIFY(workingCopy.contains("Milk"));
        if (!answer.isEmpty())
            QCOMPARE(fileBytes(editor.path(answer)), workingCopy);
    } else if (command == QLatin1String("pushButtonSaveNewFile") && answer.isEmpty()) {
        QCOMPARE(workingCopy, before);
    }
    QCOMPARE(editor.commandStates(), QList<bool>(9, true));
}

int main(int argc, char *argv[])
{
    return runInBothEditions<TstMainWindowCommands>(argc, argv);
}

#include "tst_mainwindowcommands.moc"
