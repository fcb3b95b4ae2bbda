#include "menubook.h"
#include "menuclipboardtext.h"
#include "menufilereader.h"
#include "peakmemory.h"

#include <QBuffer>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

using Stages = std::array<MenuStage, 3>;
Q_DECLARE_METATYPE(Stages)

namespace {

QList<MenuRecord> readBytes(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    MenuBook book;
    book.readMenuFile(buffer);
    return book.menus;
}

QByteArray header()
{
    return MenuBook::fileBytes(MenuBook::headerText());
}

QByteArray row(const QByteArray &name, int number, const QByteArray &values)
{
    return name + ",#" + QByteArray::number(number).rightJustified(4, '0') + ',' + values + '\n';
}

// Letters only, so each name survives the reader: 0 -> "a", 25 -> "z", 26 -> "ba".
QByteArray letterName(int n)
{
    QByteArray name;
    do {
        name.prepend(char('a' + n % 26));
        n /= 26;
    } while (n > 0);
    return name;
}

bool isFiller(const MenuRecord &record)
{
    return record.name.isEmpty() && record.stages == Stages{};
}

// Produces one endless line of 'x' after a short row prefix, then a good row,
// without ever holding more than one read request in memory.
class EndlessLineDevice : public QIODevice
{
public:
    explicit EndlessLineDevice(qint64 lineBytes) : lineBytes(lineBytes) {}
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        static const QByteArray prefix = "Huge,#0001,";
        static const QByteArray tail = "\nSoup,#0001,1,2,3,0,0,0,0,0,0\n";
        if (produced == 0 && maxSize >= prefix.size()) {
            memcpy(data, prefix.constData(), size_t(prefix.size()));
            produced = prefix.size();
            return prefix.size();
        }
        if (produced < lineBytes) {
            const qint64 n = qMin(maxSize, lineBytes - produced);
            memset(data, 'x', size_t(n));
            produced += n;
            return n;
        }
        const qint64 n = qMin(maxSize, lineBytes + tail.size() - produced);
        memcpy(data, tail.constData() + (produced - lineBytes), size_t(n));
        produced += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    qint64 lineBytes;
    qint64 produced = 0;
};

} // namespace

class tst_MenuFileReader : public QObject
{
    Q_OBJECT

private slots:
    void rowRules_data();
    void rowRules();
    void numberFields_data();
    void numberFields();
    void emptyOrHeaderOnlyGivesFillers_data();
    void emptyOrHeaderOnlyGivesFillers();
    void codesFollowRowCounter();
    void emptyLineStopsReading_data();
    void emptyLineStopsReading();
    void shortRowDoesNotUseItsNumber();
    void stopsAfter299Rows();
    void reservedRowsComeBackZeroed();
    void encodings_data();
    void encodings();
    void lineLengthBound_data();
    void lineLengthBound();
    void multiMegabyteLineInFile();
    void endlessLineKeepsMemoryBounded();
    void findingsPerLine();
    void pastedLines_data();
    void pastedLines();
};

