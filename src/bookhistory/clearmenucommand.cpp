#include "clearmenucommand.h"

#include "menubook.h"

ClearMenuCommand::ClearMenuCommand(MenuBook &book, int menuIndex)
    : MenuCommand(book, menuIndex), before(book.menus.at(MenuBook::positionOfMenu(menuIndex)))
{
    setText(QStringLiteral("Clear %1").arg(before.code));
    // Clearing an empty menu is no step to undo; the stack drops it.
    setObsolete(before.name.isEmpty() && before.stages == std::array<MenuStage, 3>{});
}

void ClearMenuCommand::undo()
{
    book.replaceMenu(before);
}

void ClearMenuCommand::redo()
{
    book.clearMenu(menuIndex());
}
