#include "menubook.h"

#include <QBuffer>
#include <QTest>

Q_DECLARE_METATYPE(MenuRecord)

namespace {

MenuRecord record(int number, const QString &code, const QString &name,
                  std::array<MenuStage, 3> stages)
{
    MenuRecord r;
    r.number = number;
    r.code = code;
    r.name = name;
    r.stages = stages;
    return r;
}

// A freshly read default book: 299 empty records numbered and coded.
MenuBook defaultBook()
{
    MenuBook book;
    QByteArray bytes = MenuBook::fileBytes(MenuBook::defaultText());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    book.readMenuFile(buffer);
    return book;
}

const char ExpectedHeader[] = "MenuName,\"num\n(1-297)\","
                              "\"First Section\npower\n(0-10)\","
                              "\"First Section\nmin\n(0-60)\","
                              "\"First Section\nsec\n(0-99)\","
                              "\"Second Section\npower\n(0-10)\","
                              "\"Second Section\nmin\n(0-60)\","
                              "\"Second Section\nsec\n(0-99)\","
                              "\"Third Section\npower\n(0-10)\","
                              "\"Third Section\nmin\n(0-60)\","
                              "\"Third Section\nsec\n(0-99)\",\n";

} // namespace

class tst_MenuBook : public QObject
{
    Q_OBJECT

private slots:
    void positionOfMenu_data();
    void positionOfMenu();
    void menuCountIsAlways297();
    void clearMenu_data();
    void clearMenu();
    void replaceMenuTouchesOnlyItsPosition();
    void appendMenuNumbersFromListSize();

    void headerBytes();
    void defaultTextRows();
    void rowBytes_data();
    void rowBytes();
    void rowsAreNumberedByPosition();
    void latin1Bytes_data();
    void latin1Bytes();
    void savedBookReadsBackTheSame();
};

void tst_MenuBook::positionOfMenu_data()
{
    QTest::addColumn<int>("menuIndex");
    QTest::addColumn<int>("position");
    QTest::newRow("first A") << 0 << 0;
    QTest::newRow("last A") << 98 << 98;
    QTest::newRow("first b") << 99 << 100;
    QTest::newRow("b-52") << 150 << 151;
    QTest::newRow("last b") << 197 << 198;
    QTest::newRow("first C") << 198 << 200;
    QTest::newRow("last C") << 296 << 298;
}

void tst_MenuBook::positionOfMenu()
{
    QFETCH(int, menuIndex);
    QFETCH(int, position);
    QCOMPARE(MenuBook::positionOfMenu(menuIndex), position);
}

void tst_MenuBook::menuCountIsAlways297()
{
    MenuBook empty;
    QCOMPARE(empty.menuCount(), 297);
    QCOMPARE(defaultBook().menuCount(), 297);
}

void tst_MenuBook::clearMenu_data()
{
    QTest::addColumn<int>("menuIndex");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("code");
    QTest::newRow("A-01") << 0 << 0 << "A-01";
    QTest::newRow("b-01 beside reserved b-00") << 99 << 100 << "b-01";
    QTest::newRow("b-52") << 150 << 151 << "b-52";
    QTest::newRow("C-01 beside reserved C-00") << 198 << 200 << "C-01";
}

void tst_MenuBook::clearMenu()
{
    QFETCH(int, menuIndex);
    QFETCH(int, position);
    QFETCH(QString, code);
    MenuBook book = defaultBook();
    const std::array<MenuStage, 3> stages{{{10, 2, 30}, {5, 1, 0}, {1, 0, 99}}};
    for (MenuRecord &r : book.menus) {
        r.name = QStringLiteral("Soup");
        r.stages = stages;
    }
    const QList<MenuRecord> before = book.menus;

    book.clearMenu(menuIndex);

    QCOMPARE(book.menus.size(), before.size());
    for (int p = 0; p < book.menus.size(); ++p) {
        if (p != position) {
            QCOMPARE(book.menus[p], before[p]);
            continue;
        }
        QCOMPARE(book.menus[p].number, position + 1);
        QCOMPARE(book.menus[p].code, code);
        QVERIFY(book.menus[p].name.isEmpty());
        QCOMPARE(book.menus[p].stages, (std::array<MenuStage, 3>{}));
    }
}

void tst_MenuBook::replaceMenuTouchesOnlyItsPosition()
{
    MenuBook book = defaultBook();
    const QList<MenuRecord> before = book.menus;
    MenuRecord edited = record(5, "A-05", "Popcorn", {{{10, 2, 30}, {}, {}}});

    book.replaceMenu(edited);
    edited.name = QStringLiteral("Changed later");

    QCOMPARE(book.menus[4].name, QStringLiteral("Popcorn"));
    QCOMPARE(book.menus[4].stages[0], (MenuStage{10, 2, 30}));
    for (int p = 0; p < book.menus.size(); ++p) {
        if (p != 4)
            QCOMPARE(book.menus[p], before[p]);
    }
}