void tst_MenuFileReader::rowRules_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("name");
    QTest::addColumn<Stages>("stages");
    const Stages zero{};
    const Stages popcorn{{{10, 2, 30}, {}, {}}};

    QTest::newRow("full row") << QByteArray("Popcorn,#0005,10,2,30,0,0,0,0,0,0") << "Popcorn"
                              << popcorn;
    QTest::newRow("no name column") << QByteArray("#0001,10,2,30,0,0,0,0,0,0") << "" << popcorn;
    QTest::newRow("column 1 ignored")
        << QByteArray("Tea,#0777 whatever,10,2,30,0,0,0,0,0,0") << "Tea" << popcorn;
    QTest::newRow("columns after 10 ignored")
        << QByteArray("Tea,#0001,10,2,30,0,0,0,0,0,0,99,abc,") << "Tea" << popcorn;
    QTest::newRow("fields trimmed")
        << QByteArray("  Pizza  ,#0001 , 10 ,\t2, 30 ,0,0,0,0,0,0 ") << "Pizza" << popcorn;
    // Without ",#0" the first field is column 1, so every column shifts.
    QTest::newRow("space before marker: no name column")
        << QByteArray("  Pizza  , #0001 , 10 ,\t2, 30 ,0,0,0,0,0,0") << "" << zero;
    QTest::newRow("inner spaces kept")
        << QByteArray("Hot  Tea,#0001,0,0,0,0,0,0,0,0,0") << "Hot  Tea" << zero;
    QTest::newRow("digit in name")
        << QByteArray("Pizza 2,#0001,10,2,30,0,0,0,0,0,0") << "" << popcorn;
    QTest::newRow("hyphen in name")
        << QByteArray("Tee-Time,#0001,10,2,30,0,0,0,0,0,0") << "" << popcorn;
    QTest::newRow("tab in name") << QByteArray("Tee\tTime,#0001,0,0,0,0,0,0,0,0,0") << "" << zero;
    QTest::newRow("accented name")
        << QByteArray("Cr\xc3\xa8me,#0001,0,0,0,0,0,0,0,0,0") << "" << zero;
    QTest::newRow("chinese name") << QByteArray("\xe7\xb1\xb3\xe9\xa5\xad,#0001,0,0,0,0,0,0,0,0,0")
                                  << "" << zero;
    QTest::newRow("written chinese name") << QByteArray("??,#0001,0,0,0,0,0,0,0,0,0") << "" << zero;
    QTest::newRow("comma in name shifts columns")
        << QByteArray("Rice,Beans,#0001,10,2,30,0,0,0,0,0,0") << "Rice" << Stages{};

    // As spreadsheets save books: cells wholly in quotes, semicolons after a header saying so.
    QTest::newRow("quoted text cells")
        << QByteArray("\"Popcorn\",\"#0005\",10,2,30,0,0,0,0,0,0") << "Popcorn" << popcorn;
    QTest::newRow("every cell quoted, spaces around")
        << QByteArray(" \" Popcorn\" , \"#0005\",\"10\",\"2\",\"30\",\"0\",0,0,0,0,\"0\" ")
        << "Popcorn" << popcorn;
    QTest::newRow("doubled quote refuses the name")
        << QByteArray("\"Pop\"\"corn\"\"\",\"#0005\",10,2,30,0,0,0,0,0,0") << "" << popcorn;
    QTest::newRow("comma inside quotes stays in the name")
        << QByteArray("\"Rice, Beans\",\"#0005\",10,2,30,0,0,0,0,0,0") << "" << popcorn;
    QTest::newRow("not wholly quoted: as before")
        << QByteArray("\"Pop\"corn,#0005,10,2,30,0,0,0,0,0,0") << "" << popcorn;
    QTest::newRow("unclosed quote: as before")
        << QByteArray("\"Rice,Beans,#0001,10,2,30,0,0,0,0,0,0") << "" << zero;
    QTest::newRow("semicolons") << header().replace(',', ';') + "Popcorn;#0005;10;2;30;0;0;0;0;0;0"
                                << "Popcorn" << popcorn;
    QTest::newRow("semicolons, quoted")
        << QByteArray("\"MenuName\";\n\"Popcorn\";\"#0005\";10;2;30;0;0;0;0;0;0") << "Popcorn"
        << popcorn;
    QTest::newRow("semicolons under the editor's header")
        << QByteArray("Popcorn;#0005;10;2;30;0;0;0;0;0;0") << "" << zero;

    // The row check, limits inclusive; a failing row keeps its name.
    QTest::newRow("P10 15:00 kept")
        << QByteArray("A,#0001,10,15,0,0,0,0,0,0,0") << "A" << Stages{{{10, 15, 0}, {}, {}}};
    QTest::newRow("P10 14:60 kept")
        << QByteArray("A,#0001,10,14,60,0,0,0,0,0,0") << "A" << Stages{{{10, 14, 60}, {}, {}}};
    QTest::newRow("P10 15:01 zeroed") << QByteArray("A,#0001,10,15,1,0,0,0,0,0,0") << "A" << zero;
    QTest::newRow("two P10 9:00 kept")
        << QByteArray("A,#0001,10,9,0,10,9,0,0,0,0") << "A" << Stages{{{10, 9, 0}, {10, 9, 0}, {}}};
    QTest::newRow("three P10 9:00 zeroed")
        << QByteArray("A,#0001,10,9,0,10,9,0,10,9,0") << "A" << zero;
    QTest::newRow("P10 total 25:00 kept") << QByteArray("A,#0001,10,15,0,5,60,0,10,10,0") << "A"
                                          << Stages{{{10, 15, 0}, {5, 60, 0}, {10, 10, 0}}};
    QTest::newRow("P10 total 25:01 zeroed")
        << QByteArray("A,#0001,10,15,0,0,0,0,10,10,1") << "A" << zero;
    QTest::newRow("P9 60:00 kept")
        << QByteArray("A,#0001,9,60,0,0,0,0,0,0,0") << "A" << Stages{{{9, 60, 0}, {}, {}}};
    QTest::newRow("P9 60:01 zeroed") << QByteArray("A,#0001,9,60,1,0,0,0,0,0,0") << "A" << zero;
    QTest::newRow("P9 61:00 zeroed") << QByteArray("A,#0001,9,61,0,0,0,0,0,0,0") << "A" << zero;
    QTest::newRow("P0 with time kept")
        << QByteArray("A,#0001,0,5,0,0,0,0,0,0,0") << "A" << Stages{{{0, 5, 0}, {}, {}}};
    QTest::newRow("seconds 99 kept")
        << QByteArray("A,#0001,0,0,0,0,0,0,3,1,99") << "A" << Stages{{{}, {}, {3, 1, 99}}};
    QTest::newRow("seconds 100 zeroed") << QByteArray("A,#0001,3,0,100,0,0,0,0,0,0") << "A" << zero;
    QTest::newRow("power 11 zeroed") << QByteArray("A,#0001,11,0,0,0,0,0,0,0,0") << "A" << zero;
    QTest::newRow("negative power zeroed")
        << QByteArray("A,#0001,0,0,0,-1,0,0,0,0,0") << "A" << zero;
    QTest::newRow("negative seconds zeroed")
        << QByteArray("A,#0001,0,0,0,0,0,0,1,1,-1") << "A" << zero;
    QTest::newRow("huge minutes zeroed")
        << QByteArray("A,#0001,1,2147483647,2147483647,0,0,0,0,0,0") << "A" << zero;
}

