#include "scriptedchooser.h"
#include "toolrunner.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Many kinds of input the editor repairs on the way in.
QByteArray untidyBook()
{
    QByteArray bytes = "\xEF\xBB\xBFsome other header\r\n";
    bytes += "  Pizza  ,#0001,10,2,30,0,0,0,0,0,0\r\n";
    bytes += "Pizza 2,#0002,5,1,0,0,0,0,0,0,0\r\n";
    bytes += "#0003,10,15,1,0,0,0,0,0,0\r\n";
    bytes += "Short,#0004,1,2\r\n";
    bytes += "Fish, Chips,#0004,1,2,3,4,5,6,7,8,9\r\n";
    bytes += "Cr\xE8me,#0005,1,7a,3,0,0,0,0,0,0,extra\r\n";
    return bytes;
}

QByteArray longBook()
{
    QByteArray bytes = headerBytes();
    for (int row = 1; row <= 305; ++row)
        bytes += menuRow(row == 100 ? "Reserved" : "Meal", row, "1,1,1,0,0,0,0,0,0");
    return bytes;
}

} // namespace

// What the program writes: normalised books, fingerprints, PDF sheets.
class tst_MenuBookOutput : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void normalizeWritesWhatTheEditorSaves_data();
    void normalizeWritesWhatTheEditorSaves();
    void normalizeInPlaceAndToStandardOutput();
    void fingerprintIgnoresWhatTheEditorIgnores_data();
    void fingerprintIgnoresWhatTheEditorIgnores();
    void fingerprintFollowsEveryMenuChange_data();
    void fingerprintFollowsEveryMenuChange();
    void printedSheetHoldsTheMenus_data();
    void printedSheetHoldsTheMenus();

private:
    QString path(const QString &name) const { return dir->filePath(name); }
    QString fingerprintOf(const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> dir;
    QString previousDirectory;
};

void tst_MenuBookOutput::init()
{
    previousDirectory = QDir::currentPath();
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    // The editor's file commands work relative to the working folder.
    QVERIFY(QDir::setCurrent(dir->path()));
}

void tst_MenuBookOutput::cleanup()
{
    QDir::setCurrent(previousDirectory);
    dir.reset();
}

QString tst_MenuBookOutput::fingerprintOf(const QByteArray &bytes)
{
    const QString name = QStringLiteral("fp.hex");
    if (!writeBytes(path(name), bytes))
        return QString();
    const ToolRun run = runTool({QStringLiteral("fingerprint"), name}, dir->path());
    if (run.exitCode != 0)
        return QString();
    return run.text().section(u' ', 0, 0);
}

void tst_MenuBookOutput::normalizeWritesWhatTheEditorSaves_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("saved book") << savedBook();
    QTest::newRow("default book") << MenuBook::fileBytes(MenuBook::defaultText());
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("untidy book") << untidyBook();
    QTest::newRow("305 rows, reserved row named") << longBook();
    QTest::newRow("stop at an empty line") << savedBook().left(3000) + "\n\n" + savedBook();
}

void tst_MenuBookOutput::normalizeWritesWhatTheEditorSaves()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(writeBytes(path(QStringLiteral("input.hex")), bytes));

    // The editor: Open the file, then Save As under another name.
    ScriptedChooser chooser;
    chooser.answers = {QStringLiteral("input.hex"), QStringLiteral("saved.hex")};
    MenuBook book;
    book.setFileChooser(&chooser);
    QCOMPARE(book.openFile(), FileCommandResult::Done);
    QCOMPARE(book.saveFileAs(), FileCommandResult::Done);

    const ToolRun run = runTool({QStringLiteral("normalize"), QStringLiteral("input.hex"),
                                 QStringLiteral("-o"), QStringLiteral("normalized.hex")},
                                dir->path());
    QCOMPARE(run.exitCode, 0);
    const QByteArray saved = readBytes(path(QStringLiteral("saved.hex")));
    QVERIFY(saved.startsWith(platformText(headerBytes())));
    QCOMPARE(readBytes(path(QStringLiteral("normalized.hex"))), saved);
    QCOMPARE(readBytes(path(QStringLiteral("input.hex"))), bytes);
}

void tst_MenuBookOutput::normalizeInPlaceAndToStandardOutput()
{
    QVERIFY(writeBytes(path(QStringLiteral("book.hex")), untidyBook()));
    const ToolRun toOutput = runTool({QStringLiteral("normalize"), QStringLiteral("book.hex"),
                                      QStringLiteral("-o"), QStringLiteral("-")},
                                     dir->path());
    QCOMPARE(toOutput.exitCode, 0);
    QVERIFY(toOutput.text().contains("\nPizza,#0001,10,2,30,0,0,0,0,0,0\n"));

    const ToolRun inPlace = runTool({QStringLiteral("normalize"), QStringLiteral("book.hex"),
                                     QStringLiteral("-o"), QStringLiteral("book.hex")},
                                    dir->path());
    QCOMPARE(inPlace.exitCode, 0);
    QCOMPARE(readBytes(path(QStringLiteral("book.hex"))), toOutput.out);
    // A normalised book is its own normal form.
    const ToolRun again =
        runTool({QStringLiteral("check"), QStringLiteral("book.hex")}, dir->path());
    QCOMPARE(again.exitCode, 0);
}

