#include "printpreviewdialogs.h"

#include <QPrintPreviewDialog>
#include <QPrinterInfo>

bool PrintPreviewDialogs::hasPrinter()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool PrintPreviewDialogs::print(QPrinter &printer, const Paint &paint, QWidget *parent)
{
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter *target) { paint(*target); });
    return dialog.exec() == QDialog::Accepted;
}
