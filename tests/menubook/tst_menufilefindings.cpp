#include "menubook.h"
#include "menufilereader.h"

#include <QBuffer>
#include <QTest>

using Stages = std::array<MenuStage, 3>;
using Breaks = std::array<int, 3>;
using Findings = QList<MenuFileReader::LineFinding>;
Q_DECLARE_METATYPE(Stages)
Q_DECLARE_METATYPE(Breaks)

namespace {

// Reads the bytes and keeps what outlives the handler: the views are copied
// into texts, one list per finding.
struct Reading
{
    QList<MenuRecord> records;
    Findings findings;
    QList<QStringList> columns;
    QStringList ignoredTexts;
};

Reading read(QByteArray bytes, MenuFileReader::AfterStop afterStop)
{
    Reading reading;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    MenuFileReader reader(
        [&](const MenuFileReader::LineFinding &finding) {
            reading.findings.append(finding);
            QStringList columns;
            for (QStringView column : finding.columns)
                columns.append(column.toString());
            reading.columns.append(columns);
            reading.ignoredTexts.append(finding.ignoredText.toString());
        },
        afterStop);
    reading.records = reader.read(buffer);
    return reading;
}

} // namespace

class tst_MenuFileFindings : public QObject
{
    Q_OBJECT

private slots:
    void rowCheckNamesEveryBrokenLimit_data();
    void rowCheckNamesEveryBrokenLimit();
    void nameFaults_data();
    void nameFaults();
    void linesAfterStopOnRequest_data();
    void linesAfterStopOnRequest();
    void rowDetails();
};

void tst_MenuFileFindings::rowCheckNamesEveryBrokenLimit_data()
{
    using R = MenuFileReader;
    QTest::addColumn<Stages>("stages");
    QTest::addColumn<Breaks>("breaks");
    QTest::addColumn<bool>("totalTooLong");
    QTest::newRow("all limits kept")
        << Stages{{{10, 15, 0}, {10, 10, 0}, {9, 60, 0}}} << Breaks{} << false;
    QTest::newRow("power and seconds of one stage")
        << Stages{{{11, 1, 100}, {}, {}}} << Breaks{R::PowerOutOfRange | R::SecondsOutOfRange, 0, 0}
        << false;
    QTest::newRow("negative minutes")
        << Stages{{{}, {1, -1, 0}, {}}} << Breaks{0, R::MinutesOutOfRange, 0} << false;
    QTest::newRow("full power stage and another stage too long")
        << Stages{{{10, 15, 1}, {}, {9, 60, 1}}}
        << Breaks{R::FullPowerStageTooLong, 0, R::StageTooLong} << false;
    QTest::newRow("full power total only")
        << Stages{{{10, 9, 0}, {10, 9, 0}, {10, 9, 0}}} << Breaks{} << true;
    // A stage out of range has no time: it neither breaks a time limit nor counts.
    QTest::newRow("out of range stage adds no time")
        << Stages{{{10, 61, 0}, {10, 14, 0}, {10, 11, 0}}} << Breaks{R::MinutesOutOfRange, 0, 0}
        << false;
}

void tst_MenuFileFindings::rowCheckNamesEveryBrokenLimit()
{
    QFETCH(Stages, stages);
    QFETCH(Breaks, breaks);
    QFETCH(bool, totalTooLong);
    const MenuFileReader::RowCheck check = MenuFileReader::checkRow(stages);
    QCOMPARE(check.stageBreaks, breaks);
    QCOMPARE(check.fullPowerTotalTooLong, totalTooLong);
    QCOMPARE(check.passed(), breaks == Breaks{} && !totalTooLong);
}

void tst_MenuFileFindings::nameFaults_data()
{
    using R = MenuFileReader;
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("faults");
    QTest::newRow("letters and spaces") << "Hot Dog" << 0;
    QTest::newRow("digit") << "Pizza 2" << int(R::NameHoldsDigit);
    QTest::newRow("hyphen") << "Tee-Time" << int(R::NameHoldsPunctuation);
    QTest::newRow("plus sign") << "Soup+" << int(R::NameHoldsPunctuation);
    QTest::newRow("accented letter") << QStringLiteral("Crème") << int(R::NameHoldsOtherLetter);
    QTest::newRow("Chinese") << QStringLiteral("米饭") << int(R::NameHoldsOtherLetter);
    QTest::newRow("emoji") << QStringLiteral("Cake \U0001F382") << int(R::NameHoldsPunctuation);
    QTest::newRow("tab") << "Rice\tBowl" << int(R::NameHoldsControl);
    QTest::newRow("not UTF-8") << QStringLiteral("Cr\uFFFDme") << int(R::NameHoldsUndecodable);
    QTest::newRow("several") << "Tea 4 2!" << int(R::NameHoldsDigit | R::NameHoldsPunctuation);
}

