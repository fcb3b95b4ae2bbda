#pragma once

#include "menurecord.h"

#include <QByteArray>
#include <QList>
#include <QLockFile>
#include <QMutex>
#include <QString>
#include <QWaitCondition>

#include <functional>
#include <memory>
#include <optional>

class MenuBook;
class QObject;
class QThread;

// What a run that did not end normally left of its book.
struct RecoveredBook
{
    QList<MenuRecord> menus;
    QString currentPath;
};

// The unsaved book of one working folder, kept in the user's own data folder
// so that a crash or a power cut does not take the edits since the last Save
// with it. One run at a time owns a folder's recovery file, through a lock
// whose holder is checked for being alive: a second editor in the same
// folder neither offers nor overwrites the first one's work.
//
// The file is written by a thread of its own, started by the first write:
// an edit never waits for the disk, and a file that cannot be written costs
// the edit nothing. The lock is taken when the window asks, after its first
// frame.
class BookRecovery
{
public:
    explicit BookRecovery(const QString &workingFolder);
    // Finishes what was asked for and lets go of the folder; the file stays.
    ~BookRecovery();
    BookRecovery(const BookRecovery &) = delete;
    BookRecovery &operator=(const BookRecovery &) = delete;

    // Gives the book a run that is no longer running left (empty when there
    // is none or it is damaged).
    using Claimed = std::function<void(const std::optional<RecoveredBook> &left)>;

    // True when this run now owns the folder's recovery file: no running
    // editor holds it. Without it, keep() and discard() do nothing.
    bool claim();
    // claim() in the thread of context once it returns to its event loop;
    // when it succeeds, whenClaimed runs there.
    void claimLater(QObject *context, Claimed whenClaimed);

    // Replaces the file with the book's bytes and current path.
    void keep(const MenuBook &book);
    // Removes the file: nothing unsaved is left.
    void discard();
    // Waits until the file holds what was last asked for.
    void finish();

    QString filePath() const { return path; }

private:
    struct Job
    {
        enum Kind
        {
            Write,
            Remove
        } kind = Write;
        QByteArray bytes;
    };

    std::optional<RecoveredBook> leftBook() const;
    QByteArray fileBytes(const MenuBook &book) const;
    void queue(Job job);
    void work();
    void perform(const Job &job);

    QString folder;
    QString path;
    std::unique_ptr<QLockFile> lock;
    bool claimed = false;

    // Shared with the writing thread.
    QMutex mutex;
    QWaitCondition changed;
    QList<Job> pending;
    bool busy = false;
    bool stopping = false;
    std::unique_ptr<QThread> writer;
    // Set by claim() before the writing thread starts, then by that thread only.
    bool failureLogged = false;
};
