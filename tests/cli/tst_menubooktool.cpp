#include "toolrunner.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

// The program as a user meets it: sub-commands, their help, errors and exit
// codes, check's findings, diff's comparison.
class tst_MenuBookTool : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void exitCodes_data();
    void exitCodes();
    void nothingWrittenWithoutOutput_data();
    void nothingWrittenWithoutOutput();
    void checkListsFileLineCodeAndReason();
    void checkJsonLines();
    void diffShowsChangedMenusSideBySide();

private:
    QString path(const QString &name) const { return dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> dir;
};

void tst_MenuBookTool::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    QVERIFY(writeBytes(path(QStringLiteral("clean.hex")), savedBook()));
    QByteArray changed = savedBook();
    changed.replace("Popcorn,#0001,10,2,30", "Popcorn,#0001,10,2,31");
    QVERIFY(writeBytes(path(QStringLiteral("changed.hex")), changed));
    QVERIFY(writeBytes(path(QStringLiteral("findings.hex")),
                       headerBytes() + menuRow("Pizza 2", 1, "10,2,30,0,0,0,0,0,0")));
    QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("folder.hex")));
}

void tst_MenuBookTool::exitCodes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("inOutput"); // expected on standard output
    QTest::addColumn<QString>("inErrors"); // expected on standard error

    QTest::newRow("no command") << QStringList{} << 2 << ""
                                << "Usage: menubook COMMAND";
    QTest::newRow("general help") << QStringList{"--help"} << 0 << "menubook normalize FILE -o OUT"
                                  << "";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "menubook 1."
                             << "";
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2 << ""
                                     << "unknown command 'frobnicate'";
    for (const char *command : {"new", "check", "normalize", "diff", "fingerprint", "print"}) {
        QTest::addRow("%s --help", command)
            << QStringList{command, "--help"} << 0
            << QStringLiteral("Usage: menubook %1").arg(QLatin1String(command)) << "";
        QTest::addRow("%s with an unknown option", command)
            << QStringList{command, "--bogus", "clean.hex"} << 2 << ""
            << "Unknown option 'bogus'";
        QTest::addRow("%s without a file", command) << QStringList{command} << 2 << ""
                                                    << "a file name is missing";
    }

    QTest::newRow("new") << QStringList{"new", "empty.hex"} << 0 << ""
                         << "";
    QTest::newRow("new, a name outside Windows' ANSI code page")
        << QStringList{"new", QStringLiteral("菜单.hex")} << 0 << "" << "";
    QTest::newRow("new, existing book") << QStringList{"new", "clean.hex"} << 2 << ""
                                        << "clean.hex: exists; nothing written";
    QTest::newRow("check, clean") << QStringList{"check", "clean.hex"} << 0
                                  << "clean.hex: loads unchanged"
                                  << "";
    QTest::newRow("check, findings")
        << QStringList{"check", "clean.hex", "findings.hex"} << 1 << "findings.hex: 1 finding"
        << "";
    QTest::newRow("check, missing file")
        << QStringList{"check", "findings.hex", "missing.hex"} << 2 << "findings.hex: 1 finding"
        << "missing.hex: cannot read: ";
    QTest::newRow("check, empty name") << QStringList{"check", ""} << 2 << ""
                                       << ": cannot read: no file name given";
    QTest::newRow("check, folder") << QStringList{"check", "folder.hex"} << 2 << ""
                                   << "folder.hex: cannot read: it is a folder";
    if (QFileInfo::exists(QStringLiteral("/dev/zero")))
        QTest::newRow("diff, a device that never ends")
            << QStringList{"diff", "clean.hex", "/dev/zero"} << 2 << ""
            << "/dev/zero: cannot read: it is not a regular file";

    QTest::newRow("normalize") << QStringList{"normalize", "findings.hex", "-o", "out.hex"} << 0
                               << ""
                               << "";
    QTest::newRow("normalize, two inputs")
        << QStringList{"normalize", "clean.hex", "findings.hex", "-o", "out.hex"} << 2 << ""
        << "too many file names: 'findings.hex'";
    QTest::newRow("normalize, missing input")
        << QStringList{"normalize", "missing.hex", "-o", "out.hex"} << 2 << ""
        << "missing.hex: cannot read";
    QTest::newRow("normalize, unwritable output")
        << QStringList{"normalize", "clean.hex", "-o", "missing/out.hex"} << 2 << ""
        << "missing/out.hex: cannot write";

    QTest::newRow("diff, same menus")
        << QStringList{"diff", "clean.hex", "clean.hex"} << 0 << "hold the same menus"
        << "";
    QTest::newRow("diff, changed")
        << QStringList{"diff", "clean.hex", "changed.hex"} << 1 << "1 menu differs"
        << "";
    QTest::newRow("diff, one file") << QStringList{"diff", "clean.hex"} << 2 << ""
                                    << "a file name is missing";
    QTest::newRow("diff, missing file")
        << QStringList{"diff", "clean.hex", "missing.hex"} << 2 << ""
        << "missing.hex: cannot read";

    QTest::newRow("fingerprint") << QStringList{"fingerprint", "clean.hex"} << 0 << "  clean.hex"
                                 << "";
    QTest::newRow("fingerprint, missing file")
        << QStringList{"fingerprint", "missing.hex", "clean.hex"} << 2 << "  clean.hex"
        << "missing.hex: cannot read";

    QTest::newRow("print") << QStringList{"print", "clean.hex", "-o", "out.pdf"} << 0 << ""
                           << "";
    QTest::newRow("print, unknown language")
        << QStringList{"print", "--lang", "fr", "clean.hex", "-o", "out.pdf"} << 2 << ""
        << "--lang takes en or zh, not 'fr'";
    QTest::newRow("print, unwritable output")
        << QStringList{"print", "clean.hex", "-o", "missing/out.pdf"} << 2 << ""
        << "missing/out.pdf: cannot write";
}