void tst_MenuBookOutput::fingerprintIgnoresWhatTheEditorIgnores_data()
{
    QTest::addColumn<QByteArray>("variant");
    QByteArray crlf = savedBook();
    crlf.replace("\n", "\r\n");
    QTest::newRow("CR LF line ends") << crlf;
    QTest::newRow("rows after an empty line") << savedBook() + "\nOld,#0001,1,1,1,0,0,0,0,0,0\n";
    QTest::newRow("notes after the rows") << savedBook() + "signed off by the chef\n";
    QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + savedBook();
    QByteArray spaced = savedBook();
    spaced.replace("Popcorn,#0001,10,2,30", "  Popcorn ,#0001, 10,2,030");
    QTest::newRow("spaces and leading zeros") << spaced;
}

void tst_MenuBookOutput::fingerprintIgnoresWhatTheEditorIgnores()
{
    QFETCH(QByteArray, variant);
    const QString original = fingerprintOf(savedBook());
    QVERIFY(!original.isEmpty());
    QCOMPARE(original.size(), 19); // four groups of four hex digits
    QCOMPARE(fingerprintOf(variant), original);
}

void tst_MenuBookOutput::fingerprintFollowsEveryMenuChange_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::newRow("name") << QByteArray("Popcorn,") << QByteArray("PopCorn,");
    QTest::newRow("name emptied") << QByteArray("Popcorn,") << QByteArray(",");
    // Each of the nine values of the last menu, one at a time.
    for (int i = 0; i < 9; ++i) {
        QList<QByteArray> changed = QByteArray("6,4,75,0,0,0,0,0,0").split(',');
        changed[i] = changed[i] == "0" ? "1" : "2";
        QTest::addRow("stage value %d", i + 1) << QByteArray("Leftovers,#0299,6,4,75,0,0,0,0,0,0")
                                               << "Leftovers,#0299," + changed.join(',');
    }
    QTest::newRow("menu added") << QByteArray(",#0150,0,0,0") << QByteArray("Tea,#0150,1,0,0");
}

void tst_MenuBookOutput::fingerprintFollowsEveryMenuChange()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QByteArray changed = savedBook();
    QVERIFY(changed.contains(from));
    changed.replace(changed.indexOf(from), from.size(), to);
    const QString original = fingerprintOf(savedBook());
    const QString after = fingerprintOf(changed);
    QVERIFY(!original.isEmpty() && !after.isEmpty());
    QVERIFY2(after != original, qPrintable(after));
}

void tst_MenuBookOutput::printedSheetHoldsTheMenus_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    QTest::addColumn<int>("pages");
    QTest::newRow("English") << QStringList{}
                             << QStringList{"Menu book", "Code",      "Stage 1",  "Page 1 of",
                                            "A-01",      "Popcorn",   "P10 2:30", "2:30 / 25:00",
                                            "Rice Bowl", "P08 12:00", "15:00",    "b-01",
                                            "C-99",      "Leftovers", "P06 5:15", "book.hex"}
                             << QStringList{"b-00", "C-00", "菜单本"} << 0;
    QTest::newRow("Chinese, named menus only")
        << QStringList{"--lang", "zh", "--only-named"}
        << QStringList{"菜单本",  "编号", "名称",      "总时间", "指纹",      "A-01",
                       "Popcorn", "A-02", "Rice Bowl", "C-99",   "Leftovers", "共 1"}
        << QStringList{"Menu book", "A-03 ", "b-01 "} << 1;
    QTest::newRow("heading, named menus only")
        << QStringList{"--only-named"}
        << QStringList{"Menu book: book.hex", "File: book.hex",
                       "Empty, not listed: A-03..A-99, b-01..b-99, C-01..C-98"}
        << QStringList{"working copy", "A-04 "} << 1;
}

void tst_MenuBookOutput::printedSheetHoldsTheMenus()
{
    QFETCH(QStringList, options);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    QFETCH(int, pages);
    QVERIFY(writeBytes(path(QStringLiteral("book.hex")), savedBook()));

    const ToolRun run = runTool(QStringList{QStringLiteral("print")} + options +
                                    QStringList{QStringLiteral("book.hex"), QStringLiteral("-o"),
                                                QStringLiteral("book.pdf")},
                                dir->path());
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QVERIFY(readBytes(path(QStringLiteral("book.pdf"))).startsWith("%PDF-"));

    const QString pdfToText = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
#ifdef Q_OS_WIN
    // Wine starts no Linux program; tests/windows/wine_e2e.sh reads its sheet.
    if (pdfToText.isEmpty())
        QSKIP("no pdftotext to read the sheet");
#endif
    QVERIFY2(!pdfToText.isEmpty(), "pdftotext (Debian package poppler-utils) is needed");

    QProcess extract;
    extract.start(pdfToText, {QStringLiteral("-layout"), path(QStringLiteral("book.pdf")),
                              QStringLiteral("-")});
    QVERIFY(extract.waitForFinished(60000));
    QCOMPARE(extract.exitCode(), 0);
    const QString text = QString::fromUtf8(extract.readAllStandardOutput());
    // The fingerprint on the sheet is the one the fingerprint command gives.
    const ToolRun fingerprint =
        runTool({QStringLiteral("fingerprint"), QStringLiteral("book.hex")}, dir->path());
    present.append(fingerprint.text().section(u' ', 0, 0));
    for (const QString &expected : present)
        QVERIFY2(text.contains(expected),
                 qPrintable(expected + QStringLiteral(" missing in:\n") + text));
    for (const QString &unexpected : absent)
        QVERIFY2(!text.contains(unexpected), qPrintable(unexpected));
    // Form feeds separate the pages; 297 menus need several, the named ones one.
    const qsizetype pageCount = text.count(u'\f');
    if (pages > 0)
        QCOMPARE(pageCount, pages);
    else
        QVERIFY(pageCount > 1);
}

QTEST_GUILESS_MAIN(tst_MenuBookOutput)
#include "tst_menubookoutput.moc"
