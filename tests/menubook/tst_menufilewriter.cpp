#include "menubook.h"
#include "menufilewriter.h"
#include "scriptedchooser.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace {

const QString WorkingCopy = QStringLiteral("menufile.hex");

// What a faulty medium hands back instead of the written bytes.
using Corruption = std::function<QByteArray(QByteArray)>;

QByteArray flipOneBit(QByteArray bytes)
{
    bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 0x08);
    return bytes;
}

QByteArray loseTheTail(QByteArray bytes)
{
    return bytes.left(bytes.size() - 1);
}

QByteArray appendJunk(QByteArray bytes)
{
    return bytes + QByteArray(512, '\0');
}

QByteArray readNothing(QByteArray)
{
    return QByteArray();
}

} // namespace

Q_DECLARE_METATYPE(Corruption)

class tst_MenuFileWriter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyCommandReadsBackWhatItWrote();
    void mismatchFailsTheCommand_data();
    void mismatchFailsTheCommand();
    void mismatchOfWorkingCopyFailsSave();

private:
    // Corrupts the read-back of the files whose name ends with the suffix.
    void installCorruption(const Corruption &corruption, const QString &suffix);

    std::unique_ptr<QTemporaryDir> dir;
    QString previousDirectory;
    ScriptedChooser chooser;
    MenuBook book;
    QStringList readBackPaths;
};

void tst_MenuFileWriter::init()
{
    previousDirectory = QDir::currentPath();
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    QVERIFY(QDir::setCurrent(dir->path()));
    chooser.answers.clear();
    readBackPaths.clear();
    book = MenuBook();
    book.setFileChooser(&chooser);
    QVERIFY(book.loadStartupFile());
    book.menus[0].name = QStringLiteral("Popcorn");
    book.menus[0].stages[0] = {10, 2, 30};
}

void tst_MenuFileWriter::cleanup()
{
    QDir::setCurrent(previousDirectory);
    dir.reset();
}

void tst_MenuFileWriter::installCorruption(const Corruption &corruption, const QString &suffix)
{
    MenuFileWriter writer;
    writer.setReadBack([this, corruption, suffix](const QString &path) {
        readBackPaths.append(path);
        const QByteArray stored = MenuFileWriter::readFile(path);
        return path.endsWith(suffix) ? corruption(stored) : stored;
    });
    book.setFileWriter(writer);
}

void tst_MenuFileWriter::everyCommandReadsBackWhatItWrote()
{
    installCorruption([](QByteArray bytes) { return bytes; }, QString());

    QCOMPARE(book.saveFile(), FileCommandResult::Done);
    QCOMPARE(readBackPaths, (QStringList{WorkingCopy, WorkingCopy}));

    chooser.answers = {QStringLiteral("other.hex"), QStringLiteral("new.hex")};
    readBackPaths.clear();
    QCOMPARE(book.saveFileAs(), FileCommandResult::Done);
    QCOMPARE(readBackPaths, (QStringList{QStringLiteral("other.hex"), WorkingCopy}));

    readBackPaths.clear();
    QCOMPARE(book.createFile(), FileCommandResult::Done);
    QCOMPARE(readBackPaths, QStringList{QStringLiteral("new.hex")});
}

void tst_MenuFileWriter::mismatchFailsTheCommand_data()
{
    QTest::addColumn<Corruption>("corruption");
    QTest::addColumn<QString>("command");
    const QList<QPair<const char *, Corruption>> corruptions = {{"one bit flipped", flipOneBit},
                                                                {"tail lost", loseTheTail},
                                                                {"junk appended", appendJunk},
                                                                {"nothing readable", readNothing}};
    for (const auto &[what, corruption] : corruptions) {
        for (const char *command : {"save", "saveAs", "create"})
            QTest::addRow("%s, %s", command, what) << corruption << QString::fromLatin1(command);
    }
}

void tst_MenuFileWriter::mismatchFailsTheCommand()
{
    QFETCH(Corruption, corruption);
    QFETCH(QString, command);
    const QString chosen = QStringLiteral("chosen.hex");
    book.currentPath = QStringLiteral("current.hex");
    installCorruption(corruption, command == QLatin1String("save") ? book.currentPath : chosen);
    const QList<MenuRecord> before = book.menus;
    const QByteArray workingBefore = MenuFileWriter::readFile(WorkingCopy);
    chooser.answers = {chosen};
    QTest::ignoreMessage(QtDebugMsg,
                         QRegularExpression(QStringLiteral("^Cannot write .+ : .*differs.*")));

    if (command == QLatin1String("save")) {
        QCOMPARE(book.saveFile(), FileCommandResult::Failed);
    } else {
        const bool saveAs = command == QLatin1String("saveAs");
        QCOMPARE(saveAs ? book.saveFileAs() : book.createFile(), FileCommandResult::Failed);
        // A failed write leaves the book where it was: the user can save elsewhere.
        QVERIFY(book.chosenFileName.isEmpty());
        QCOMPARE(book.menus, before);
        // Save As still keeps the working copy current; Create never writes it.
        QCOMPARE(MenuFileWriter::readFile(WorkingCopy),
                 saveAs ? MenuFileWriter::storedBytes(MenuBook::fileBytes(book.menuFileText()))
                        : workingBefore);
    }
    QCOMPARE(book.currentPath, QStringLiteral("current.hex"));
}

void tst_MenuFileWriter::mismatchOfWorkingCopyFailsSave()
{
    installCorruption(flipOneBit, WorkingCopy);
    book.currentPath = QStringLiteral("book.hex");
    QTest::ignoreMessage(QtDebugMsg,
                         QRegularExpression(QStringLiteral("^Cannot write .+ : .*differs.*")));

    QCOMPARE(book.saveFile(), FileCommandResult::WorkingCopyFailed);
    QCOMPARE(MenuFileWriter::readFile(QStringLiteral("book.hex")),
             MenuFileWriter::storedBytes(MenuBook::fileBytes(book.menuFileText())));
}

QTEST_GUILESS_MAIN(tst_MenuFileWriter)
#include "tst_menufilewriter.moc"