void tst_MenuFileReader::rowRules()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, name);
    QFETCH(Stages, stages);
    const bool ownHeader = line.startsWith("MenuName") || line.startsWith("\"MenuName");
    const QList<MenuRecord> menus = readBytes((ownHeader ? line : header() + line) + "\n");
    QCOMPARE(menus.size(), 299);
    QCOMPARE(menus[0].number, 1);
    QCOMPARE(menus[0].code, QStringLiteral("A-01"));
    QCOMPARE(menus[0].name, name);
    QCOMPARE(menus[0].stages, stages);
    QVERIFY(isFiller(menus[1]));
}

void tst_MenuFileReader::numberFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "7" << true << 7;
    QTest::newRow("leading zero") << "07" << true << 7;
    QTest::newRow("plus") << "+7" << true << 7;
    QTest::newRow("minus") << "-7" << true << -7;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::newRow("one beyond") << "2147483648" << false << 0;
    QTest::newRow("one below") << "-2147483649" << false << 0;
    QTest::newRow("beyond 32 bits") << "99999999999" << false << 0;
    QTest::newRow("beyond 64 bits") << "99999999999999999999999" << false << 0;
    QTest::newRow("trailing letter") << "7a" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("decimal point") << "1.5" << false << 0;
    QTest::newRow("hex") << "0x10" << false << 0;
    QTest::newRow("inner space") << "1 0" << false << 0;
    QTest::newRow("fullwidth digit") << QString::fromUtf8("\uff17") << false << 0;
}

void tst_MenuFileReader::numberFields()
{
    QFETCH(QString, field);
    QFETCH(bool, readable);
    QFETCH(int, value);
    int read = 0;
    QCOMPARE(MenuFileReader::readNumber(field, read), readable);
    if (readable)
        QCOMPARE(read, value);

    // In a row, an unreadable field counts as 0 and the row itself is kept.
    if (readable && (value < 0 || value > 99))
        return;
    const QList<MenuRecord> menus =
        readBytes(header() + row("Tea", 1, "1,0," + field.toUtf8() + ",0,0,0,0,0,0"));
    QCOMPARE(menus[0].name, QStringLiteral("Tea"));
    QCOMPARE(menus[0].stages[0], (MenuStage{1, 0, value}));
}

