#include "sheetprintplugin.h"

#include "bookprinter.h"
#include "printpreviewdialogs.h"

#include <QDebug>
#include <QPrinter>

namespace {

BookPrinter sheetFor(const SheetPrinting::Request &request)
{
    BookPrinter sheet;
    sheet.language =
        request.chinese ? BookPrinter::Language::Chinese : BookPrinter::Language::English;
    sheet.onlyNamed = true;
    sheet.fileName = request.fileName;
    sheet.workingCopy = request.workingCopy;
    // What Save would write, so the sheet of an edited book names the
    // fingerprint the saved file will have.
    sheet.fingerprint = BookPrinter::fingerprintOf(request.menus);
    return sheet;
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

bool SheetPrintPlugin::savePdf(const Request &request, const QString &path, QString &error)
{
    return sheetFor(request).print(request.menus, path, error);
}
