#pragma once

#include "menurecord.h"

#include <QList>
#include <QString>

class QIODevice;
class MenuFileChooser;

// How a file command that shows a dialog ended.
enum class FileCommandResult {
    Done,      // the file was read or written
    Cancelled, // the dialog was cancelled; chosenFileName is empty
    Failed,    // the chosen file could not be read or written; see each command
};

// The one menu book of a run: 299 records (297 menus and the two reserved
// records b-00 and C-00), the file Save writes, and the name last chosen.
class MenuBook
{
public:
    static constexpr int RecordCount = 299;
    static constexpr int MenusPerBook = 297;
    static const QString WorkingCopyName; // "menufile.hex"

    QList<MenuRecord> menus;
    QString currentPath;
    QString chosenFileName;

    // Not owned; without a chooser every dialog answers as if cancelled.
    void setFileChooser(MenuFileChooser *chooser);

    int menuCount() const { return MenusPerBook; }
    static int positionOfMenu(int menuIndex);

    void replaceMenu(const MenuRecord &record);
    void appendMenu(MenuRecord record);
    void clearMenu(int menuIndex);

    // Returns false when the working copy could not be read (book empty, names empty).
    bool loadStartupFile();
    FileCommandResult openFile();
    FileCommandResult createFile();
    // false when a file Save attempted could not be written.
    bool saveFile();
    FileCommandResult saveFileAs();

    void readMenuFile(QIODevice &file);
    QString menuFileText() const;
    static QString headerText();
    static QString defaultText();

private:
    MenuFileChooser *fileChooser = nullptr;
};
