#include "menubook.h"

#include "menufilechooser.h"

#include <QIODevice>

const QString MenuBook::WorkingCopyName = QStringLiteral("menufile.hex");

void MenuBook::setFileChooser(MenuFileChooser *chooser)
{
    fileChooser = chooser;
}

int MenuBook::positionOfMenu(int menuIndex)
{
    if (menuIndex < 99)
        return menuIndex;
    if (menuIndex < 198)
        return menuIndex + 1;
    return menuIndex + 2;
}

void MenuBook::replaceMenu(const MenuRecord &record)
{
    menus[record.number - 1] = record;
}

void MenuBook::appendMenu(MenuRecord record)
{
    record.number = int(menus.size()) + 1;
    menus.append(std::move(record));
}

void MenuBook::clearMenu(int menuIndex)
{
    MenuRecord &record = menus[positionOfMenu(menuIndex)];
    record.name.clear();
    record.stages = {};
}

bool MenuBook::loadStartupFile()
{
    return false;
}

FileCommandResult MenuBook::openFile()
{
    return FileCommandResult::Cancelled;
}

FileCommandResult MenuBook::createFile()
{
    return FileCommandResult::Cancelled;
}

bool MenuBook::saveFile()
{
    return false;
}

FileCommandResult MenuBook::saveFileAs()
{
    return FileCommandResult::Cancelled;
}

void MenuBook::readMenuFile(QIODevice &file)
{
    Q_UNUSED(file);
}

QString MenuBook::menuFileText() const
{
    return headerText();
}

QString MenuBook::headerText()
{
    return QString();
}

QString MenuBook::defaultText()
{
    return headerText();
}
