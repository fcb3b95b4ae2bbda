#include "menucommand.h"

int MenuCommand::menuOfPosition(int position)
{
    if (position < 99)
        return position;
    if (position < 199)
        return position - 1;
    return position - 2;
}