void tst_MenuFileReader::emptyOrHeaderOnlyGivesFillers_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("header only") << header();
    QTest::newRow("header with CR LF") << header().replace("\n", "\r\n");
    QTest::newRow("stray text, no marker") << QByteArray("hello\nworld,1,2,3\n");
}

void tst_MenuFileReader::emptyOrHeaderOnlyGivesFillers()
{
    QFETCH(QByteArray, bytes);
    const QList<MenuRecord> menus = readBytes(bytes);
    QCOMPARE(menus.size(), 299);
    for (int p = 0; p < menus.size(); ++p) {
        QCOMPARE(menus[p].number, p + 1);
        QVERIFY(isFiller(menus[p]));
    }
}

void tst_MenuFileReader::codesFollowRowCounter()
{
    QByteArray bytes = header();
    for (int n = 1; n <= 150; ++n)
        bytes += row(letterName(n), 300 - n, "0,0,0,0,0,0,0,0,0");
    const QList<MenuRecord> menus = readBytes(bytes);
    const QList<QPair<int, QString>> expected = {
        {0, "A-01"},   {98, "A-99"},  {99, "b-00"},  {100, "b-01"}, {149, "b-50"},
        {150, "b-51"}, {198, "b-99"}, {199, "C-00"}, {200, "C-01"}, {298, "C-99"}};
    for (const auto &[position, code] : expected) {
        QCOMPARE(menus[position].code, code);
        QCOMPARE(menus[position].number, position + 1);
    }
    QCOMPARE(menus[149].name, QString::fromLatin1(letterName(150)));
}

void tst_MenuFileReader::emptyLineStopsReading_data()
{
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CR LF") << QByteArray("\r\n");
}

void tst_MenuFileReader::emptyLineStopsReading()
{
    QFETCH(QByteArray, lineEnd);
    QByteArray bytes = header();
    for (int n = 1; n <= 12; ++n) {
        bytes += row(letterName(n), n, "1,1,0,0,0,0,0,0,0");
        if (n == 10)
            bytes += '\n';
    }
    const QList<MenuRecord> menus = readBytes(bytes.replace("\n", lineEnd));
    QCOMPARE(menus.size(), 299);
    QCOMPARE(menus[9].name, QString::fromLatin1(letterName(10)));
    QCOMPARE(menus[9].stages[0], (MenuStage{1, 1, 0}));
    QVERIFY(isFiller(menus[10]));
    QCOMPARE(menus[10].number, 11);
}

void tst_MenuFileReader::shortRowDoesNotUseItsNumber()
{
    const QList<MenuRecord> menus =
        readBytes(header() + row("Short", 1, "1,2,3,4,5,6,7,8") + "stray text without marker\n" +
                  row("Full", 2, "1,2,3,4,5,6,7,8,9"));
    QCOMPARE(menus[0].number, 1);
    QCOMPARE(menus[0].name, QStringLiteral("Full"));
    QCOMPARE(menus[0].stages, (Stages{{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}}));
    QVERIFY(isFiller(menus[1]));
}

void tst_MenuFileReader::stopsAfter299Rows()
{
    QByteArray bytes = header();
    for (int n = 1; n <= 305; ++n)
        bytes += row(letterName(n), n, "2,0,5,0,0,0,0,0,0");
    const QList<MenuRecord> menus = readBytes(bytes);
    QCOMPARE(menus.size(), 299);
    QCOMPARE(menus[298].name, QString::fromLatin1(letterName(299)));
    QCOMPARE(menus[298].code, QStringLiteral("C-99"));
}

void tst_MenuFileReader::reservedRowsComeBackZeroed()
{
    QByteArray bytes = header();
    for (int n = 1; n <= 299; ++n)
        bytes += row(letterName(n), n, "2,0,5,0,0,0,0,0,0");
    const QList<MenuRecord> menus = readBytes(bytes);
    for (int p = 0; p < 299; ++p) {
        QCOMPARE(menus[p].name, QString::fromLatin1(letterName(p + 1)));
        const bool reserved = p == 99 || p == 199;
        QCOMPARE(menus[p].stages[0], (reserved ? MenuStage{} : MenuStage{2, 0, 5}));
    }
}