void tst_MenuFileFindings::nameFaults()
{
    QFETCH(QString, name);
    QFETCH(int, faults);
    QCOMPARE(MenuFileReader::nameFaultsOf(name), faults);
    QCOMPARE(MenuFileReader::isAcceptedName(name), faults == 0);
}

void tst_MenuFileFindings::linesAfterStopOnRequest_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("stopLine");
    const QByteArray header = MenuBook::fileBytes(MenuBook::headerText());
    QByteArray full = header;
    for (int row = 1; row <= 299; ++row)
        full += ",#" + QByteArray::number(row).rightJustified(4, '0') + ",0,0,0,0,0,0,0,0,0\n";
    QTest::newRow("empty line") << header + "Soup,#0001,1,1,1,0,0,0,0,0,0\n\nTea,#0002,1,1,1,0,0,"
                                            "0,0,0,0\n\nnote\n"
                                << 22;
    QTest::newRow("row limit") << full + "Late,#0300,0,0,0,0,0,0,0,0,0\nmore\n" << 320;
}

void tst_MenuFileFindings::linesAfterStopOnRequest()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, stopLine);
    const Reading skipping = read(bytes, MenuFileReader::AfterStop::Skip);
    const Reading reporting = read(bytes, MenuFileReader::AfterStop::Report);

    QCOMPARE(reporting.records, skipping.records);
    QCOMPARE(skipping.findings.size(), stopLine);
    const int total = int(bytes.count('\n'));
    QCOMPARE(reporting.findings.size(), total);
    for (int i = stopLine; i < total; ++i) {
        QCOMPARE(reporting.findings[i].kind, MenuFileReader::LineKind::IgnoredAfterStop);
        QCOMPARE(reporting.findings[i].lineNumber, i + 1);
    }
}

void tst_MenuFileFindings::rowDetails()
{
    // A name with a comma moves the row number to the third field and every
    // value one column on; the last value falls into the ignored columns.
    const QByteArray bytes = "Fish, chips ,#0001,10,16,0,0,0,0,0,0,7\n"
                             "Cr\xE8me,#0002,1,2,3,4,5,6,7,8,9\n";
    const Reading reading = read(bytes, MenuFileReader::AfterStop::Skip);
    QCOMPARE(reading.findings.size(), 2);

    const MenuFileReader::LineFinding &comma = reading.findings[0];
    QCOMPARE(comma.numberField, 2);
    QCOMPARE(reading.columns[0].mid(0, 4), (QStringList{"Fish", "chips", "#0001", "10"}));
    QCOMPARE(comma.unreadableColumns, quint16(1u << 2));
    QCOMPARE(comma.stagesRead, (Stages{{{0, 10, 16}, {0, 0, 0}, {0, 0, 0}}}));
    QVERIFY(!comma.failedRowCheck);
    QCOMPARE(reading.ignoredTexts[0], QStringLiteral("7"));
    QCOMPARE(reading.records[0].name, QStringLiteral("Fish"));

    const MenuFileReader::LineFinding &latin1 = reading.findings[1];
    QCOMPARE(latin1.numberField, 1);
    QVERIFY(latin1.nameRejected);
    QCOMPARE(latin1.nameFaults, int(MenuFileReader::NameHoldsUndecodable));
    QCOMPARE(latin1.undecodable, 1);
    QVERIFY(latin1.ignoredText.isNull());
    QCOMPARE(latin1.rowCheck.stageBreaks, (Breaks{0, 0, 0}));
    QCOMPARE(latin1.stagesRead[2], (MenuStage{7, 8, 9}));
}

QTEST_GUILESS_MAIN(tst_MenuFileFindings)
#include "tst_menufilefindings.moc"
