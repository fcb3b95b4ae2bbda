#pragma once

#include "menurecord.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Why a paste was refused: what the first bad line of it broke.
enum class PasteFault
{
    None,
    Nothing,      // no line with cells at all
    QuoteOpen,    // a quoted cell not closed, or text after its closing quote
    CellCount,    // neither 10 nor 11 cells
    CodeCell,     // 11 cells whose second is no "#NNNN"
    NameLetters,  // a name with other than letters and spaces
    NameLength,   // a name longer than the edit dialog takes
    PowerValue,   // a power that is no P00..P10 or 0..10
    MinutesValue, // minutes that are no whole number 0..60
    SecondsValue, // seconds that are no whole number 0..99
    P10MenuOver25Min,
    P10StageOver15Min,
    StageOver60Min,
    PastLastMenu, // more lines than menus from the highlighted one to C-99
};

// The menus a paste reads, or why it reads none.
struct PastedMenus
{
    QList<MenuRecord> records;
    PasteFault fault = PasteFault::None;
    // The row of the pasted text that broke a rule, counted from 1 as the
    // spreadsheet's rows are: blank rows and a header row count.
    int line = 0;

    bool accepted() const { return fault == PasteFault::None; }
};

// Menus as a spreadsheet holds them on the clipboard: one line per menu,
// the cells in the file's column order (name, "#NNNN", the nine stage
// values), separated by tabs or commas. Copying writes such lines; pasting
// reads them under the file reader's field rules, but strictly: where the
// reader quietly empties a name or zeroes a stage, a paste is refused whole,
// since the user can still fix the cells in the spreadsheet. Names follow
// the edit dialog's rule, so a paste stores no name the dialog would refuse.
class MenuClipboardText
{
public:
    // The longest name the edit dialog lets the user type.
    static constexpr int NameLength = 16;

    // One menu as a line without its end; rowNumber is the row of the record
    // in the file (its position + 1).
    static QString rowLine(const MenuRecord &record, int rowNumber, QChar separator);

    // The names and stages of the pasted lines, in order, or the first fault
    // when a line breaks a rule, when there are more than maxRows lines, or
    // none. Blank lines and a first row of column titles (its first cell
    // begins "MenuName", as the file's header does) are left out; a quoted
    // cell may span lines. Only name and stages of the records are set.
    static PastedMenus parse(QStringView text, int maxRows);

    // The cells of one line. A cell that begins with a double quote runs to
    // the matching closing quote, a doubled quote inside standing for one;
    // false for a quote left open or text after a closing quote.
    static bool splitCells(QStringView line, QChar separator, QStringList &cells);
    // A cell quoted when it holds the separator, a quote or a line break.
    static QString quotedCell(const QString &cell, QChar separator);
};