void tst_MenuFileReader::encodings_data()
{
    const QByteArray text = header() + row("Soup", 1, "1,2,3,0,0,0,0,0,0");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::newRow("UTF-8 without mark") << text << "Soup";
    QTest::newRow("UTF-8 with mark") << "\xef\xbb\xbf" + text << "Soup";
    QTest::newRow("mark before a row")
        << "\xef\xbb\xbf" + row("Soup", 1, "1,2,3,0,0,0,0,0,0") << "Soup";
    QStringEncoder toUtf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    QTest::newRow("UTF-16 with mark") << QByteArray(toUtf16(QString::fromLatin1(text))) << "Soup";
    QTest::newRow("invalid UTF-8 in name")
        << header() + row("So\xffup", 1, "1,2,3,0,0,0,0,0,0") << "";
    QTest::newRow("Latin-1 byte in name")
        << header() + row("Cr\xe8me", 1, "1,2,3,0,0,0,0,0,0") << "";
}

void tst_MenuFileReader::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    const QList<MenuRecord> menus = readBytes(bytes);
    QCOMPARE(menus[0].name, name);
    QCOMPARE(menus[0].stages[0], (MenuStage{1, 2, 3}));
    QVERIFY(isFiller(menus[1]));
}

void tst_MenuFileReader::lineLengthBound_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<bool>("cut");
    const int bound = int(MenuFileReader::MaxLineLength);
    QTest::newRow("at the bound") << bound << QByteArray("\n") << false;
    QTest::newRow("at the bound, CR LF") << bound << QByteArray("\r\n") << false;
    QTest::newRow("one beyond") << bound + 1 << QByteArray("\n") << true;
    QTest::newRow("one beyond, CR LF") << bound + 1 << QByteArray("\r\n") << true;
    QTest::newRow("at the bound, last line") << bound << QByteArray() << false;
    QTest::newRow("one beyond, last line") << bound + 1 << QByteArray() << true;
}

void tst_MenuFileReader::lineLengthBound()
{
    QFETCH(int, length);
    QFETCH(QByteArray, lineEnd);
    QFETCH(bool, cut);
    // The padding sits in ignored columns: however long the line, the row
    // keeps its menu and the next row its number.
    QByteArray line = "Long,#0001,1,2,3,0,0,0,0,0,0,";
    line += QByteArray(length - line.size(), 'x');
    const QByteArray next = lineEnd.isEmpty() ? QByteArray() : row("Next", 2, "4,5,6,0,0,0,0,0,0");
    QList<bool> cuts;
    QBuffer buffer;
    buffer.setData(header() + line + lineEnd + next);
    buffer.open(QIODevice::ReadOnly);
    const QList<MenuRecord> menus = MenuFileReader([&](const MenuFileReader::LineFinding &f) {
                                        cuts.append(f.cutAtLengthBound);
                                    }).read(buffer);
    QCOMPARE(cuts.value(20), cut);
    QCOMPARE(menus[0].name, QStringLiteral("Long"));
    QCOMPARE(menus[0].stages[0], (MenuStage{1, 2, 3}));
    QCOMPARE(menus[1].name, next.isEmpty() ? QString() : QStringLiteral("Next"));
    QCOMPARE(menus[1].number, 2);
}

void tst_MenuFileReader::multiMegabyteLineInFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("huge.hex")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(header() + row("First", 1, "1,1,1,0,0,0,0,0,0") + "Huge,#0002,2,2,2,0,0,0,0,0,0");
    const QByteArray block(1 << 20, ',');
    for (int i = 0; i < 8; ++i)
        file.write(block);
    file.write("\n" + row("Last", 3, "3,3,3,0,0,0,0,0,0"));
    file.close();

    QVERIFY(file.open(QIODevice::ReadOnly));
    MenuBook book;
    book.readMenuFile(file);
    QCOMPARE(book.menus.size(), 299);
    QCOMPARE(book.menus[0].name, QStringLiteral("First"));
    QCOMPARE(book.menus[1].name, QStringLiteral("Huge"));
    QCOMPARE(book.menus[1].stages[0], (MenuStage{2, 2, 2}));
    QCOMPARE(book.menus[2].name, QStringLiteral("Last"));
    QCOMPARE(book.menus[2].number, 3);
    QCOMPARE(book.menus[2].stages[0], (MenuStage{3, 3, 3}));
}

