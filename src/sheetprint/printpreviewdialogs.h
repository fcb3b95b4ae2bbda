#pragma once

#include "sheetprintdialogs.h"

// Qt's print preview, whose Print button opens Qt's print dialog; the
// printers are those the system's print service offers. Its tool bar holds
// "Print empty menus too", which puts the whole book on the pages.
class PrintPreviewDialogs : public SheetPrintDialogs
{
public:
    bool hasPrinter() override;
    bool print(QPrinter &printer, const Paint &paint, QWidget *parent) override;
};
