#pragma once

#include "menucommand.h"
#include "menurecord.h"

#include <QList>

// Several menus stored over their records in one step (a paste of many
// lines, two menus trading places): undo puts every record back as it was.
class ReplaceMenusCommand : public MenuCommand
{
public:
    // Each record's number names its slot (1 <= number <= the book's size);
    // shownMenu is the menu the window highlights after the change.
    ReplaceMenusCommand(MenuBook &book, const QList<MenuRecord> &after, int shownMenu,
                        const QString &text);

    void undo() override;
    void redo() override;

private:
    QList<MenuRecord> before;
    QList<MenuRecord> after;
};
