// Save, Save As and Create onto a disk that cannot take the file: full,
// mounted read-only, or a folder that is gone. The user is told, the file
// that was there stays byte for byte, the book in memory stays as it was,
// and the editor goes on working.

#include "editorfixture.h"
#include "menutext.h"
#include "scratchmount.h"

#include <QApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace MenuText;

class tst_DiskFaults : public QObject
{
    Q_OBJECT

private slots:
    void commandOntoFaultyDisk_data();
    void commandOntoFaultyDisk();
};

void tst_DiskFaults::commandOntoFaultyDisk_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("command");
    for (const char *fault : {"full", "read-only", "missing folder"}) {
        for (const char *command : {"Save", "Save As", "Create"})
            QTest::addRow("%s, %s", command, fault) << fault << command;
    }
}

void tst_DiskFaults::commandOntoFaultyDisk()
{
    QFETCH(QString, fault);
    QFETCH(QString, command);
    QTemporaryDir working;
    QVERIFY(working.isValid());
    const QString disk = working.filePath(QStringLiteral("disk"));
    QVERIFY(QDir().mkdir(disk));
    std::unique_ptr<ScratchMount> mount;
    if (fault != QLatin1String("missing folder")) {
        mount = std::make_unique<ScratchMount>(disk, 64);
        if (!mount->isMounted())
            QSKIP(qPrintable(mount->failure()));
    }
    const QString bookPath = disk + QStringLiteral("/book.hex");
    QVERIFY(writeContents(bookPath, kitchenBytes()));

    EditorFixture editor(working.path());
    editor.start();
    editor.chooser.answers = {bookPath};
    editor.click("pushButtonOpenFile");
    QCOMPARE(editor.takeHints(), QList<int>());
    editor.book.menus[0].name = QStringLiteral("Unsaved Soup");
    const QList<MenuRecord> before = editor.book.menus;
    const QByteArray workingCopyBefore = contents(QStringLiteral("menufile.hex"));

    QString target = disk + QStringLiteral("/new.hex");
    if (fault == QLatin1String("full")) {
        QVERIFY(mount->fill(QStringLiteral("filler")));
    } else if (fault == QLatin1String("read-only")) {
        QVERIFY(mount->makeReadOnly());
    } else if (command == QLatin1String("Save")) {
        // The stick with the book was pulled after the book was opened.
        QVERIFY(QDir(disk).removeRecursively());
    } else {
        target = working.filePath(QStringLiteral("gone/new.hex"));
    }
    const QStringList diskBefore = QDir(disk).entryList(QDir::Files | QDir::Hidden);

    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral(".+")));
    int expectedHint = LHINT_FILE_NOT_SAVED;
    if (command == QLatin1String("Save")) {
        editor.click("pushButtonSaveFile");
    } else if (command == QLatin1String("Save As")) {
        editor.chooser.answers = {target};
        editor.click("pushButtonSaveNewFile");
    } else {
        editor.chooser.answers = {target};
        editor.pressByKeyboard("pushButtonCreateNewFile");
        expectedHint = LHINT_FILE_NOT_CREATED;
    }

    QCOMPARE(editor.takeHints(), QList<int>{expectedHint});
    QCOMPARE(editor.book.menus, before);
    QCOMPARE(editor.book.currentPath, bookPath);
    QVERIFY(!QFileInfo::exists(target));
    // Neither the new file nor a temporary copy of it was left on the disk.
    QCOMPARE(QDir(disk).entryList(QDir::Files | QDir::Hidden), diskBefore);
    if (QFileInfo::exists(disk))
        QCOMPARE(contents(bookPath), kitchenBytes());
    // Save and Save As keep their second copy in the working folder, which is
    // sound here; Create never writes it.
    const QByteArray workingCopy = contents(QStringLiteral("menufile.hex"));
    if (command != QLatin1String("Create"))
        QCOMPARE(workingCopy, MenuBook::fileBytes(editor.book.menuFileText()));
    else
        QCOMPARE(workingCopy, workingCopyBefore);

    // Still working: the rows are there and the book can go elsewhere.
    QCOMPARE(editor.commandStates(), QList<bool>(9, true));
    QCOMPARE(editor.shownCodes().value(0), QStringLiteral("A-01"));
    const QString rescue = working.filePath(QStringLiteral("rescue.hex"));
    editor.chooser.answers = {rescue};
    editor.click("pushButtonSaveNewFile");
    QCOMPARE(editor.takeHints(), QList<int>{LHINT_FILE_SAVED});
    QCOMPARE(contents(rescue), MenuBook::fileBytes(editor.book.menuFileText()));
    QVERIFY(contents(rescue).contains("\nUnsaved Soup,#0001,10,2,30,"));
}

QTEST_MAIN(tst_DiskFaults)
#include "tst_diskfaults.moc"
