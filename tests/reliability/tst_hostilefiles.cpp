// Working copies as they arrive from spreadsheets, USB sticks and other
// machines: whatever the bytes, the start-up load keeps going, gives a book
// the oven accepts and never writes over the file it read.

#include "menutext.h"
#include "peakmemory.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace MenuText;

namespace {

const QString WorkingCopy = QStringLiteral("menufile.hex");

QByteArray encoded(QStringConverter::Encoding encoding, const QString &text)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    return encoder.encode(text);
}

} // namespace

class tst_HostileFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startupLoad_data();
    void startupLoad();
    void numbersInRows_data();
    void numbersInRows();
    void fileOfValidRowsIsReadOnlyAsFarAsNeeded();
    void gigabyteLineWithoutBreak();
    void danglingWorkingCopyLink_data();
    void danglingWorkingCopyLink();

private:
    void loadWorkingCopy(const QByteArray &bytes, const QList<MenuRecord> &expected);

    std::unique_ptr<QTemporaryDir> dir;
    QString previousDirectory;
};

void tst_HostileFiles::init()
{
    previousDirectory = QDir::currentPath();
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    QVERIFY(QDir::setCurrent(dir->path()));
}

void tst_HostileFiles::cleanup()
{
    QDir::setCurrent(previousDirectory);
    dir.reset();
}

void tst_HostileFiles::loadWorkingCopy(const QByteArray &bytes, const QList<MenuRecord> &expected)
{
    QVERIFY(writeContents(WorkingCopy, bytes));
    MenuBook book;
    QVERIFY(book.loadStartupFile());
    QCOMPARE(book.menus.size(), 299);
    for (int position = 0; position < 299; ++position)
        QCOMPARE(book.menus[position], expected[position]);
    QCOMPARE(book.currentPath, WorkingCopy);
    // Whatever it held, the file the user had is still there as it was.
    QCOMPARE(contents(WorkingCopy), bytes);
}