void tst_MenuBookTool::exitCodes()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, inOutput);
    QFETCH(QString, inErrors);
    const ToolRun run = runTool(arguments, dir->path());
    QVERIFY2(run.exitCode == exitCode, run.err.constData());
    QVERIFY2(run.text().contains(inOutput), run.out.constData());
    QVERIFY2(QString::fromUtf8(run.err).contains(inErrors), run.err.constData());
    QVERIFY(run.linesEndAsThePlatformWants());
    if (inErrors.isEmpty())
        QVERIFY2(run.err.isEmpty(), run.err.constData());
    else // the tool's own words only, none of Qt's warnings
        QVERIFY2(!run.err.contains("QFSFileEngine"), run.err.constData());
    if (arguments.value(0) == QLatin1String("new") && arguments.size() == 2 &&
        !arguments[1].startsWith(u'-')) {
        QFile book(path(arguments.last()));
        QVERIFY(book.open(QIODevice::ReadOnly));
        QCOMPARE(book.readAll(), exitCode == 0 ? platformText(headerBytes()) : savedBook());
    }
}

void tst_MenuBookTool::nothingWrittenWithoutOutput_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("check") << QStringList{"check", "clean.hex", "findings.hex"};
    QTest::newRow("check --json") << QStringList{"check", "--json", "findings.hex"};
    QTest::newRow("normalize") << QStringList{"normalize", "findings.hex"};
    QTest::newRow("diff") << QStringList{"diff", "clean.hex", "changed.hex"};
    QTest::newRow("fingerprint") << QStringList{"fingerprint", "findings.hex"};
    QTest::newRow("print") << QStringList{"print", "findings.hex"};
}

