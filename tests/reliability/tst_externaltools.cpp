// The real outside world: a book saved from a spreadsheet opens whole, and
// the window's sheet comes out of a real print queue. Each case skips when
// its tool is not installed.

#include "bookprinter.h"
#include "editorfixture.h"
#include "menutext.h"
#include "printpreviewdialogs.h"

#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>

#include <unistd.h>

namespace {

// Runs a program to its end; its output, or a failure naming it.
QByteArray run(const QString &program, const QStringList &arguments, int timeoutMs = 120'000)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs) || process.exitCode() != 0)
        qWarning() << program << arguments << process.readAllStandardError();
    return process.readAllStandardOutput();
}

QString pdfText(const QString &path)
{
    return QString::fromUtf8(
        run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")}));
}

QList<MenuRecord> readBook(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    MenuBook book;
    book.readMenuFile(file);
    return book.menus;
}

// A book with names, empty menus and stages up to the oven's limits.
QList<MenuRecord> sampleBook()
{
    QList<MenuRecord> menus = readBook(QStringLiteral("/dev/null"));
    const QStringList names = {QStringLiteral("Rice"), QStringLiteral("Hot Tea"), QString(),
                               QStringLiteral("Popcorn")};
    for (int p = 0; p < menus.size(); ++p) {
        if (MenuRecord::isReservedNumber(menus[p].number))
            continue;
        menus[p].name = names[p % names.size()];
        menus[p].stages = {MenuStage{p % 11, p % 15, p % 60}, MenuStage{}, MenuStage{3, 60, 0}};
    }
    return menus;
}

// The daemon started by the test, gone with it.
struct Daemon
{
    QProcess process;
    QString instanceConfig;
    ~Daemon()
    {
        process.terminate();
        process.waitForFinished();
        if (!instanceConfig.isEmpty())
            QFile::remove(instanceConfig);
    }
};

bool writeFile(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

} // namespace

class tst_ExternalTools : public QObject
{
    Q_OBJECT

private slots:
    void spreadsheetSavedBooksReadWhole();
    void sheetThroughPrintQueue();
};

void tst_ExternalTools::spreadsheetSavedBooksReadWhole()
{
    const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (office.isEmpty())
        QSKIP("soffice (libreoffice-calc-nogui) is not installed");
    QTemporaryDir folder;
    const QList<MenuRecord> original = sampleBook();
    MenuBook book;
    book.menus = original;
    QVERIFY(writeFile(folder.filePath(QStringLiteral("book.hex")), book.menuFileText()));

    // Separator, text delimiter, UTF-8, first line; then whether every text cell is quoted.
    const QStringList exports = {QStringLiteral("44,34,76,1,,0,true"),
                                 QStringLiteral("44,34,76,1,,0,false"),
                                 QStringLiteral("59,34,76,1,,0,false")};
    for (int e = 0; e < exports.size(); ++e) {
        const QString out = folder.filePath(QString::number(e));
        // A profile of its own, so parallel runs do not meet in one.
        run(office, {QStringLiteral("-env:UserInstallation=file://") + folder.filePath("profile"),
                     QStringLiteral("--headless"),
                     QStringLiteral("--infilter=Text - txt - csv (StarCalc):44,34,76,1"),
                     QStringLiteral("--convert-to"),
                     QStringLiteral("csv:Text - txt - csv (StarCalc):") + exports[e],
                     QStringLiteral("--outdir"), out, folder.filePath(QStringLiteral("book.hex"))});
        const QString saved = out + QStringLiteral("/book.csv");
        QFile csv(saved);
        QVERIFY2(csv.open(QIODevice::ReadOnly), qPrintable(exports[e]));
        const QByteArray firstRow = csv.readAll().split('\n').value(20);
        QCOMPARE(firstRow.startsWith('"'), e == 0);
        QCOMPARE(firstRow.contains(';'), e == 2);
        QCOMPARE(readBook(saved), original);
    }
}

void tst_ExternalTools::sheetThroughPrintQueue()
{
    const QString cupsd = QStringLiteral("/usr/sbin/cupsd");
    const QString backend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
    if (!QFile::exists(cupsd) || !QFile::exists(backend) ||
        QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("cups-daemon, printer-driver-cups-pdf or poppler-utils is not installed");
    // The PDF backend runs only for a daemon that runs as root.
    if (geteuid() != 0)
        QSKIP("a print daemon of the test's own needs root");

    QTemporaryDir spool(QStringLiteral("/tmp/morvex-cups-XXXXXX"));
    const QString root = spool.path();
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                    QFileDevice::ExeOther | QFileDevice::ReadGroup |
                                    QFileDevice::ExeGroup);
    for (const char *dir : {"etc", "spool/tmp", "cache", "state", "out"})
        QVERIFY(QDir(root).mkpath(QLatin1String(dir)));
    const QString socket = root + QStringLiteral("/cups.sock");
    const QString allowAll = QStringLiteral("Order allow,deny\nAllow all\n");
    QVERIFY(writeFile(root + QStringLiteral("/cupsd.conf"),
                      QStringLiteral("Listen %1\nBrowsing Off\nWebInterface No\n"
                                     "<Location />\n%2</Location>\n"
                                     "<Policy default>\n<Limit All>\n%2</Limit>\n</Policy>\n")
                          .arg(socket, allowAll)));
    QVERIFY(writeFile(root + QStringLiteral("/cups-files.conf"),
                      QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nTempDir "
                                     "%1/spool/tmp\nCacheDir %1/cache\nStateDir %1/state\n"
                                     "ErrorLog %1/error_log\nAccessLog %1/access_log\n"
                                     "PageLog %1/page_log\nSandboxing Relaxed\n")
                          .arg(root)));
    // The backend reads its settings for an instance from /etc/cups only.
    const QString instance = QStringLiteral("morvex%1").arg(getpid());
    Daemon daemon;
    daemon.instanceConfig = QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(instance);
    QVERIFY(
        writeFile(daemon.instanceConfig,
                  QStringLiteral("Out %1/out\nSpool %1/spool/pdf\nGrp root\nLog %1\n").arg(root)));
    daemon.process.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"),
                                 root + QStringLiteral("/cupsd.conf"), QStringLiteral("-s"),
                                 root + QStringLiteral("/cups-files.conf")});
    QVERIFY(daemon.process.waitForStarted());
    const QStringList server = {QStringLiteral("-h"), socket};
    QTRY_VERIFY_WITH_TIMEOUT(
        run(QStringLiteral("lpstat"), server + QStringList{"-r"}, 10'000).contains("is running"),
        60'000);
    run(QStringLiteral("lpadmin"),
        server + QStringList{"-p", instance, "-E", "-v", "cups-pdf:/" + instance, "-P",
                             "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"});
    // The default renderer turns the text into pictures of letters on its way
    // through PostScript; Cairo's keeps it searchable.
    run(QStringLiteral("lpadmin"),
        server + QStringList{"-p", instance, "-o", "pdftops-renderer-default=pdftocairo"});
    run(QStringLiteral("lpadmin"), server + QStringList{"-d", instance});
    qputenv("CUPS_SERVER", socket.toUtf8());

    // Qt's own printer discovery and print engine; only the dialog is left out.
    struct NoDialog : PrintPreviewDialogs
    {
        bool print(QPrinter &printer, const Paint &paint, QWidget *) override
        {
            paint(printer);
            return true;
        }
    } dialogs;
    EditorFixture editor;
    editor.start();
    editor.window->setPrintDialogs(&dialogs);
    editor.book.menus[6].name = QStringLiteral("Roast Chicken");
    editor.pressKey(QStringLiteral("Ctrl+P"));
    QCOMPARE(editor.takeHints(), QList<int>{});

    // Done when the queue's PDF reads whole; a PDF still being written does not.
    QString text;
    QTRY_VERIFY2_WITH_TIMEOUT(
        [&] {
            QDirIterator pdfs(root + QStringLiteral("/out"), {QStringLiteral("*.pdf")}, QDir::Files,
                              QDirIterator::Subdirectories);
            text = pdfs.hasNext() ? pdfText(pdfs.next()) : QString();
            return text.contains(QRegularExpression(QStringLiteral("A-07\\s+Roast Chicken"))) &&
                   text.contains(QStringLiteral("C-99"));
        }(),
        qPrintable(text), 90'000);
    QVERIFY(text.contains(BookPrinter::fingerprintOf(editor.book.menus)));
}

QTEST_MAIN(tst_ExternalTools)
#include "tst_externaltools.moc"
