#include "sheetprintplugin.h"

#include "bookprinter.h"
#include "printpreviewdialogs.h"

#include <QDebug>
#include <QPrinter>

namespace {

BookPrinter sheetFor(const SheetPrinting::Request &request)
{
    return BookPrinter::ofEditedBook(
        request.menus,
        request.chinese ? BookPrinter::Language::Chinese : BookPrinter::Language::English,
        request.fileName, request.workingCopy);
}

} // namespace

bool SheetPrintPlugin::hasPrinter(SheetPrintDialogs *dialogs)
{
    PrintPreviewDialogs own;
    return (dialogs ? dialogs : &own)->hasPrinter();
}

bool SheetPrintPlugin::print(const Request &request, SheetPrintDialogs *dialogs, QWidget *parent)
{
    PrintPreviewDialogs own;
    BookPrinter sheet = sheetFor(request);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(sheet.fileName.isEmpty() ? QStringLiteral("menu book") : sheet.fileName);
    return (dialogs ? dialogs : &own)
        ->print(
            printer,
            [&sheet, &request](QPrinter &target, bool emptyMenusToo) {
                sheet.onlyNamed = !emptyMenusToo;
                QString error;
                if (!sheet.paint(request.menus, target, error))
                    qDebug() << "sheet not printed:" << error;
            },
            parent);
}
