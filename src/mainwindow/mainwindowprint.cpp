// The printed sheet of the book on screen, the same sheet `menubook print`
// makes: to a printer through the print dialogs, or, where no printer is
// installed, to a PDF the user names.

#include "mainwindow.h"

#include "bookprinter.h"
#include "edition.h"
#include "epushbutton.h"
#include "eselfdeletehintbox.h"
#include "mainwindowform.h"
#include "menubook.h"
#include "menufilechooser.h"
#include "sheetprintdialogs.h"

#include <QDebug>
#include <QFileInfo>
#include <QPrinter>

void MainWindow::setPrintDialogs(SheetPrintDialogs *dialogs)
{
    printDialogs = dialogs;
}

void MainWindow::printSheet()
{
    // As the other commands: nothing while a dialog or question holds the
    // buttons, nor before a book is on screen.
    if (!form->pushButtonEdit->isEnabled())
        return;
    BookPrinter sheet;
    sheet.language = currentEdition() == Edition::Chinese ? BookPrinter::Language::Chinese
                                                          : BookPrinter::Language::English;
    sheet.fileName = QFileInfo(book.currentPath).fileName();
    // What Save would write, so the sheet of an edited book names the
    // fingerprint the saved file will have.
    sheet.fingerprint = BookPrinter::fingerprintOf(book.menus);

    if (printDialogs && printDialogs->hasPrinter()) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(sheet.fileName.isEmpty() ? QStringLiteral("menu book") : sheet.fileName);
        printDialogs->print(
            printer,
            [this, &sheet](QPrinter &target) {
                QString error;
                if (!sheet.paint(book.menus, target, error))
                    qDebug() << "sheet not printed:" << error;
            },
            this);
        return;
    }

    // The file dialog covers the hint at once, so its caption says it again
    // (in English, as every file dialog's caption).
    showHint(LHINT_NOT_FIND_PRINTER);
    MenuFileChooser *chooser = book.chooser();
    if (!chooser)
        return;
    QString path =
        chooser->saveFileName(QStringLiteral("No Valid Printer! Save Morvex-Menu-Sheet as PDF"),
                              QStringLiteral("./"), QStringLiteral("PDF(*.pdf)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    QString error;
    const bool saved = sheet.print(book.menus, path, error);
    if (!saved)
        qDebug() << "sheet not saved:" << path << error;
    showHint(saved ? LHINT_FILE_SAVED : LHINT_FILE_NOT_SAVED);
}
