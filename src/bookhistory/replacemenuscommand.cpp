#include "replacemenuscommand.h"

#include "menubook.h"

ReplaceMenusCommand::ReplaceMenusCommand(MenuBook &book, const QList<MenuRecord> &after,
                                         int shownMenu, const QString &text)
    : MenuCommand(book, shownMenu), after(after)
{
    before.reserve(after.size());
    for (const MenuRecord &record : after)
        before.append(book.menus.at(record.number - 1));
    setText(text);
    // A paste of what the menus already hold is no step to undo.
    setObsolete(before == after);
}

void ReplaceMenusCommand::undo()
{
    for (const MenuRecord &record : before)
        book.replaceMenu(record);
}

void ReplaceMenusCommand::redo()
{
    for (const MenuRecord &record : after)
        book.replaceMenu(record);
}