void tst_HostileFiles::startupLoad_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<MenuRecord>>("expected");
    const QList<MenuRecord> empty = book();
    const QList<MenuRecord> kitchen = book(kitchenMenus());
    const QByteArray soup = row("Soup", 1, "1,2,3,0,0,0,0,0,0");
    const Stages soupStages{{{1, 2, 3}, {}, {}}};
    const QList<MenuRecord> soupFirst = book({record(1, "Soup", soupStages)});

    QTest::newRow("empty file") << QByteArray() << empty;
    QTest::newRow("only a UTF-8 mark") << QByteArray("\xef\xbb\xbf") << empty;
    QTest::newRow("only a UTF-16 mark") << QByteArray("\xff\xfe") << empty;

    QTest::newRow("UTF-16LE with mark")
        << encoded(QStringConverter::Utf16LE, kitchenText()) << kitchen;
    QTest::newRow("UTF-16BE with mark")
        << encoded(QStringConverter::Utf16BE, kitchenText()) << kitchen;
    QTest::newRow("UTF-32LE with mark")
        << encoded(QStringConverter::Utf32LE, kitchenText()) << kitchen;
    // Without the mark the bytes are taken for UTF-8: every "#0" is split by
    // a NUL byte, so no line is a row.
    QByteArray utf16NoMark = encoded(QStringConverter::Utf16LE, kitchenText()).mid(2);
    QTest::newRow("UTF-16LE without mark") << utf16NoMark << empty;
    QTest::newRow("UTF-16LE with CR LF")
        << encoded(QStringConverter::Utf16LE, kitchenText().replace(u'\n', QStringLiteral("\r\n")))
        << kitchen;

    QTest::newRow("lone continuation byte in name")
        << header() + row("So\x80up", 1, "1,2,3,0,0,0,0,0,0") << book({record(1, {}, soupStages)});
    QTest::newRow("overlong encoding in name")
        << header() + row("So\xc0\xafup", 1, "1,2,3,0,0,0,0,0,0")
        << book({record(1, {}, soupStages)});
    QTest::newRow("encoded surrogate in name")
        << header() + row("\xed\xa0\x80Soup", 1, "1,2,3,0,0,0,0,0,0")
        << book({record(1, {}, soupStages)});
    QTest::newRow("invalid byte in a number") << header() + row("Soup", 1, "1\xff,2,3,0,0,0,0,0,0")
                                              << book({record(1, "Soup", {{{0, 2, 3}, {}, {}}})});
    // "#" and "0" no longer meet: the line is no row and the next one is #1.
    const QByteArray brokenMarker = "Tea,#\xff"
                                    "0001,1,1,1,0,0,0,0,0,0\n";
    QTest::newRow("invalid byte in the marker") << header() + brokenMarker + soup << soupFirst;
    QTest::newRow("sequence cut at the end of the file")
        << header() + soup + "Tea,#0002,1,1,1,0,0,0,0,0,\xe2\x82"
        << book({soupFirst[0], record(2, "Tea", {{{1, 1, 1}, {}, {}}})});

    QTest::newRow("NUL in name") << header() + row(QByteArray("So\0up", 5), 1, "1,2,3,0,0,0,0,0,0")
                                 << book({record(1, {}, soupStages)});
    // A line of NULs is not empty: it is skipped and reading goes on.
    QTest::newRow("line of NULs") << header() + QByteArray(40, '\0') + '\n' + soup << soupFirst;
    QTest::newRow("NUL in a number")
        << header() + row("Soup", 1, QByteArray("1,2\0,3,0,0,0,0,0,0", 18))
        << book({record(1, "Soup", {{{1, 0, 3}, {}, {}}})});
    // What a power cut leaves: the rows written so far, then zeroed blocks.
    QTest::newRow("NUL blocks after the rows")
        << kitchenBytes().left(kitchenBytes().indexOf("\n,#0004")) + '\n' + QByteArray(8192, '\0')
        << book(kitchenMenus().mid(0, 3));

    // CR alone ends no line: the whole file is one line, whose first field
    // is the header's first cell and whose number columns hold header text.
    QTest::newRow("CR-only line ends")
        << kitchenBytes().replace('\n', '\r') << book({record(1, "MenuName")});

    // Spreadsheets pad rows with empty columns; they are ignored, and beyond
    // the line bound they are not even kept: the row and its number stay.
    QTest::newRow("60,000 commas after a row")
        << header() + soup.chopped(1) + QByteArray(60000, ',') + '\n'
        << soupFirst;
    QTest::newRow("100,000 commas after a row")
        << header() + soup.chopped(1) + QByteArray(100000, ',') + '\n' +
               row("Tea", 2, "1,1,1,0,0,0,0,0,0")
        << book(
               {record(1, "Soup", {{{1, 2, 3}, {}, {}}}), record(2, "Tea", {{{1, 1, 1}, {}, {}}})});
    QTest::newRow("100,000 commas inside a row")
        << header() + "Soup,#0001" + QByteArray(100000, ',') + "1,2,3,0,0,0,0,0,0\n"
        << book({record(1, "Soup")});
}

void tst_HostileFiles::startupLoad()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<MenuRecord>, expected);
    loadWorkingCopy(bytes, expected);
}

void tst_HostileFiles::numbersInRows_data()
{
    // The field stands for the first stage's minutes at power 5.
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<int>("minutes");
    QTest::newRow("leading plus") << QByteArray("+12") << 12;
    QTest::newRow("leading zeros") << QByteArray("012") << 12;
    QTest::newRow("many leading zeros") << QByteArray("0000000000000000000000000012") << 12;
    QTest::newRow("minus zero") << QByteArray("-0") << 0;
    QTest::newRow("padded with spaces") << QByteArray("  12  ") << 12;
    QTest::newRow("padded with tabs") << QByteArray("\t12\t") << 12;
    QTest::newRow("space inside") << QByteArray("1 2") << 0;
    QTest::newRow("space after the sign") << QByteArray("+ 12") << 0;
    QTest::newRow("two signs") << QByteArray("+-12") << 0;
    QTest::newRow("trailing sign") << QByteArray("12-") << 0;
    QTest::newRow("exponent") << QByteArray("1e1") << 0;
    // Values that a 32- or 64-bit wrap-around would turn into 12 minutes.
    QTest::newRow("2^32 + 12") << QByteArray("4294967308") << 0;
    QTest::newRow("2^64 + 12") << QByteArray("18446744073709551628") << 0;
    QTest::newRow("minus (2^32 - 12)") << QByteArray("-4294967284") << 0;
}

