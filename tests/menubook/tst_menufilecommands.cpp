#include "menubook.h"
#include "scriptedchooser.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString WorkingCopy = QStringLiteral("menufile.hex");
const QByteArray OldBytes = "old contents\n";

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeContents(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray bookBytes(const MenuBook &book)
{
    return MenuBook::fileBytes(book.menuFileText());
}

QByteArray withPlatformLineEnds(QByteArray bytes)
{
#ifdef Q_OS_WIN
    bytes.replace("\n", "\r\n");
#endif
    return bytes;
}

// Root and similar rights ignore file modes; such tests are skipped then.
bool permissionsApply()
{
    QTemporaryDir probe;
    QFile::setPermissions(probe.path(), QFile::ReadOwner | QFile::ExeOwner);
    QFile file(probe.filePath(QStringLiteral("probe")));
    const bool denied = !file.open(QIODevice::WriteOnly);
    QFile::setPermissions(probe.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return denied;
}

void expectWriteFailureLogged()
{
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Cannot write .+ : .+")));
}

} // namespace

Q_DECLARE_METATYPE(FileCommandResult)

class tst_MenuFileCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startupCreatesWorkingCopy();
    void startupReadsExistingWorkingCopy();
    void startupNeverOverwritesUnreadableCopy_data();
    void startupNeverOverwritesUnreadableCopy();
    void cancelledCommandsChangeNothing_data();
    void cancelledCommandsChangeNothing();
    void openThenSaveGivesIdenticalFiles_data();
    void openThenSaveGivesIdenticalFiles();
    void typedNamesGetTheBookSuffix_data();
    void typedNamesGetTheBookSuffix();
    void openOfUnreadableFileKeepsBook_data();
    void openOfUnreadableFileKeepsBook();
    void createThenSaveWritesHeaderOnly();
    void failedCreateChangesNothing_data();
    void failedCreateChangesNothing();
    void saveWritesBothFiles();
    void saveWithoutCurrentPathIsNoFailure();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void failedSaveAsKeepsBookAndFiles_data();
    void failedSaveAsKeepsBookAndFiles();
    void workingCopyFailureIsReported();
    void lockedFolderTakesWritableFile_data();
    void lockedFolderTakesWritableFile();

private:
    // Unwritable names: one data table for every command that writes.
    void addUnwritableNames();
    // Sets the failure up; the name's old bytes (if any) must survive.
    void prepareUnwritable(const QString &name);
    void verifyUntouched(const QString &name);

    std::unique_ptr<QTemporaryDir> dir;
    QString previousDirectory;
    ScriptedChooser chooser;
    MenuBook book;
};

void tst_MenuFileCommands::init()
{
    previousDirectory = QDir::currentPath();
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    QVERIFY(QDir::setCurrent(dir->path()));
    chooser.answers.clear();
    chooser.questions.clear();
    book = MenuBook();
    book.setFileChooser(&chooser);
}