void tst_MenuFileReader::endlessLineKeepsMemoryBounded()
{
    const qint64 lineBytes = qint64(512) << 20;
    const qint64 before = peakResidentKiB();
    EndlessLineDevice device(lineBytes);
    device.open(QIODevice::ReadOnly);
    QList<MenuFileReader::LineFinding> findings;
    const QList<MenuRecord> menus = MenuFileReader([&](const MenuFileReader::LineFinding &f) {
                                        findings.append(f);
                                    }).read(device);

    QCOMPARE(findings.size(), 2);
    // Its first fields end inside the bound with no stage values: a short row.
    QCOMPARE(findings[0].kind, MenuFileReader::LineKind::DroppedShortRow);
    QVERIFY(findings[0].cutAtLengthBound);
    QCOMPARE(menus[0].name, QStringLiteral("Soup"));
    if (before == 0)
        QSKIP("peak memory of the process is not available here");
    // Holding the line would take a gigabyte as text; the reader keeps a chunk.
    QVERIFY2(peakResidentKiB() - before < 32 * 1024,
             qPrintable(QStringLiteral("peak grew by %1 KiB").arg(peakResidentKiB() - before)));
}

void tst_MenuFileReader::findingsPerLine()
{
    using Kind = MenuFileReader::LineKind;
    const QByteArray bytes = header() + row("Soup", 1, "1,2,3,0,0,0,0,0,0") +
                             row("Short", 2, "1,2,3") + "no marker here\n" +
                             "#0002,x,3,10,10,16,0,0,0,0,11\n" + row("Pizza 2", 3, "0,0,0,0,0,0") +
                             QByteArray(MenuFileReader::MaxLineLength + 1, '#') + "\n" +
                             "\nAfter,#0004,0,0,0,0,0,0,0,0,0\n";
    QList<MenuFileReader::LineFinding> findings;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    MenuFileReader([&](const MenuFileReader::LineFinding &f) { findings.append(f); }).read(buffer);

    QCOMPARE(findings.size(), 27);
    for (int i = 0; i < 20; ++i)
        QCOMPARE(findings[i].kind, Kind::SkippedWithoutMarker);
    QCOMPARE(findings[20].kind, Kind::Accepted);
    QCOMPARE(findings[20].lineNumber, 21);
    QCOMPARE(findings[20].recordNumber, 1);
    QCOMPARE(findings[21].kind, Kind::DroppedShortRow);
    QCOMPARE(findings[21].recordNumber, 2);
    QCOMPARE(findings[21].fieldCount, 5);
    QCOMPARE(findings[22].kind, Kind::SkippedWithoutMarker);
    const MenuFileReader::LineFinding &noName = findings[23];
    QCOMPARE(noName.kind, Kind::Accepted);
    QCOMPARE(noName.recordNumber, 2);
    QVERIFY(!noName.hasNameColumn);
    QCOMPARE(noName.fieldCount, 11);
    QCOMPARE(noName.unreadableColumns, quint16(1u << 2));
    QVERIFY(noName.failedRowCheck);
    QCOMPARE(noName.ignoredColumns, 1);
    QCOMPARE(findings[24].kind, Kind::DroppedShortRow);
    QVERIFY(findings[24].nameRejected);
    QCOMPARE(findings[24].unreadableColumns, quint16(0));
    QCOMPARE(findings[25].kind, Kind::SkippedWithoutMarker);
    QVERIFY(findings[25].cutAtLengthBound);
    QCOMPARE(findings[25].text.size(), MenuFileReader::MaxLineLength);
    QCOMPARE(findings[26].kind, Kind::StoppedAtEmptyLine);
    QCOMPARE(findings[26].lineNumber, 27);
}

