// The real outside world: books saved by a spreadsheet open whole, and the
// window's sheet comes out of a real print queue, or as a PDF with none.

#include "bookprinter.h"
#include "editorfixture.h"
#include "menufilereader.h"
#include "sheetprintdialogs.h"

#include <QPrinterInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>

#include <unistd.h>

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(120'000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool write(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0;
}

// Qt's own printer discovery and print engine; only the dialog is left out.
struct NoDialog : SheetPrintDialogs
{
    bool hasPrinter() override { return !QPrinterInfo::availablePrinterNames().isEmpty(); }
    bool print(QPrinter &printer, const Paint &paint, QWidget *) override
    {
        return paint(printer, false), true;
    }
};

} // namespace

class tst_ExternalTools : public QObject
{
    Q_OBJECT

private slots:
    void spreadsheetSavedBooksReadWhole()
    {
        const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (office.isEmpty())
            QSKIP("soffice (libreoffice-calc-nogui) is not installed");
        QTemporaryDir folder; // with a spreadsheet profile of its own
        QFile none(QStringLiteral("/dev/null"));
        none.open(QIODevice::ReadOnly);
        MenuBook book;
        book.menus = MenuFileReader().read(none); // 299 empty menus
        for (int p = 0; p < book.menus.size(); ++p) {
            if (!MenuRecord::isReservedNumber(p + 1))
                book.menus[p].name = p % 3 == 1 ? "" : "Hot Tea",
                book.menus[p].stages[0] = {p % 11, p % 15, p % 60};
        }
        const QString hex = folder.filePath(QStringLiteral("book.hex")),
                      out = folder.filePath("out");
        QVERIFY(write(hex, book.menuFileText()));
        // Separator, quote, UTF-8, first line, and whether every text cell is quoted.
        for (const QString options :
             {"44,34,76,1,,0,true", "44,34,76,1,,0,false", "59,34,76,1,,0,false"}) {
            run(office, {"-env:UserInstallation=file://" + folder.filePath("profile"), "--headless",
                         "--infilter=Text - txt - csv (StarCalc):44,34,76,1", "--convert-to",
                         "csv:Text - txt - csv (StarCalc):" + options, "--outdir", out, hex});
            QFile csv(out + QStringLiteral("/book.csv"));
            QVERIFY2(csv.open(QIODevice::ReadOnly), qPrintable(options));
            const QByteArray row = csv.readAll().split('\n').value(20);
            QCOMPARE(row.startsWith('"') + 2 * row.contains(';'),
                     options.endsWith("true") + 2 * options.startsWith("59"));
            QVERIFY(csv.seek(0));
            QCOMPARE(MenuFileReader().read(csv), book.menus);
        }
    }

    void sheetFromTheWindow()
    {
        QTemporaryDir spool(QStringLiteral("/tmp/morvex-cups-XXXXXX"));
        const QString root = spool.path(), socket = root + QStringLiteral("/cups.sock");
        qputenv("CUPS_SERVER", socket.toUtf8()); // no print service there yet
        NoDialog dialogs;
        EditorFixture editor;
        editor.start();
        editor.window->setPrintDialogs(&dialogs);
        editor.book.menus[6].name = QStringLiteral("Roast Chicken");
        editor.book.currentPath = editor.path(QStringLiteral("Winter 2026.hex"));
        editor.chooser.answers = {QStringLiteral("sheet")};
        editor.pressKey(QStringLiteral("Ctrl+P"));
        QCOMPARE(editor.takeHints(), (QList<int>{LHINT_NOT_FIND_PRINTER, LHINT_FILE_SAVED}));
        // The book's file and fingerprint on top, the one named menu, and
        // which ones are empty.
        const QRegularExpression sheet(
            QStringLiteral("(?s)Menu book: Winter 2026.hex.*") +
            BookPrinter::fingerprintOf(editor.book.menus) +
            QStringLiteral(".*A-07\\s+Roast Chicken.*not listed: A-01..A-06, A-08..A-99, b-01"));
        const auto shows = [&sheet](const QString &pdf) {
            return run("pdftotext", {"-layout", pdf, "-"}).contains(sheet);
        };
        QVERIFY(shows(editor.path(QStringLiteral("sheet.pdf"))));
        // Without the print plugin, the same offer and the same sheet.
        editor.window->setSheetPluginPath(editor.path(QStringLiteral("missing/plugin.so")));
        editor.chooser.answers = {QStringLiteral("sheet2")};
        editor.pressKey(QStringLiteral("Ctrl+P"));
        QCOMPARE(editor.takeHints(), (QList<int>{LHINT_NOT_FIND_PRINTER, LHINT_FILE_SAVED}));
        QVERIFY(shows(editor.path(QStringLiteral("sheet2.pdf"))));
        editor.window->setSheetPluginPath(QString());

        if (geteuid() != 0 || !QFile::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf")))
            QSKIP("printing to a queue needs root and printer-driver-cups-pdf");
        QFile::setPermissions(root, QFile::permissions(root) | QFileDevice::ExeOther);
        QVERIFY(QDir(root).mkpath(QStringLiteral("spool/tmp")) && QDir(root).mkpath("etc"));
        QVERIFY(
            write(root + "/cupsd.conf",
                  QStringLiteral("Listen %1\nBrowsing Off\n<Location />\n%2</Location>\n<Policy "
                                 "default>\n<Limit All>\n%2</Limit>\n</Policy>\n")
                      .arg(socket, "Order allow,deny\nAllow all\n")));
        QVERIFY(
            write(root + "/files.conf",
                  QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                                 "CacheDir %1\nStateDir %1\nErrorLog %1/log\nSandboxing Relaxed\n")
                      .arg(root)));
        // The backend reads an instance's settings from /etc/cups only.
        const QString queue = QStringLiteral("morvex%1").arg(getpid());
        const QString instance = QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(queue);
        QVERIFY(write(instance,
                      QStringLiteral("Out %1/out\nSpool %1/spool/pdf\nGrp root\n").arg(root)));
        QProcess cupsd;
        const auto stop = qScopeGuard(
            [&] { cupsd.terminate(), cupsd.waitForFinished(), QFile::remove(instance); });
        cupsd.start(QStringLiteral("/usr/sbin/cupsd"),
                    {"-f", "-c", root + "/cupsd.conf", "-s", root + "/files.conf"});
        const QStringList server = {QStringLiteral("-h"), socket};
        QTRY_VERIFY_WITH_TIMEOUT(run("lpstat", server + QStringList{"-r"}).contains("is running"),
                                 60'000);
        // CUPS's default renderer turns text into outlines on its way through
        // PostScript; Cairo's keeps it searchable.
        run("lpadmin", server + QStringList{"-p", queue, "-E", "-v", "cups-pdf:/" + queue, "-P",
                                            "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd", "-o",
                                            "pdftops-renderer-default=pdftocairo"});
        run("lpadmin", server + QStringList{"-d", queue});
        editor.pressKey(QStringLiteral("Ctrl+P"));
        QCOMPARE(editor.takeHints(), QList<int>{});
        // Done when the queue's PDF reads whole; one still being written does not.
        const QDir out(root + QStringLiteral("/out"));
        QTRY_VERIFY_WITH_TIMEOUT(!out.entryList({"*.pdf"}).isEmpty() &&
                                     shows(out.filePath(out.entryList({"*.pdf"}).first())),
                                 90'000);
    }
};

QTEST_MAIN(tst_ExternalTools)
#include "tst_externaltools.moc"