void tst_MenuBook::appendMenuNumbersFromListSize()
{
    MenuBook empty;
    empty.appendMenu(record(77, "#0300", "Tea", {}));
    QCOMPARE(empty.menus.size(), 1);
    QCOMPARE(empty.menus[0].number, 1);

    MenuBook full = defaultBook();
    full.appendMenu(record(0, "#0300", "Tea", {{{3, 1, 0}, {}, {}}}));
    QCOMPARE(full.menus.size(), 300);
    QCOMPARE(full.menus[299], record(300, "#0300", "Tea", {{{3, 1, 0}, {}, {}}}));
}

void tst_MenuBook::headerBytes()
{
    const QByteArray header = MenuBook::fileBytes(MenuBook::headerText());
    QCOMPARE(header, QByteArray(ExpectedHeader));
    QCOMPARE(header.count('\n'), 20);

    MenuBook empty;
    QCOMPARE(empty.menuFileText(), MenuBook::headerText());
}

void tst_MenuBook::defaultTextRows()
{
    const QString text = MenuBook::defaultText();
    QVERIFY(text.startsWith(MenuBook::headerText()));
    const QStringList rows = text.mid(MenuBook::headerText().size()).split(u'\n');
    QCOMPARE(rows.size(), 300); // 299 rows and the empty rest after the last line break
    QCOMPARE(rows[0], QStringLiteral(",#0001,0,0,0,0,0,0,0,0,0"));
    QCOMPARE(rows[99], QStringLiteral(",#0100,0,0,0,0,0,0,0,0,0"));
    QCOMPARE(rows[298], QStringLiteral(",#0299,0,0,0,0,0,0,0,0,0"));
    QVERIFY(rows[299].isEmpty());
    // A default book saved again is the default text.
    QCOMPARE(defaultBook().menuFileText(), text);
}

void tst_MenuBook::rowBytes_data()
{
    QTest::addColumn<MenuRecord>("menu");
    QTest::addColumn<QByteArray>("row");
    QTest::newRow("popcorn") << record(5, "A-05", "Popcorn", {{{10, 2, 30}, {}, {}}})
                             << QByteArray("Popcorn,#0005,10,2,30,0,0,0,0,0,0\n");
    QTest::newRow("no name") << record(5, "A-05", "", {})
                             << QByteArray(",#0005,0,0,0,0,0,0,0,0,0\n");
    QTest::newRow("spaces kept, values unchecked")
        << record(5, "A-05", " Hot Tea ", {{{-1, 61, 100}, {11, 0, 7}, {0, 60, 99}}})
        << QByteArray(" Hot Tea ,#0005,-1,61,100,11,0,7,0,60,99\n");
    QTest::newRow("comma unescaped") << record(5, "A-05", "Rice,Beans", {})
                                     << QByteArray("Rice,Beans,#0005,0,0,0,0,0,0,0,0,0\n");
}

void tst_MenuBook::rowBytes()
{
    QFETCH(MenuRecord, menu);
    QFETCH(QByteArray, row);
    MenuBook book = defaultBook();
    book.menus[4] = menu;
    const QByteArray bytes = MenuBook::fileBytes(book.menuFileText());
    const QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(lines.size(), 20 + 299 + 1);
    QCOMPARE(lines[20 + 4] + '\n', row);
    QVERIFY(!bytes.contains('\r'));
    QVERIFY(bytes.endsWith(",#0299,0,0,0,0,0,0,0,0,0\n"));
}

void tst_MenuBook::rowsAreNumberedByPosition()
{
    MenuBook book;
    book.menus = {record(42, "C-42", "Tea", {}), record(7, "A-07", "", {})};
    QCOMPARE(book.menuFileText(),
             MenuBook::headerText() + QStringLiteral("Tea,#0001,0,0,0,0,0,0,0,0,0\n"
                                                     ",#0002,0,0,0,0,0,0,0,0,0\n"));
}

void tst_MenuBook::latin1Bytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << "Soup" << QByteArray("Soup");
    QTest::newRow("latin-1 letter") << QString::fromUtf8("Cr\u00e8me") << QByteArray("Cr\xe8me");
    QTest::newRow("chinese") << QString::fromUtf8("\u7c73\u996d") << QByteArray("??");
    QTest::newRow("beyond basic plane") << QString::fromUtf8("a\U0001F35Ab") << QByteArray("a?b");
    QTest::newRow("lone surrogate") << QString(QChar(0xd800)) << QByteArray("?");
}

void tst_MenuBook::latin1Bytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(MenuBook::fileBytes(text), bytes);
}

void tst_MenuBook::savedBookReadsBackTheSame()
{
    MenuBook book = defaultBook();
    book.menus[0].name = QStringLiteral("Popcorn");
    book.menus[0].stages = {{{10, 2, 30}, {}, {}}};
    book.menus[150].name = QStringLiteral("  Pizza  ");
    book.menus[150].stages = {{{9, 60, 0}, {0, 5, 0}, {10, 15, 0}}};
    book.menus[200].name = QString::fromUtf8("\u7c73\u996d");

    QByteArray bytes = MenuBook::fileBytes(book.menuFileText());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    MenuBook reread;
    reread.readMenuFile(buffer);

    book.menus[150].name = QStringLiteral("Pizza");
    book.menus[200].name.clear();
    QCOMPARE(reread.menus, book.menus);
    QCOMPARE(reread.menuFileText(), book.menuFileText());
}

QTEST_GUILESS_MAIN(tst_MenuBook)
#include "tst_menubook.moc"
