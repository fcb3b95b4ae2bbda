// The printed sheet of the book on screen, the same sheet `menubook print`
// makes: to a printer through the print dialogs, or, where no printer is
// installed, to a PDF the user names. Printing is a plugin the window loads
// on the first print; without it the window has no printer to offer, only
// the PDF.

#include "mainwindow.h"

#include "bookprinter.h"
#include "edition.h"
#include "epushbutton.h"
#include "eselfdeletehintbox.h"
#include "mainwindowform.h"
#include "menubook.h"
#include "menufilechooser.h"
#include "sheetprinting.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

void MainWindow::setPrintDialogs(SheetPrintDialogs *dialogs)
{
    printDialogs = dialogs;
}

void MainWindow::setSheetPluginPath(const QString &path)
{
    sheetPluginPath = path;
}

namespace {

// Loaded once and kept for the rest of the run: a loader going out of scope
// leaves its library loaded.
SheetPrinting *loadSheetPrinting(const QString &path)
{
    QPluginLoader loader(path);
    auto *printing = qobject_cast<SheetPrinting *>(loader.instance());
    if (!printing)
        qDebug() << "printing is not available:" << loader.errorString();
    return printing;
}

} // namespace

void MainWindow::printSheet()
{
    // As the other commands: nothing while a dialog or question holds the
    // buttons, nor before a book is on screen.
    if (!form->pushButtonEdit->isEnabled())
        return;
    SheetPrinting *printing = loadSheetPrinting(
        sheetPluginPath.isEmpty() ? QDir(QCoreApplication::applicationDirPath())
                                        .filePath(QStringLiteral(MORVEX_SHEET_PLUGIN))
                                  : sheetPluginPath);
    SheetPrinting::Request request;
    request.menus = book.menus;
    request.chinese = currentEdition() == Edition::Chinese;
    request.fileName = QFileInfo(book.currentPath).fileName();
    request.workingCopy = request.fileName == MenuBook::WorkingCopyName;

    if (printing && printing->hasPrinter(printDialogs)) {
        printing->print(request, printDialogs, this);
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
    const bool saved =
        BookPrinter::ofEditedBook(request.menus,
                                  request.chinese ? BookPrinter::Language::Chinese
                                                  : BookPrinter::Language::English,
                                  request.fileName, request.workingCopy)
            .print(request.menus, path, error);
    if (!saved)
        qDebug() << "sheet not saved:" << path << error;
    showHint(saved ? LHINT_FILE_SAVED : LHINT_FILE_NOT_SAVED);
}