void tst_MenuFileCommands::cleanup()
{
    QFile::setPermissions(QStringLiteral("locked"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir::setCurrent(previousDirectory);
    dir.reset();
}

void tst_MenuFileCommands::addUnwritableNames()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("needsPermissions");
    QTest::newRow("missing folder") << "missing/book.hex" << false;
    QTest::newRow("name of a folder") << "folder.hex" << false;
    // The file fits the file system's name limit, its temporary sibling does not.
    QTest::newRow("no room for a temporary copy") << QString(246, u'n') + ".hex" << false;
    QTest::newRow("read-only folder") << "locked/book.hex" << true;
}

void tst_MenuFileCommands::prepareUnwritable(const QString &name)
{
    if (name == QLatin1String("folder.hex")) {
        QVERIFY(QDir().mkdir(name));
    } else if (name.startsWith(QLatin1String("locked/"))) {
        QVERIFY(QDir().mkdir(QStringLiteral("locked")));
        writeContents(name, OldBytes);
        // The file is locked too: a writable one there is written in place.
        QFile::setPermissions(name, QFile::ReadOwner);
        QFile::setPermissions(QStringLiteral("locked"), QFile::ReadOwner | QFile::ExeOwner);
    } else if (!name.startsWith(QLatin1String("missing/"))) {
        writeContents(name, OldBytes);
    }
}

void tst_MenuFileCommands::verifyUntouched(const QString &name)
{
    const QFileInfo info(name);
    if (name == QLatin1String("folder.hex"))
        QVERIFY(info.isDir());
    else if (name.startsWith(QLatin1String("missing/")))
        QVERIFY(!info.exists());
    else
        QCOMPARE(contents(name), OldBytes);
    // No temporary copy is left behind either.
    const QStringList leftovers =
        QDir(info.path())
            .entryList({info.fileName() + QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers.join(u' ')));
}

void tst_MenuFileCommands::startupCreatesWorkingCopy()
{
    QVERIFY(book.loadStartupFile());
    QCOMPARE(contents(WorkingCopy),
             withPlatformLineEnds(MenuBook::fileBytes(MenuBook::defaultText())));
    QCOMPARE(book.menus.size(), 299);
    QCOMPARE(book.menus.first().code, QStringLiteral("A-01"));
    QCOMPARE(book.menus.last().code, QStringLiteral("C-99"));
    for (const MenuRecord &record : book.menus)
        QVERIFY(record.name.isEmpty());
    QCOMPARE(book.currentPath, WorkingCopy);
    QCOMPARE(book.chosenFileName, WorkingCopy);
    QVERIFY(chooser.questions.isEmpty());
}

void tst_MenuFileCommands::startupReadsExistingWorkingCopy()
{
    const QByteArray bytes =
        MenuBook::fileBytes(MenuBook::headerText()) + "Soup,#0001,1,2,3,0,0,0,0,0,0\n";
    writeContents(WorkingCopy, bytes);
    QVERIFY(book.loadStartupFile());
    QCOMPARE(book.menus.size(), 299);
    QCOMPARE(book.menus[0].name, QStringLiteral("Soup"));
    QCOMPARE(contents(WorkingCopy), bytes);
}

void tst_MenuFileCommands::startupNeverOverwritesUnreadableCopy_data()
{
    QTest::addColumn<bool>("asFolder");
    QTest::newRow("a folder of that name") << true;
    QTest::newRow("no read permission") << false;
}

void tst_MenuFileCommands::startupNeverOverwritesUnreadableCopy()
{
    QFETCH(bool, asFolder);
    if (asFolder) {
        QVERIFY(QDir().mkdir(WorkingCopy));
    } else {
        if (!permissionsApply())
            QSKIP("file permissions do not apply to this user");
        writeContents(WorkingCopy, OldBytes);
        QFile::setPermissions(WorkingCopy, QFile::WriteOwner);
    }
    book.menus = {MenuRecord()};
    book.currentPath = QStringLiteral("earlier.hex");

    QVERIFY(!book.loadStartupFile());

    QVERIFY(book.menus.isEmpty());
    QVERIFY(book.currentPath.isEmpty());
    QVERIFY(book.chosenFileName.isEmpty());
    QFile::setPermissions(WorkingCopy, QFile::ReadOwner | QFile::WriteOwner);
    if (asFolder)
        QVERIFY(QFileInfo(WorkingCopy).isDir());
    else
        QCOMPARE(contents(WorkingCopy), OldBytes);
}

static FileCommandResult run(MenuBook &book, const QString &command)
{
    if (command == QLatin1String("open"))
        return book.openFile();
    if (command == QLatin1String("create"))
        return book.createFile();
    return book.saveFileAs();
}

void tst_MenuFileCommands::cancelledCommandsChangeNothing_data()
{
    // The dialog each command shows: kind, caption, start directory.
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("question");
    QTest::addColumn<bool>("withChooser");
    const QList<QPair<const char *, QStringList>> commands = {
        {"open", {"open", "Open Morvex-Menu-File", ""}},
        {"create", {"save", "Create Morvex-Menu-File", "../"}},
        {"saveAs", {"save", "Save Morvex-Menu-File", "./"}}};
    for (const auto &[command, question] : commands) {
        QTest::addRow("%s", command) << command << question << true;
        QTest::addRow("%s without a chooser", command) << command << question << false;
    }
}

void tst_MenuFileCommands::cancelledCommandsChangeNothing()
{
    QFETCH(QString, command);
    QFETCH(QStringList, question);
    QFETCH(bool, withChooser);
    QVERIFY(book.loadStartupFile());
    book.menus[3].name = QStringLiteral("Unsaved");
    const QList<MenuRecord> before = book.menus;
    const QByteArray workingBytes = contents(WorkingCopy);
    if (!withChooser)
        book.setFileChooser(nullptr);

    QCOMPARE(run(book, command), FileCommandResult::Cancelled);

    QCOMPARE(book.menus, before);
    QCOMPARE(book.currentPath, WorkingCopy);
    QVERIFY(book.chosenFileName.isEmpty());
    QCOMPARE(contents(WorkingCopy), workingBytes);
    QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{WorkingCopy});
    if (!withChooser)
        return;
    QCOMPARE(chooser.questions.size(), 1);
    const ScriptedChooser::Question &asked = chooser.questions[0];
    QCOMPARE((QStringList{asked.dialog, asked.caption, asked.startDir}), question);
    QCOMPARE(asked.filter, QStringLiteral("MorvexMenuFile(*.hex)"));
}

