// Start-up in a working folder where no working copy can be read or made:
// the editor says "File Open Failed!", touches nothing there, and still
// opens and saves books elsewhere.

#include "editorfixture.h"
#include "menutext.h"
#include "scratchmount.h"

#include <QApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace MenuText;

class tst_StartupFailures : public QObject
{
    Q_OBJECT

private slots:
    void startInFaultyFolder_data();
    void startInFaultyFolder();
};

void tst_StartupFailures::startInFaultyFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("loaded");
    QTest::newRow("folder named menufile.hex") << "folder named menufile.hex" << false;
    QTest::newRow("dangling link into a missing folder") << "dangling link" << false;
    QTest::newRow("read-only folder") << "read-only" << false;
    QTest::newRow("read-only folder with a working copy") << "read-only with copy" << true;
    QTest::newRow("full folder") << "full" << false;
}

void tst_StartupFailures::startInFaultyFolder()
{
    QFETCH(QString, folder);
    QFETCH(bool, loaded);
    QTemporaryDir base;
    QVERIFY(base.isValid());
    const QString working = base.filePath(QStringLiteral("working"));
    QVERIFY(QDir().mkdir(working));
    const QString workingCopy = working + QStringLiteral("/menufile.hex");
    std::unique_ptr<ScratchMount> mount;
    if (folder.startsWith(QLatin1String("read-only")) || folder == QLatin1String("full")) {
        mount = std::make_unique<ScratchMount>(working, 64);
        if (!mount->isMounted())
            QSKIP(qPrintable(mount->failure()));
    }
    if (folder == QLatin1String("folder named menufile.hex")) {
        QVERIFY(QDir().mkdir(workingCopy));
        QVERIFY(writeContents(workingCopy + QStringLiteral("/notes.txt"), "keep me\n"));
    } else if (folder == QLatin1String("dangling link")) {
        QVERIFY(QFile::link(QStringLiteral("stick/menufile.hex"), workingCopy));
    } else if (folder == QLatin1String("read-only with copy")) {
        QVERIFY(writeContents(workingCopy, kitchenBytes()));
    } else if (folder == QLatin1String("full")) {
        QVERIFY(mount->fill(QStringLiteral("filler")));
    }
    if (folder.startsWith(QLatin1String("read-only")))
        QVERIFY(mount->makeReadOnly());
    const QDir::Filters all = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
    const QStringList entriesBefore = QDir(working).entryList(all);
    const QByteArray copyBefore = contents(workingCopy);

    EditorFixture editor(working);
    // Only a missing working copy is replaced; the failed try is logged.
    if (!QFileInfo::exists(workingCopy))
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral(".+")));
    editor.start();

    if (loaded) {
        QCOMPARE(editor.takeHints(), QList<int>());
        QCOMPARE(editor.book.menus, book(kitchenMenus()));
        QCOMPARE(editor.shownCodes().value(0), QStringLiteral("A-01"));
    } else {
        QCOMPARE(editor.takeHints(), QList<int>{LHINT_FILE_OPEN_FAILED_BAD_DATAS});
        QVERIFY(editor.book.menus.isEmpty());
        QCOMPARE(editor.shownCodes(), QStringList());
        // Edit, Add, Close, Min, Open, Create, Clear, Save, Save As.
        QCOMPARE(editor.commandStates(),
                 (QList<bool>{false, false, true, true, true, true, false, false, false}));
    }
    QCOMPARE(QDir(working).entryList(all), entriesBefore);
    QCOMPARE(contents(workingCopy), copyBefore);
    if (folder == QLatin1String("folder named menufile.hex"))
        QCOMPARE(contents(workingCopy + QStringLiteral("/notes.txt")), QByteArray("keep me\n"));

    // Still of use: a book elsewhere opens, and Save writes it there while
    // telling the user that only the working copy could not be kept.
    const QString other = base.filePath(QStringLiteral("book.hex"));
    QVERIFY(writeContents(other, kitchenBytes()));
    editor.chooser.answers = {other};
    editor.click("pushButtonOpenFile");
    QCOMPARE(editor.takeHints(), QList<int>());
    QCOMPARE(editor.shownCodes().value(0), QStringLiteral("A-01"));
    QCOMPARE(editor.book.menus[0].name, QStringLiteral("Popcorn"));
    editor.book.menus[0].name = QStringLiteral("Corn");
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral(".+")));
    editor.click("pushButtonSaveFile");
    QCOMPARE(editor.takeHints(), QList<int>{LHINT_WORKING_COPY_NOT_SAVED});
    QCOMPARE(contents(other), MenuBook::fileBytes(editor.book.menuFileText()));
    QCOMPARE(QDir(working).entryList(all), entriesBefore);
    QCOMPARE(contents(workingCopy), copyBefore);
    QCOMPARE(editor.commandStates(), QList<bool>(9, true));
}

QTEST_MAIN(tst_StartupFailures)
#include "tst_startupfailures.moc"
