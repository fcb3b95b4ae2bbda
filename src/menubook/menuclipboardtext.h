#pragma once

#include "menurecord.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Menus as a spreadsheet holds them on the clipboard: one line per menu,
// the cells in the file's column order (name, "#NNNN", the nine stage
// values), separated by tabs or commas. Copying writes such lines; pasting
// reads them under the file reader's field rules, but strictly: where the
// reader quietly empties a name or zeroes a stage, a paste is refused whole,
// since the user can still fix the cells in the spreadsheet.
class MenuClipboardText
{
public:
    // One menu as a line without its end; rowNumber is the row of the record
    // in the file (its position + 1).
    static QString rowLine(const MenuRecord &record, int rowNumber, QChar separator);

    // The names and stages of the pasted lines, in order, or nothing when a
    // line breaks a rule, when there are more than maxRows lines, or none.
    // Blank lines are left out. Only name and stages of the records are set.
    static std::optional<QList<MenuRecord>> parse(QStringView text, int maxRows);

    // The cells of one line. A cell that begins with a double quote runs to
    // the matching closing quote, a doubled quote inside standing for one;
    // false for a quote left open or text after a closing quote.
    static bool splitCells(QStringView line, QChar separator, QStringList &cells);
    // A cell quoted when it holds the separator, a quote or a line break.
    static QString quotedCell(const QString &cell, QChar separator);
};