void tst_MenuFileCommands::openThenSaveGivesIdenticalFiles_data()
{
    QTest::addColumn<bool>("absolute");
    QTest::newRow("name relative to the working folder") << false;
    QTest::newRow("absolute name") << true;
}

void tst_MenuFileCommands::openThenSaveGivesIdenticalFiles()
{
    QFETCH(bool, absolute);
    QVERIFY(QDir().mkdir(QStringLiteral("sub")));
    const QString name =
        absolute ? dir->filePath(QStringLiteral("sub/book.hex")) : QStringLiteral("sub/book.hex");
    writeContents(name, MenuBook::fileBytes(MenuBook::headerText()) +
                            "  Pizza  ,#0001,10,2,30,0,0,0,0,0,0\n");
    QVERIFY(book.loadStartupFile());
    chooser.answers = {name};

    QCOMPARE(book.openFile(), FileCommandResult::Done);
    QCOMPARE(book.menus.size(), 299);
    QCOMPARE(book.menus[0].name, QStringLiteral("Pizza"));
    QCOMPARE(book.currentPath, name);
    QCOMPARE(book.chosenFileName, name);

    QCOMPARE(book.saveFile(), FileCommandResult::Done);
    QCOMPARE(contents(name), withPlatformLineEnds(bookBytes(book)));
    QCOMPARE(contents(WorkingCopy), contents(name));
}

void tst_MenuFileCommands::typedNamesGetTheBookSuffix_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("Save As") << "saveAs"
                             << "Winter 2026"
                             << "Winter 2026.hex";
    QTest::newRow("Create") << "create"
                            << "Winter 2026"
                            << "Winter 2026.hex";
    QTest::newRow("a dot in the folder only") << "saveAs"
                                              << "sub.d/winter"
                                              << "sub.d/winter.hex";
    QTest::newRow("a trailing dot") << "create"
                                    << "winter."
                                    << "winter.hex";
    QTest::newRow("another suffix, as typed") << "saveAs"
                                              << "winter.csv"
                                              << "winter.csv";
}

