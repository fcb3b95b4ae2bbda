// The real outside world: books saved by a spreadsheet open whole, and the
// window's sheet comes out of a real print queue, or as a PDF with none.

#include "bookprinter.h"
#include "editorfixture.h"
#include "menufilereader.h"
#include "printpreviewdialogs.h"

#include <QBuffer>
#include <QDirIterator>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>

#include <unistd.h>

namespace {

QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(120'000);
    return process.readAllStandardOutput();
}

bool showsMenu(const QString &pdf, const QString &menu)
{
    const QString text = QString::fromUtf8(run(QStringLiteral("pdftotext"), {"-layout", pdf, "-"}));
    return text.contains(QRegularExpression(menu)) && text.contains(QStringLiteral("C-99"));
}

bool writeFile(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0;
}

// Qt's own printer discovery and print engine; only the dialog is left out.
struct NoDialog : PrintPreviewDialogs
{
    bool print(QPrinter &printer, const Paint &paint, QWidget *) override
    {
        paint(printer);
        return true;
    }
};

} // namespace

class tst_ExternalTools : public QObject
{
    Q_OBJECT

private slots:
    void spreadsheetSavedBooksReadWhole();
    void sheetFromTheWindow();
};

void tst_ExternalTools::spreadsheetSavedBooksReadWhole()
{
    const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (office.isEmpty())
        QSKIP("soffice (libreoffice-calc-nogui) is not installed");
    QTemporaryDir folder;
    MenuBook book;
    QBuffer none;
    none.open(QIODevice::ReadOnly);
    book.menus = MenuFileReader().read(none); // 299 empty menus
    for (int p = 0; p < book.menus.size(); ++p) {
        if (!MenuRecord::isReservedNumber(p + 1) && p % 4 != 2)
            book.menus[p] = {p + 1,
                             book.menus[p].code,
                             p % 4 ? "Hot Tea" : "Rice",
                             {MenuStage{p % 11, p % 15, p % 60}, {}, {3, 60, 0}}};
    }
    const QString hex = folder.filePath(QStringLiteral("book.hex"));
    QVERIFY(writeFile(hex, book.menuFileText()));
    // Separator, text delimiter, UTF-8, first line; then whether every text cell is quoted.
    const QStringList exports = {"44,34,76,1,,0,true", "44,34,76,1,,0,false",
                                 "59,34,76,1,,0,false"};
    for (int e = 0; e < exports.size(); ++e) {
        const QString out = folder.filePath(QString::number(e));
        // A profile of its own, so parallel runs do not meet in one.
        run(office, {"-env:UserInstallation=file://" + folder.filePath("profile"), "--headless",
                     "--infilter=Text - txt - csv (StarCalc):44,34,76,1", "--convert-to",
                     "csv:Text - txt - csv (StarCalc):" + exports[e], "--outdir", out, hex});
        QFile csv(out + QStringLiteral("/book.csv"));
        QVERIFY2(csv.open(QIODevice::ReadOnly), qPrintable(exports[e]));
        const QByteArray firstRow = csv.readAll().split('\n').value(20);
        QCOMPARE(QList<bool>({firstRow.startsWith('"'), firstRow.contains(';')}),
                 QList<bool>({e == 0, e == 2}));
        QVERIFY(csv.seek(0));
        QCOMPARE(MenuFileReader().read(csv), book.menus);
    }
}

void tst_ExternalTools::sheetFromTheWindow()
{
    QTemporaryDir spool(QStringLiteral("/tmp/morvex-cups-XXXXXX"));
    const QString root = spool.path(), socket = root + QStringLiteral("/cups.sock");
    qputenv("CUPS_SERVER", socket.toUtf8()); // no print service there yet
    NoDialog dialogs;
    EditorFixture editor;
    editor.start();
    editor.window->setPrintDialogs(&dialogs);
    editor.book.menus[6].name = QStringLiteral("Roast Chicken");
    editor.chooser.answers = {QStringLiteral("sheet")};
    editor.pressKey(QStringLiteral("Ctrl+P"));
    QCOMPARE(editor.takeHints(), (QList<int>{LHINT_NOT_FIND_PRINTER, LHINT_FILE_SAVED}));
    // The fingerprint on top, the renamed menu among the rows.
    const QString menu = QStringLiteral("(?s)") + BookPrinter::fingerprintOf(editor.book.menus) +
                         QStringLiteral(".*A-07\\s+Roast Chicken");
    QVERIFY(showsMenu(editor.path(QStringLiteral("sheet.pdf")), menu));

    if (geteuid() != 0 || !QFile::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf")))
        QSKIP("printing to a queue needs root and printer-driver-cups-pdf");
    QFile::setPermissions(root, QFile::permissions(root) | QFileDevice::ExeOther);
    QVERIFY(QDir(root).mkpath(QStringLiteral("spool/tmp")) && QDir(root).mkpath("etc"));
    const QString allowAll = QStringLiteral("Order allow,deny\nAllow all\n");
    QVERIFY(writeFile(root + "/cupsd.conf",
                      QStringLiteral("Listen %1\nBrowsing Off\n<Location />\n%2</Location>\n"
                                     "<Policy default>\n<Limit All>\n%2</Limit>\n</Policy>\n")
                          .arg(socket, allowAll)));
    QVERIFY(
        writeFile(root + "/files.conf",
                  QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                                 "CacheDir %1\nStateDir %1\nErrorLog %1/log\nSandboxing Relaxed\n")
                      .arg(root)));
    // The backend reads an instance's settings from /etc/cups only.
    const QString queue = QStringLiteral("morvex%1").arg(getpid());
    const QString instance = QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(queue);
    QVERIFY(writeFile(instance,
                      QStringLiteral("Out %1/out\nSpool %1/spool/pdf\nGrp root\n").arg(root)));
    QProcess cupsd;
    const auto stop = qScopeGuard([&] {
        cupsd.terminate();
        cupsd.waitForFinished();
        QFile::remove(instance);
    });
    cupsd.start(QStringLiteral("/usr/sbin/cupsd"),
                {"-f", "-c", root + "/cupsd.conf", "-s", root + "/files.conf"});
    const QStringList server = {QStringLiteral("-h"), socket};
    QTRY_VERIFY_WITH_TIMEOUT(run("lpstat", server + QStringList{"-r"}).contains("is running"),
                             60'000);
    // CUPS's default renderer turns the text into outlines on its way through
    // PostScript; Cairo's keeps it searchable.
    run("lpadmin", server + QStringList{"-p", queue, "-E", "-v", "cups-pdf:/" + queue, "-P",
                                        "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd", "-o",
                                        "pdftops-renderer-default=pdftocairo"});
    run("lpadmin", server + QStringList{"-d", queue});
    editor.pressKey(QStringLiteral("Ctrl+P"));
    QCOMPARE(editor.takeHints(), QList<int>{});
    // Done when the queue's PDF reads whole; one still being written does not.
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            QDirIterator pdfs(root + QStringLiteral("/out"), {QStringLiteral("*.pdf")},
                              QDir::Files);
            return pdfs.hasNext() && showsMenu(pdfs.next(), menu);
        }(),
        90'000);
}

QTEST_MAIN(tst_ExternalTools)
#include "tst_externaltools.moc"
