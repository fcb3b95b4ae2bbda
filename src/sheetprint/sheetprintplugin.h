#pragma once

#include "sheetprinting.h"

#include <QObject>

// The sheet and Qt's print dialogs, loaded by the window on the first print.
class SheetPrintPlugin : public QObject, public SheetPrinting
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID SheetPrinting_iid)
    Q_INTERFACES(SheetPrinting)

public:
    bool hasPrinter(SheetPrintDialogs *dialogs) override;
    bool print(const Request &request, SheetPrintDialogs *dialogs, QWidget *parent) override;
};
