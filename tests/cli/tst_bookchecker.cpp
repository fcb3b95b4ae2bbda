#include "bookchecker.h"
#include "toolrunner.h"

#include <QBuffer>
#include <QJsonArray>
#include <QTest>

namespace {

// "line code kind" for each finding; "-" for findings without a menu.
QStringList summary(const QList<CheckFinding> &findings)
{
    QStringList lines;
    for (const CheckFinding &finding : findings) {
        lines.append(
            QStringLiteral("%1 %2 %3")
                .arg(finding.line)
                .arg(finding.code.isEmpty() ? QStringLiteral("-") : finding.code, finding.kind));
    }
    return lines;
}

QList<CheckFinding> check(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return BookChecker().check(buffer);
}

QByteArray emptyRows(int from, int to)
{
    QByteArray rows;
    for (int row = from; row <= to; ++row)
        rows += menuRow("", row, "0,0,0,0,0,0,0,0,0");
    return rows;
}

} // namespace

class tst_BookChecker : public QObject
{
    Q_OBJECT

private slots:
    void editorFilesLoadUnchanged_data();
    void editorFilesLoadUnchanged();
    void everyKindOfFinding_data();
    void everyKindOfFinding();
    void nameReasons_data();
    void nameReasons();
    void detailsForScripts();
};

void tst_BookChecker::editorFilesLoadUnchanged_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("default book") << MenuBook::fileBytes(MenuBook::defaultText());
    QTest::newRow("header only") << headerBytes();
    QTest::newRow("saved book") << savedBook();
    QByteArray crlf = savedBook();
    crlf.replace("\n", "\r\n");
    QTest::newRow("saved book with CR LF") << crlf;
    QTest::newRow("name of 16 characters")
        << headerBytes() + menuRow("Sixteen Letterss", 1, "1,1,1,0,0,0,0,0,0");
    QTest::newRow("empty cells and a trailing comma")
        << headerBytes() + menuRow("Tea", 1, "1,1,,0,0,0,0,0,0,");
    QTest::newRow("empty lines at the end") << savedBook() + "\n\n";
}

void tst_BookChecker::editorFilesLoadUnchanged()
{
    QFETCH(QByteArray, bytes);
    QCOMPARE(summary(check(bytes)), QStringList());
}

void tst_BookChecker::everyKindOfFinding_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("expected");
    // The header takes lines 1 to 20; the body starts on line 21.
    QTest::newRow("name emptied") << menuRow("Pizza 2", 1, "1,1,1,0,0,0,0,0,0")
                                  << QStringList{"21 A-01 name-emptied"};
    QTest::newRow("name too long") << menuRow("Seventeen Letters", 1, "1,1,1,0,0,0,0,0,0")
                                   << QStringList{"21 A-01 name-too-long"};
    QTest::newRow("name with a comma")
        << QByteArray("Fish, Chips,#0001,1,1,1,0,0,0,0,0,0\n")
        << QStringList{"21 A-01 name-comma", "21 A-01 value-unreadable"};
    QTest::newRow("unreadable value")
        << menuRow("Tea", 1, "1,7a,1,0,0,0,0,0,99999999999")
        << QStringList{"21 A-01 value-unreadable", "21 A-01 value-unreadable"};
    QTest::newRow("values out of range")
        << menuRow("Tea", 1, "11,0,0,0,61,0,-1,0,100")
        << QStringList{"21 A-01 value-out-of-range", "21 A-01 value-out-of-range",
                       "21 A-01 value-out-of-range", "21 A-01 value-out-of-range"};
    QTest::newRow("power 10 stage over 15 minutes") << menuRow("Steak", 1, "10,15,1,0,0,0,0,0,0")
                                                    << QStringList{"21 A-01 p10-stage-over-15min"};
    QTest::newRow("power 10 menu over 25 minutes") << menuRow("Roast", 1, "10,9,0,10,9,0,10,9,0")
                                                   << QStringList{"21 A-01 p10-menu-over-25min"};
    QTest::newRow("stage over 60 minutes")
        << menuRow("Stew", 1, "0,0,0,9,60,1,0,0,0") << QStringList{"21 A-01 stage-over-60min"};
    QTest::newRow("reserved row with stages")
        << emptyRows(1, 99) + menuRow("Hidden", 100, "1,1,1,0,0,0,0,0,0")
        << QStringList{"120 b-00 reserved-row-stages"};
    QTest::newRow("reserved row with a name only")
        << emptyRows(1, 99) + menuRow("Hidden", 100, "0,0,0,0,0,0,0,0,0") << QStringList();
    QTest::newRow("row dropped") << menuRow("Short", 1, "1,1,1") +
                                        menuRow("Next", 1, "1,1,1,0,0,0,0,0,0")
                                 << QStringList{"21 A-01 row-dropped"};
    QTest::newRow("rows after the 299th")
        << emptyRows(1, 299) + menuRow("Late", 300, "0,0,0,0,0,0,0,0,0") + "note\n" +
               menuRow("Later", 301, "0,0,0,0,0,0,0,0,0")
        << QStringList{"320 - rows-after-299"};
    QTest::newRow("stopped at an empty line")
        << menuRow("Tea", 1, "1,1,1,0,0,0,0,0,0") + "\n" + "note\n" +
               menuRow("Lost", 2, "1,1,1,0,0,0,0,0,0") + menuRow("Lost", 3, "1,1,1,0,0,0,0,0,0")
        << QStringList{"22 - stopped-at-empty-line"};
    QTest::newRow("stray text after an empty line") << QByteArray("\nnote\n") << QStringList();
    QTest::newRow("line skipped") << QByteArray("Pizza,1,10,2,30,0,0,0,0,0,0\n")
                                  << QStringList{"21 - line-skipped"};
    QTest::newRow("line too long") << QByteArray(MenuFileReader::MaxLineLength + 1, '#') + "\n"
                                   << QStringList{"21 - line-skipped", "21 - line-too-long"};
    QTest::newRow("row padded with 100,000 commas")
        << menuRow("Tea", 1, "1,1,1,0,0,0,0,0,0" + QByteArray(100'000, ','))
        << QStringList{"21 A-01 line-too-long"};
    QTest::newRow("lines ending in CR alone")
        << QByteArray("Tea,#0001,1,1,1,0,0,0,0,0,0\rSoup,#0002,1,1,1,0,0,0,0,0,0\r")
        << QStringList{"21 A-01 value-unreadable", "21 A-01 columns-ignored",
                       "21 A-01 cr-line-ends"};
    QTest::newRow("bytes not UTF-8 outside the name")
        << menuRow("Tea", 1, "1,1,1,0,0,0,0,0,0,\xff")
        << QStringList{"21 A-01 columns-ignored", "21 A-01 not-utf8"};
    QTest::newRow("bytes not UTF-8 in the name only")
        << menuRow("Cr\xe8me", 1, "1,1,1,0,0,0,0,0,0") << QStringList{"21 A-01 name-emptied"};
    QTest::newRow("text after the last value")
        << menuRow("Tea", 1, "1,1,1,0,0,0,0,0,0,note") << QStringList{"21 A-01 columns-ignored"};
    QTest::newRow("quoted cells") << QByteArray("\"Tea \"\"Hot\"\"\",\"#0001\",1,1,1,0,0,0,0,0,0\n"
                                                "\"Soup\",\"#0002\",0,0,0,0,0,0,0,0,0\n")
                                  << QStringList{"21 A-01 name-emptied", "21 - quoted-cells"};
    QByteArray semicolons = headerBytes().replace(',', ';').replace("MenuName", "\"MenuName\"");
    semicolons.chop(2);
    QTest::newRow("semicolons, header as a spreadsheet saves it")
        << semicolons + "\nTea;#0001;1;1;1;0;0;0;0;0;0\n"
        << QStringList{"1 - semicolons"};
    QTest::newRow("findings keep the line order")
        << menuRow("Tea 1", 1, "1,1,1") + "\n" + menuRow("Lost", 1, "0,0,0,0,0,0,0,0,0")
        << QStringList{"21 A-01 row-dropped", "22 - stopped-at-empty-line"};
}

void tst_BookChecker::everyKindOfFinding()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, expected);
    const bool ownHeader = body.startsWith("\"MenuName");
    QCOMPARE(summary(check(ownHeader ? body : headerBytes() + body)), expected);
}

