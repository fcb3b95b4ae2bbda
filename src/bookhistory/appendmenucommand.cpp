#include "appendmenucommand.h"

#include "menubook.h"

AppendMenuCommand::AppendMenuCommand(MenuBook &book, const MenuRecord &record)
    : MenuCommand(book, MenuBook::menuOfPosition(int(book.menus.size()))), record(record)
{
    setText(QStringLiteral("Add %1").arg(record.code));
}

void AppendMenuCommand::undo()
{
    // Every later change was undone first, so the appended record is the
    // last one; the book has no operation of its own for taking it back.
    book.menus.removeLast();
}

void AppendMenuCommand::redo()
{
    book.appendMenu(record);
}