void tst_MenuFileCommands::typedNamesGetTheBookSuffix()
{
    QFETCH(QString, command);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QVERIFY(QDir().mkdir(QStringLiteral("sub.d")));
    QVERIFY(book.loadStartupFile());
    chooser.answers = {typed};
    QCOMPARE(run(book, command), FileCommandResult::Done);
    QCOMPARE(book.currentPath, written);
    QCOMPARE(book.chosenFileName, written);
    QVERIFY(QFileInfo::exists(written));
    QCOMPARE(QFileInfo::exists(typed), typed == written);
}

void tst_MenuFileCommands::openOfUnreadableFileKeepsBook_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("needsPermissions");
    QTest::newRow("missing file") << "gone.hex" << false;
    QTest::newRow("a folder") << "folder.hex" << false;
    QTest::newRow("no read permission") << "secret.hex" << true;
    QTest::newRow("a device that never ends") << "/dev/zero" << false;
    QTest::newRow("a named pipe") << "pipe.hex" << false;
}

void tst_MenuFileCommands::openOfUnreadableFileKeepsBook()
{
    QFETCH(QString, name);
    QFETCH(bool, needsPermissions);
    if (needsPermissions && !permissionsApply())
        QSKIP("file permissions do not apply to this user");
    QVERIFY(QDir().mkdir(QStringLiteral("folder.hex")));
    writeContents(QStringLiteral("secret.hex"), OldBytes);
    QFile::setPermissions(QStringLiteral("secret.hex"), QFile::WriteOwner);
#ifdef Q_OS_WIN
    if (name == QLatin1String("pipe.hex"))
        QSKIP("Windows has no named pipes among the files of a folder");
#else
    QCOMPARE(mkfifo("pipe.hex", 0600), 0);
#endif
    QVERIFY(book.loadStartupFile());
    book.menus[0].name = QStringLiteral("Kept");
    const QList<MenuRecord> before = book.menus;
    chooser.answers = {name};

    QCOMPARE(book.openFile(), FileCommandResult::Failed);

    QCOMPARE(book.menus, before);
    QCOMPARE(book.currentPath, WorkingCopy);
    QVERIFY(book.chosenFileName.isEmpty());
    // The next Save keeps the book instead of wiping the working copy.
    QCOMPARE(book.saveFile(), FileCommandResult::Done);
    QCOMPARE(contents(WorkingCopy), withPlatformLineEnds(bookBytes(book)));
}

void tst_MenuFileCommands::createThenSaveWritesHeaderOnly()
{
    QVERIFY(book.loadStartupFile());
    chooser.answers = {QStringLiteral("new.hex")};

    QCOMPARE(book.createFile(), FileCommandResult::Done);
    const QByteArray header = withPlatformLineEnds(MenuBook::fileBytes(MenuBook::headerText()));
    QCOMPARE(contents(QStringLiteral("new.hex")), header);
    QVERIFY(book.menus.isEmpty());
    QCOMPARE(book.menuCount(), 297);
    QCOMPARE(book.currentPath, QStringLiteral("new.hex"));
    QCOMPARE(book.chosenFileName, QStringLiteral("new.hex"));

    QCOMPARE(book.saveFile(), FileCommandResult::Done);
    QCOMPARE(contents(QStringLiteral("new.hex")), header);
    QCOMPARE(contents(WorkingCopy), header);

    MenuBook nextRun;
    QVERIFY(nextRun.loadStartupFile());
    QCOMPARE(nextRun.menus.size(), 299);
    QCOMPARE(nextRun.menuFileText(), MenuBook::defaultText());
}

void tst_MenuFileCommands::failedCreateChangesNothing_data()
{
    addUnwritableNames();
}

void tst_MenuFileCommands::failedCreateChangesNothing()
{
    QFETCH(QString, name);
    QFETCH(bool, needsPermissions);
    if (needsPermissions && !permissionsApply())
        QSKIP("file permissions do not apply to this user");
    prepareUnwritable(name);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(book.loadStartupFile());
    const QList<MenuRecord> before = book.menus;
    chooser.answers = {name};
    expectWriteFailureLogged();

    QCOMPARE(book.createFile(), FileCommandResult::Failed);

    QCOMPARE(book.menus, before);
    QCOMPARE(book.currentPath, WorkingCopy);
    QVERIFY(book.chosenFileName.isEmpty());
    verifyUntouched(name);
}

