#pragma once

#include "menurecord.h"

#include <QList>
#include <QStringList>

// Compares two books record by record after reading, the way a person
// comparing two printouts would: only names and stages count.
class BookDiff
{
public:
    struct Change
    {
        MenuRecord left, right;
    };

    static QList<Change> compare(const QList<MenuRecord> &left, const QList<MenuRecord> &right);
    // One line per change, the two menus side by side after their code,
    // under a line that names the two books.
    static QStringList sideBySide(const QList<Change> &changes, const QString &leftTitle,
                                  const QString &rightTitle);
    // "P10 02:30" with the values as the file holds them; seconds past 59 stay.
    static QString stageText(const MenuStage &stage);
};
