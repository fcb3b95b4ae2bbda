#pragma once

#include "menucommand.h"
#include "menurecord.h"

// A menu cleared after the user confirmed it: undo gives back its name and
// stages. The record after the change is the one the book's clearMenu makes.
class ClearMenuCommand : public MenuCommand
{
public:
    // menuIndex 0..296 with a record in the book; the caller decides which
    // menu the confirmed question was about.
    ClearMenuCommand(MenuBook &book, int menuIndex);

    void undo() override;
    void redo() override;

private:
    MenuRecord before;
};