void tst_MenuBookTool::nothingWrittenWithoutOutput()
{
    QFETCH(QStringList, arguments);
    const QDir folder(dir->path());
    const auto filter = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
    const QStringList before = folder.entryList(filter);
    const QByteArray bytes = readBytes(path(QStringLiteral("findings.hex")));

    runTool(arguments, dir->path());

    QCOMPARE(folder.entryList(filter), before);
    QCOMPARE(readBytes(path(QStringLiteral("findings.hex"))), bytes);
}

void tst_MenuBookTool::checkListsFileLineCodeAndReason()
{
    QVERIFY(writeBytes(path(QStringLiteral("book.hex")),
                       headerBytes() + menuRow("Soup", 1, "1,1,1,0,0,0,0,0,0") +
                           menuRow("Steak", 2, "10,15,1,0,0,0,0,0,0")));
    const ToolRun run = runTool({QStringLiteral("check"), QStringLiteral("book.hex")}, dir->path());
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.text().split(u'\n'),
             (QStringList{"book.hex:22: A-02: stage 1 at P10 runs 15:01, over 15:00; all nine "
                          "stage values read as 0",
                          "book.hex: 1 finding", ""}));
}

void tst_MenuBookTool::checkJsonLines()
{
    const ToolRun run =
        runTool({QStringLiteral("check"), QStringLiteral("--json"), QStringLiteral("findings.hex"),
                 QStringLiteral("clean.hex"), QStringLiteral("missing.hex")},
                dir->path());
    QCOMPARE(run.exitCode, 2);
    const QList<QByteArray> lines = run.text().toUtf8().trimmed().split('\n');
    QCOMPARE(lines.size(), 2);
    QJsonParseError error;
    const QJsonObject finding = QJsonDocument::fromJson(lines[0], &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(finding.value(QStringLiteral("file")).toString(), QStringLiteral("findings.hex"));
    QCOMPARE(finding.value(QStringLiteral("line")).toInt(), 21);
    QCOMPARE(finding.value(QStringLiteral("code")).toString(), QStringLiteral("A-01"));
    QCOMPARE(finding.value(QStringLiteral("kind")).toString(), QStringLiteral("name-emptied"));
    QCOMPARE(finding.value(QStringLiteral("name")).toString(), QStringLiteral("Pizza 2"));
    const QJsonObject unreadable = QJsonDocument::fromJson(lines[1]).object();
    QCOMPARE(unreadable.value(QStringLiteral("file")).toString(), QStringLiteral("missing.hex"));
    QCOMPARE(unreadable.value(QStringLiteral("kind")).toString(), QStringLiteral("unreadable"));
}

void tst_MenuBookTool::diffShowsChangedMenusSideBySide()
{
    QByteArray other = savedBook();
    other.replace("Rice Bowl,#0002,8,12,0", "Rice,#0002,8,12,0");
    other.replace(",#0150,0,0,0", "Tea,#0150,1,0,0");
    // Line ends and a trailing note do not count.
    other.replace("\n", "\r\n");
    QVERIFY(writeBytes(path(QStringLiteral("other.hex")), other + "\r\nnote\r\n"));

    const ToolRun run =
        runTool({QStringLiteral("diff"), QStringLiteral("clean.hex"), QStringLiteral("other.hex")},
                dir->path());
    QCOMPARE(run.exitCode, 1);
    const QStringList lines = run.text().split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[0].contains(QStringLiteral("clean.hex")));
    QVERIFY(lines[0].endsWith(QStringLiteral("|  other.hex")));
    QCOMPARE(lines[1].simplified(), QStringLiteral("A-02 Rice Bowl P08 12:00 P05 03:00 P00 00:00 | "
                                                   "Rice P08 12:00 P05 03:00 P00 00:00"));
    QCOMPARE(lines[2].simplified(), QStringLiteral("b-50 P00 00:00 P00 00:00 P00 00:00 | Tea P01 "
                                                   "00:00 P00 00:00 P00 00:00"));
    QCOMPARE(lines[3], QStringLiteral("2 menus differ"));
}

QTEST_GUILESS_MAIN(tst_MenuBookTool)
#include "tst_menubooktool.moc"