void tst_MenuFileReader::pastedLines_data()
{
    // Lines as spreadsheets put them on the clipboard; "name/nine values"
    // per record, or for a refused paste "line fault" (PasteFault's value).
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("records");
    const QString soup = QStringLiteral("Soup/10 2 30 0 0 0 0 0 0");
    QTest::newRow("tabs, number column, CR LF")
        << "Soup\t#0007\t10\t2\t30\t0\t0\t0\t0\t0\t0\r\n\r\n Rice \t5\t1\t0\t0\t0\t0\t0\t0\t0\r\n"
        << soup + "|Rice/5 1 0 0 0 0 0 0 0";
    QTest::newRow("commas, quoted cells") << "\"Soup\",#0001,\"10\",2,30,0,0,0,0,0,0" << soup;
    QTest::newRow("number first, no name") << "#0003,1,2,3,0,0,0,0,0,0"
                                           << "/1 2 3 0 0 0 0 0 0";
    QTest::newRow("copied row reads back")
        << MenuClipboardText::rowLine({5, "A-05", "Soup", {{{10, 2, 30}}}}, 5, u'\t') << soup;
    QTest::newRow("the file's header, multi-line cells, skipped")
        << MenuBook::headerText() + "Soup,#0001,10,2,30,0,0,0,0,0,0\n"
        << soup;
    QTest::newRow("a sheet's header, powers as the window writes them")
        << "MenuName\tnum\tpower\n\nSoup\tP10\t2\t30\tp0\t0\t0\tP00\t0\t0" << soup;
    QTest::newRow("quote left open") << "\"Soup,10,2,30,0,0,0,0,0,0"
                                     << "1 2";
    QTest::newRow("nine cells") << "Soup\t10\t2\t30\t0\t0\t0\t0\t0"
                                << "1 3";
    QTest::newRow("11 cells without a number") << "Tea\t10\t2\t30\t0\t0\t0\t0\t0\t0\t7"
                                               << "1 4";
    QTest::newRow("digit in name, after a header and a blank line")
        << "MenuName\n\nSoup 2\t10\t2\t30\t0\t0\t0\t0\t0\t0"
        << "3 5";
    QTest::newRow("17 letters") << "Abcdefghijklmnopq,0,0,0,0,0,0,0,0,0"
                                << "1 6";
    QTest::newRow("16 letters") << "Abcdefghijklmnop,0,0,0,0,0,0,0,0,0"
                                << "Abcdefghijklmnop/0 0 0 0 0 0 0 0 0";
    QTest::newRow("P11") << "Soup\tP11\t2\t30\t0\t0\t0\t0\t0\t0"
                         << "1 7";
    QTest::newRow("empty value") << "Soup\t10\t\t30\t0\t0\t0\t0\t0\t0"
                                 << "1 8";
    QTest::newRow("seconds out of range") << "Soup\t5\t2\t100\t0\t0\t0\t0\t0\t0"
                                          << "1 9";
    QTest::newRow("P10 menu over 25 min") << "Soup,10,15,0,10,11,0,0,0,0"
                                          << "1 10";
    QTest::newRow("P10 stage over 15 min") << "Soup\t10\t15\t1\t0\t0\t0\t0\t0\t0"
                                           << "1 11";
    QTest::newRow("stage over 60 min") << "Soup\t9\t60\t1\t0\t0\t0\t0\t0\t0"
                                       << "1 12";
    QTest::newRow("one good line, one bad")
        << "Soup\t10\t2\t30\t0\t0\t0\t0\t0\t0\nTea\t1\t1\t1\t0\t0\t0\t0\t0\tx"
        << "2 9";
    QTest::newRow("more lines than room")
        << QStringLiteral("a,0,0,0,0,0,0,0,0,0\n").repeated(4) << "4 13";
    QTest::newRow("nothing") << " \n"
                             << "0 1";
}

void tst_MenuFileReader::pastedLines()
{
    QFETCH(QString, text);
    QFETCH(QString, records);
    const PastedMenus pasted = MenuClipboardText::parse(text, 3);
    QStringList got;
    for (const MenuRecord &record : pasted.records) {
        QStringList values;
        for (const MenuStage &stage : record.stages)
            values << QString::number(stage.power) << QString::number(stage.minutes)
                   << QString::number(stage.seconds);
        got << record.name + u'/' + values.join(u' ');
    }
    QCOMPARE(pasted.accepted() ? got.join(u'|')
                               : QStringLiteral("%1 %2").arg(pasted.line).arg(int(pasted.fault)),
             records);
}

QTEST_GUILESS_MAIN(tst_MenuFileReader)
#include "tst_menufilereader.moc"
