#pragma once

#include <QUndoCommand>

class MenuBook;

// A change to one menu of the book. After an undo or a redo the window
// shows the menu the change touched.
class MenuCommand : public QUndoCommand
{
public:
    // The menu index (0..296, beyond for appended records) of the change.
    int menuIndex() const { return menu; }

protected:
    MenuCommand(MenuBook &book, int menuIndex) : book(book), menu(menuIndex) {}

    MenuBook &book;

private:
    int menu;
};