void tst_MenuFileCommands::saveWritesBothFiles()
{
    QVERIFY(book.loadStartupFile());
    book.menus[0].name = QStringLiteral("Popcorn");
    book.menus[0].stages[0] = {10, 2, 30};

    QCOMPARE(book.saveFile(), FileCommandResult::Done);
    const QByteArray bytes = withPlatformLineEnds(bookBytes(book));
    QCOMPARE(contents(WorkingCopy), bytes);
    QVERIFY(bytes.contains(withPlatformLineEnds("\nPopcorn,#0001,10,2,30,0,0,0,0,0,0\n")));

    chooser.answers = {QStringLiteral("other.hex")};
    QCOMPARE(book.saveFileAs(), FileCommandResult::Done);
    QCOMPARE(book.currentPath, QStringLiteral("other.hex"));
    QCOMPARE(book.chosenFileName, QStringLiteral("other.hex"));
    QCOMPARE(contents(QStringLiteral("other.hex")), bytes);

    // Later Saves go to the new file.
    book.menus[1].name = QStringLiteral("Tea");
    QCOMPARE(book.saveFile(), FileCommandResult::Done);
    QCOMPARE(contents(QStringLiteral("other.hex")), withPlatformLineEnds(bookBytes(book)));
    QCOMPARE(contents(WorkingCopy), contents(QStringLiteral("other.hex")));
}

void tst_MenuFileCommands::saveWithoutCurrentPathIsNoFailure()
{
    QVERIFY(QDir().mkdir(WorkingCopy));
    QVERIFY(!book.loadStartupFile());
    QVERIFY(QDir().rmdir(WorkingCopy));
    book.appendMenu(MenuRecord());

    QCOMPARE(book.saveFile(), FileCommandResult::Done);
    QCOMPARE(contents(WorkingCopy), withPlatformLineEnds(bookBytes(book)));
}

void tst_MenuFileCommands::failedSaveKeepsOldFile_data()
{
    addUnwritableNames();
}

void tst_MenuFileCommands::failedSaveKeepsOldFile()
{
    QFETCH(QString, name);
    QFETCH(bool, needsPermissions);
    if (needsPermissions && !permissionsApply())
        QSKIP("file permissions do not apply to this user");
    prepareUnwritable(name);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(book.loadStartupFile());
    book.currentPath = name;
    book.menus[0].name = QStringLiteral("Soup");
    expectWriteFailureLogged();

    QCOMPARE(book.saveFile(), FileCommandResult::Failed);

    verifyUntouched(name);
    QCOMPARE(contents(WorkingCopy), withPlatformLineEnds(bookBytes(book)));
    QCOMPARE(book.currentPath, name);
}

void tst_MenuFileCommands::failedSaveAsKeepsBookAndFiles_data()
{
    addUnwritableNames();
}

void tst_MenuFileCommands::failedSaveAsKeepsBookAndFiles()
{
    QFETCH(QString, name);
    QFETCH(bool, needsPermissions);
    if (needsPermissions && !permissionsApply())
        QSKIP("file permissions do not apply to this user");
    prepareUnwritable(name);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(book.loadStartupFile());
    const QByteArray workingBytes = contents(WorkingCopy);
    book.menus[0].name = QStringLiteral("Soup");
    const QList<MenuRecord> before = book.menus;
    chooser.answers = {name};
    expectWriteFailureLogged();

    QCOMPARE(book.saveFileAs(), FileCommandResult::Failed);

    verifyUntouched(name);
    // The edits are not lost with the run: the next start-up loads them.
    QVERIFY(contents(WorkingCopy) != workingBytes);
    QCOMPARE(contents(WorkingCopy), withPlatformLineEnds(bookBytes(book)));
    QCOMPARE(book.menus, before);
    QCOMPARE(book.currentPath, WorkingCopy);
    QVERIFY(book.chosenFileName.isEmpty());
}

