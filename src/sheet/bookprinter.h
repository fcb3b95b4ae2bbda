#pragma once

#include "menurecord.h"

#include <QList>
#include <QString>

class QPagedPaintDevice;

// Lays a book out on pages, A4 in a PDF from Qt's own PDF writer or whatever
// a printer was set up for: one line per menu with its code, name, three
// stages, total time and power-10 time against the 25-minute limit; every
// page names the file and its fingerprint so a loose page still tells which
// book it belongs to. The menubook tool and the window print the same sheet.
class BookPrinter
{
public:
    enum class Language
    {
        English,
        Chinese,
    };

    Language language = Language::English;
    // Leave out menus without a name and without stages; one line after the
    // menus then names their codes.
    bool onlyNamed = false;
    QString fileName; // the book's file, in the heading of every page
    // The book on screen is the editor's working copy, not a book the user
    // named: the heading says so instead of passing it off as the book.
    bool workingCopy = false;
    QString fingerprint; // shown on every page

    // The sheet the editor prints of the book on screen: the named menus,
    // headed by the book's file and the fingerprint its next Save will have.
    static BookPrinter ofEditedBook(const QList<MenuRecord> &records, Language language,
                                    const QString &fileName, bool workingCopy);

    // Needs a QGuiApplication. False with a reason when the PDF could not be
    // written; nothing is left at the path then.
    bool print(const QList<MenuRecord> &records, const QString &pdfPath, QString &error) const;
    // Draws the sheet on the pages of a device as it is set up (a printer the
    // user chose, a PDF writer); false with a reason when drawing could not start.
    bool paint(const QList<MenuRecord> &records, QPagedPaintDevice &device, QString &error) const;

    // The first 64 bits of the SHA-256 of normalised bytes in four groups of
    // hex digits; with full, all 256 bits.
    static QString fingerprintText(const QByteArray &normalized, bool full = false);
    // The fingerprint of what the editor's Save writes for the records (LF
    // line ends): the same for a book on screen as for the file it was saved to.
    static QString fingerprintOf(const QList<MenuRecord> &records);

    // The menus the sheet lists: the 297 the editor shows, without the
    // reserved records, and with onlyNamed without the empty ones.
    QList<MenuRecord> printedMenus(const QList<MenuRecord> &records) const;
    // The codes onlyNamed leaves out, runs of neighbours joined:
    // "A-03..A-99, b-01..b-99, C-01..C-98".
    static QString emptyCodes(const QList<MenuRecord> &records);
};
