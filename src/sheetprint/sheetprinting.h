#pragma once

#include "menurecord.h"

#include <QList>
#include <QString>
#include <QtPlugin>

class QWidget;
class SheetPrintDialogs;

// What the window asks of the print plugin. Qt PrintSupport is loaded with
// the plugin on the first print, so a run that never prints never pays for
// it. The PDF offered where there is no printer needs only Qt Gui: the
// window writes it itself, with or without the plugin.
class SheetPrinting
{
public:
    struct Request
    {
        QList<MenuRecord> menus;
        bool chinese = false;
        QString fileName;         // the book's file, named in the heading
        bool workingCopy = false; // the book is only the working copy
    };

    virtual ~SheetPrinting() = default;

    // dialogs: those the window was given, or nullptr for Qt's own.
    virtual bool hasPrinter(SheetPrintDialogs *dialogs) = 0;
    // The named menus through the preview, which offers the whole book too;
    // true when the sheet went to a printer.
    virtual bool print(const Request &request, SheetPrintDialogs *dialogs, QWidget *parent) = 0;
};

#define SheetPrinting_iid "io.morvex.MenuEditor.SheetPrinting/2"
Q_DECLARE_INTERFACE(SheetPrinting, SheetPrinting_iid)
