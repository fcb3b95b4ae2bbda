#pragma once

#include <functional>

class QPrinter;
class QWidget;

// Shows the sheet before it goes to a printer. The print plugin shows Qt's
// preview and print dialogs unless the window was given others: tests
// install scripted ones.
class SheetPrintDialogs
{
public:
    // Draws the sheet on the printer it is given: the named menus only, or
    // with emptyMenusToo the whole book.
    using Paint = std::function<void(QPrinter &printer, bool emptyMenusToo)>;

    virtual ~SheetPrintDialogs() = default;

    // False when the system has no printer to offer.
    virtual bool hasPrinter() = 0;
    // Lets the user see paint's pages and print them on printer, which may
    // be set up anew in between. True when the sheet went to the printer.
    virtual bool print(QPrinter &printer, const Paint &paint, QWidget *parent) = 0;
};