void tst_HostileFiles::numbersInRows()
{
    QFETCH(QByteArray, field);
    QFETCH(int, minutes);
    loadWorkingCopy(header() + row("Soup", 1, "5," + field + ",7,0,0,0,0,0,0"),
                    book({record(1, "Soup", {{{5, minutes, 7}, {}, {}}})}));
}

void tst_HostileFiles::fileOfValidRowsIsReadOnlyAsFarAsNeeded()
{
    // 200 MB of good rows. Only 299 of them can be menus; the rest is never
    // read, so the load takes no longer than that of a normal book.
    const qint64 size = qint64(200) << 20;
    QByteArray block;
    for (int number = 1; block.size() < (1 << 20); ++number)
        block += row("Soup", number, "1,2,3,0,0,0,0,0,0");
    {
        QFile file(WorkingCopy);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(header()) > 0);
        while (file.size() < size)
            QCOMPARE(file.write(block), block.size());
    }

    MenuBook book;
    QVERIFY(book.loadStartupFile());
    QCOMPARE(book.menus.size(), 299);
    for (int position = 0; position < 299; ++position) {
        const bool reserved = position == 99 || position == 199;
        QCOMPARE(book.menus[position].name, QStringLiteral("Soup"));
        QCOMPARE(book.menus[position].stages[0], (reserved ? MenuStage{} : MenuStage{1, 2, 3}));
    }

    QFile file(WorkingCopy);
    QVERIFY(file.open(QIODevice::ReadOnly));
    MenuFileReader().read(file);
    QVERIFY2(file.pos() < (1 << 20), qPrintable(QString::number(file.pos())));
    QVERIFY(QFileInfo(WorkingCopy).size() >= size);
}

void tst_HostileFiles::gigabyteLineWithoutBreak()
{
    // A row start, then a hole up to 1 GiB: the file system stores almost
    // nothing, the reader still has to go through a gigabyte of NULs.
    const qint64 size = qint64(1) << 30;
    {
        QFile file(WorkingCopy);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write("Huge,#0001,1,2,3,0,0,0,0,0,0,") > 0);
        QVERIFY(file.resize(size));
    }
    resetPeakResident();
    const qint64 before = peakResidentKiB();

    MenuBook book;
    QVERIFY(book.loadStartupFile());

    QCOMPARE(book.menus, MenuText::book({record(1, "Huge", {{{1, 2, 3}, {}, {}}})}));
    QCOMPARE(QFileInfo(WorkingCopy).size(), size);
    if (before == 0)
        QSKIP("peak memory of the process is not available here");
    // As text the line would take 2 GiB; the reader holds one chunk of it.
    const qint64 growth = peakResidentKiB() - before;
    QVERIFY2(growth < 32 * 1024, qPrintable(QStringLiteral("peak grew by %1 KiB").arg(growth)));
}

void tst_HostileFiles::danglingWorkingCopyLink_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("loaded");
    // The link's own folder exists: the default book is written where the
    // link points, and the link is kept.
    QTest::newRow("to a missing file") << "books/menufile.hex" << true;
    // A stick that is not plugged in: nothing can be written, nothing is.
    QTest::newRow("into a missing folder") << "stick/books/menufile.hex" << false;
}

void tst_HostileFiles::danglingWorkingCopyLink()
{
#ifdef Q_OS_WIN
    QSKIP("QFile::link makes a shortcut on Windows, not a symbolic link");
#endif
    QFETCH(QString, target);
    QFETCH(bool, loaded);
    QVERIFY(QDir().mkdir(QStringLiteral("books")));
    QVERIFY(QFile::link(target, WorkingCopy));
    if (!loaded)
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral(".+")));

    MenuBook book;
    QCOMPARE(book.loadStartupFile(), loaded);

    QCOMPARE(QFileInfo(WorkingCopy).symLinkTarget(), QFileInfo(target).absoluteFilePath());
    if (loaded) {
        QCOMPARE(book.menus, MenuText::book());
        QCOMPARE(contents(target), MenuBook::fileBytes(MenuBook::defaultText()));
    } else {
        QVERIFY(book.menus.isEmpty());
        QVERIFY(book.chosenFileName.isEmpty());
        QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 (QStringList{QStringLiteral("books"), WorkingCopy}));
    }
}

QTEST_GUILESS_MAIN(tst_HostileFiles)
#include "tst_hostilefiles.moc"