void tst_MenuFileCommands::workingCopyFailureIsReported()
{
    QVERIFY(book.loadStartupFile());
    QVERIFY(QFile::remove(WorkingCopy));
    QVERIFY(QDir().mkdir(WorkingCopy));
    book.currentPath = QStringLiteral("book.hex");

    expectWriteFailureLogged();
    QCOMPARE(book.saveFile(), FileCommandResult::WorkingCopyFailed);
    QCOMPARE(contents(QStringLiteral("book.hex")), withPlatformLineEnds(bookBytes(book)));

    chooser.answers = {QStringLiteral("other.hex")};
    expectWriteFailureLogged();
    QCOMPARE(book.saveFileAs(), FileCommandResult::WorkingCopyFailed);
    QCOMPARE(contents(QStringLiteral("other.hex")), withPlatformLineEnds(bookBytes(book)));
    QCOMPARE(book.currentPath, QStringLiteral("other.hex"));
    QCOMPARE(book.chosenFileName, QStringLiteral("other.hex"));
    QVERIFY(QFileInfo(WorkingCopy).isDir());
}

void tst_MenuFileCommands::lockedFolderTakesWritableFile_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("name");
    QTest::addColumn<FileCommandResult>("result");
    QTest::newRow("Save") << "save"
                          << "locked/book.hex" << FileCommandResult::Done;
    QTest::newRow("Save As, existing file") << "saveAs"
                                            << "locked/book.hex" << FileCommandResult::Done;
    QTest::newRow("Save As, new file") << "saveAs"
                                       << "locked/new.hex" << FileCommandResult::Failed;
}

void tst_MenuFileCommands::lockedFolderTakesWritableFile()
{
#ifdef Q_OS_WIN
    QSKIP("a folder's read-only attribute does not refuse new files on Windows");
#else
    QFETCH(QString, command);
    QFETCH(QString, name);
    QFETCH(FileCommandResult, result);
    QVERIFY(book.loadStartupFile());
    QVERIFY(QDir().mkdir(QStringLiteral("locked")));
    writeContents(QStringLiteral("locked/book.hex"), OldBytes);
    book.currentPath = QStringLiteral("locked/book.hex");
    book.menus[0].name = QStringLiteral("Soup");
    chooser.answers = {name};

    // Root may create files anywhere: the command then runs as nobody, for
    // whom the working folder and the file are open but the folder is not.
    const bool asRoot = ::geteuid() == 0;
    if (asRoot) {
        QFile::setPermissions(dir->path(), QFileDevice::Permissions(0x7777));
        QFile::setPermissions(WorkingCopy, QFileDevice::Permissions(0x6666));
        QFile::setPermissions(QStringLiteral("locked/book.hex"), QFileDevice::Permissions(0x6666));
    }
    QFile::setPermissions(QStringLiteral("locked"), QFileDevice::Permissions(0x5555));
    if (result != FileCommandResult::Done)
        expectWriteFailureLogged();
    if (asRoot)
        QVERIFY(::seteuid(65534) == 0);
    const FileCommandResult got =
        command == QLatin1String("save") ? book.saveFile() : book.saveFileAs();
    if (asRoot)
        QVERIFY(::seteuid(0) == 0);

    QCOMPARE(got, result);
    const QByteArray saved = withPlatformLineEnds(bookBytes(book));
    QCOMPARE(contents(QStringLiteral("locked/book.hex")),
             result == FileCommandResult::Done ? saved : OldBytes);
    QCOMPARE(contents(WorkingCopy), saved);
    QCOMPARE(QDir(QStringLiteral("locked")).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("book.hex")});
#endif
}

QTEST_GUILESS_MAIN(tst_MenuFileCommands)
#include "tst_menufilecommands.moc"
