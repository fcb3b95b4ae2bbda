#pragma once

#include "menucommand.h"
#include "menurecord.h"

// A new menu appended at the end of the book: undo removes it again.
class AppendMenuCommand : public MenuCommand
{
public:
    AppendMenuCommand(MenuBook &book, const MenuRecord &record);

    void undo() override;
    void redo() override;

private:
    MenuRecord record;
};