void tst_BookChecker::nameReasons_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QStringList>("reasons");
    QTest::addColumn<QString>("words");
    QTest::newRow("digit") << QByteArray("Pizza 2") << QStringList{"digit"} << "a digit";
    QTest::newRow("punctuation") << QByteArray("Tee-Time") << QStringList{"punctuation"}
                                 << "punctuation";
    QTest::newRow("non-Latin letter")
        << QByteArray("\xe7\xb1\xb3\xe9\xa5\xad") << QStringList{"other-letter"}
        << "a letter other than A-Z and a-z";
    QTest::newRow("tab") << QByteArray("Rice\tBowl") << QStringList{"control"}
                         << "a tab or control character";
    QTest::newRow("digit and punctuation")
        << QByteArray("Tea #2") << QStringList{"digit", "punctuation"} << "a digit and punctuation";
}

void tst_BookChecker::nameReasons()
{
    QFETCH(QByteArray, name);
    QFETCH(QStringList, reasons);
    QFETCH(QString, words);
    const QList<CheckFinding> findings =
        check(headerBytes() + menuRow(name, 1, "1,1,1,0,0,0,0,0,0"));
    QCOMPARE(findings.size(), 1);
    QCOMPARE(findings[0].kind, QStringLiteral("name-emptied"));
    QCOMPARE(findings[0].details.value(QStringLiteral("reasons")).toVariant().toStringList(),
             reasons);
    QVERIFY2(findings[0].message.endsWith(QStringLiteral("it holds ") + words),
             qPrintable(findings[0].message));
}

void tst_BookChecker::detailsForScripts()
{
    const QList<CheckFinding> findings = check(
        headerBytes() + menuRow("Roast", 1, "10,9,0,10,9,0,10,9,0") +
        menuRow("Soup", 2, "1,1,1,0,61,0,0,0,0") + "\n" + menuRow("Lost", 3, "0,0,0,0,0,0,0,0,0"));
    QCOMPARE(findings.size(), 3);
    QCOMPARE(findings[0].details.value(QStringLiteral("seconds")).toInt(), 1620);
    QCOMPARE(findings[0].details.value(QStringLiteral("limit")).toInt(), 1500);
    QVERIFY(findings[0].message.contains(QStringLiteral("27:00")));
    QCOMPARE(findings[1].details.value(QStringLiteral("stage")).toInt(), 2);
    QCOMPARE(findings[1].details.value(QStringLiteral("field")).toString(),
             QStringLiteral("minutes"));
    QCOMPARE(findings[1].details.value(QStringLiteral("value")).toInt(), 61);
    QCOMPARE(findings[2].details.value(QStringLiteral("count")).toInt(), 1);
}

QTEST_GUILESS_MAIN(tst_BookChecker)
#include "tst_bookchecker.moc"
