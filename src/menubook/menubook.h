#pragma once

#include "menufilewriter.h"
#include "menurecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QIODevice;
class MenuFileChooser;

// How a file command that shows a dialog ended.
enum class FileCommandResult
{
    Done,      // the file was read or written
    Cancelled, // the dialog was cancelled; chosenFileName is empty
    Failed,    // the chosen file could not be read or written; see each command
    // Save and Save As only: the book's own file was written, the working
    // copy was not, so the next start-up would show an older book.
    WorkingCopyFailed,
};

// The one menu book of a run: 299 records (297 menus and the two reserved
// records b-00 and C-00), the file Save writes, and the name last chosen.
//
// Writes go through MenuFileWriter: a write that fails leaves the previous file
// exactly as it was, and a file that does not read back byte for byte as
// written counts as not written. Every failed write is logged with the reason.
class MenuBook
{
public:
    static constexpr int RecordCount = 299;
    static constexpr int MenusPerBook = 297;
    static const QString WorkingCopyName; // "menufile.hex"
    static const QString FileFilter;      // "MorvexMenuFile(*.hex)"

    QList<MenuRecord> menus;
    QString currentPath;
    // The name the last file dialog returned, kept only when the command could
    // use it: empty after a cancelled dialog and after an Open, Create or
    // Save As whose chosen file could not be read or written.
    QString chosenFileName;

    // Not owned; without a chooser every dialog answers as if cancelled.
    void setFileChooser(MenuFileChooser *chooser);
    MenuFileChooser *chooser() const { return fileChooser; }
    // Every file command writes through this writer.
    void setFileWriter(MenuFileWriter writer);

    int menuCount() const { return MenusPerBook; }
    // Menu index 0..296 to record position, stepping over the reserved 99 and 199.
    static int positionOfMenu(int menuIndex);
    // The other way: the menu index a record position stands for; the
    // reserved positions 99 and 199 give the menu before them.
    static int menuOfPosition(int position);

    // Overwrites the record at position number - 1 (1 <= number <= menus.size()).
    void replaceMenu(const MenuRecord &record);
    // Appends with number menus.size() + 1; code, name and stages as given.
    void appendMenu(MenuRecord record);
    // Empties the name and zeroes the stages; number and code stay.
    void clearMenu(int menuIndex);

    // Loads "menufile.hex" from the working directory, writing the default
    // book first only when no file of that name exists. True: 299 records,
    // currentPath and chosenFileName "menufile.hex". False: the working copy
    // could not be read; book, currentPath and chosenFileName are empty.
    bool loadStartupFile();
    // Done: 299 records read from the chosen file, which became currentPath.
    // Cancelled: nothing changed. Failed: the chosen file could not be opened
    // for reading; menus and currentPath are unchanged.
    FileCommandResult openFile();
    // The same with the name given instead of asked for (a book named on the
    // command line); an empty name counts as a cancelled dialog.
    FileCommandResult openFile(const QString &name);
    // Done: the chosen file holds the header only, the book is empty and the
    // file became currentPath. Cancelled: nothing changed. Failed: the file
    // could not be written; book and currentPath are unchanged.
    FileCommandResult createFile();
    // Writes the book to currentPath (skipped while it is empty) and to the
    // working copy. Done: both written. Failed: currentPath could not be
    // written, or the working copy could not be written when it is the only
    // file. WorkingCopyFailed: currentPath was written, the working copy not.
    FileCommandResult saveFile();
    // Done: the book was written to the chosen file, which became currentPath,
    // and to the working copy. Cancelled: nothing written. Failed: the chosen
    // file could not be written (currentPath unchanged, chosenFileName empty);
    // the working copy is written all the same, so the edits outlive the run.
    // WorkingCopyFailed: the chosen file was written and became currentPath,
    // the working copy was not (chosenFileName keeps the name).
    FileCommandResult saveFileAs();

    // Appends exactly 299 records read from the open device; see MenuFileReader.
    void readMenuFile(QIODevice &file);
    // The header followed by one row per record, as many as the book holds.
    QString menuFileText() const;
    static QString headerText();
    // The header followed by 299 rows without names and with zero stages.
    static QString defaultText();
    // The bytes a write produces: one Latin-1 byte per character, "?" for a
    // character outside Latin-1.
    static QByteArray fileBytes(const QString &text);

private:
    bool writeFile(const QString &path, const QByteArray &bytes) const;
    // Writes path, then the working copy whatever became of path. Done,
    // Failed (path refused) or WorkingCopyFailed.
    FileCommandResult writeBookAndWorkingCopy(const QString &path, const QByteArray &bytes) const;

    MenuFileChooser *fileChooser = nullptr;
    MenuFileWriter fileWriter;
};
