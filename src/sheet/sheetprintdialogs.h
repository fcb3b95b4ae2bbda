#pragma once

#include <functional>

class QPrinter;
class QWidget;

// Shows the sheet before it goes to a printer. The window never opens a print
// dialog itself: the program installs one that shows Qt's preview and print
// dialogs, tests install a scripted one.
class SheetPrintDialogs
{
public:
    using Paint = std::function<void(QPrinter &printer)>;

    virtual ~SheetPrintDialogs() = default;

    // False when the system has no printer to offer.
    virtual bool hasPrinter() = 0;
    // Lets the user see paint's pages and print them on printer, which may
    // be set up anew in between; paint draws on the printer it is given. True
    // when the sheet went to the printer.
    virtual bool print(QPrinter &printer, const Paint &paint, QWidget *parent) = 0;
};
