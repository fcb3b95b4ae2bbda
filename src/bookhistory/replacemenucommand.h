#pragma once

#include "menucommand.h"
#include "menurecord.h"

// An edited menu stored over its record: undo puts the record back as it was.
class ReplaceMenuCommand : public MenuCommand
{
public:
    // after.number names the record (1 <= number <= the book's size).
    ReplaceMenuCommand(MenuBook &book, const MenuRecord &after);

    void undo() override;
    void redo() override;

private:
    MenuRecord before;
    MenuRecord after;
};
