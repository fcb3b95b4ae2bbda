#include "replacemenucommand.h"

#include "menubook.h"

ReplaceMenuCommand::ReplaceMenuCommand(MenuBook &book, const MenuRecord &after)
    : MenuCommand(book, MenuBook::menuOfPosition(after.number - 1)),
      before(book.menus.at(after.number - 1)), after(after)
{
    // Names the change for a history view; nothing shows it today.
    setText(QStringLiteral("Edit %1").arg(before.code));
    // An Apply that changes nothing is no step to undo; the stack drops it.
    setObsolete(before == after);
}

void ReplaceMenuCommand::undo()
{
    book.replaceMenu(before);
}

void ReplaceMenuCommand::redo()
{
    book.replaceMenu(after);
}
