#pragma once

#include "sheetprintdialogs.h"

// Qt's print preview, whose Print button opens Qt's print dialog; the
// printers are those the system's print service offers. Under the pages,
// "Print empty menus too" puts the whole book on them.
class PrintPreviewDialogs : public SheetPrintDialogs
{
public:
    bool hasPrinter() override;
    bool print(QPrinter &printer, const Paint &paint, QWidget *parent) override;
};
