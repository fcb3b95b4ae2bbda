#pragma once

#include "menurecord.h"

#include <QList>
#include <QString>

// Lays a book out on A4 pages of a PDF with Qt's own PDF writer: one line per
// menu with its code, name, three stages, total time and power-10 time
// against the 25-minute limit; every page names the file and its fingerprint
// so a loose page still tells which book it belongs to.
class BookPrinter
{
public:
    enum class Language
    {
        English,
        Chinese,
    };

    Language language = Language::English;
    bool onlyNamed = false; // leave out menus without a name and without stages
    QString fileName;       // shown on every page
    QString fingerprint;    // shown on every page

    // Needs a QGuiApplication. False with a reason when the PDF could not be
    // written; nothing is left at the path then.
    bool print(const QList<MenuRecord> &records, const QString &pdfPath, QString &error) const;

    // The menus the sheet lists: the 297 the editor shows, without the
    // reserved records, and with onlyNamed without the empty ones.
    QList<MenuRecord> printedMenus(const QList<MenuRecord> &records) const;
};
