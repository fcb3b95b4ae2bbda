#pragma once

#include "menurecord.h"

#include <QByteArray>
#include <QDateTime>
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
    // The digest of currentPath's bytes as that run last loaded or saved
    // them: a file that no longer matches was saved after these menus.
    QByteArray fileFingerprint;
    QDateTime leftAt;
};

// The unsaved book of one working folder, kept in the user's own data folder
// so that a crash or a power cut does not take the edits since the last Save
// with it. Both editions share the one file of a folder, since they share
// its working copy. One run at a time owns a folder's recovery file, through
// a lock whose holder is checked for being alive: a second editor in the
// same folder neither offers nor overwrites the first one's work.
//
// The lock is taken and the file written by a thread of its own, started
// when the window asks after its first frame: neither the window nor an
// edit waits for the disk (a lock's sync can take seconds on a slow one),
// and a file that cannot be written costs the edit nothing.
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
    // claim() on the writing thread; when it succeeds, whenClaimed runs in
    // the thread of context.
    void claimLater(QObject *context, Claimed whenClaimed);

    // Replaces the file with the book's bytes, its current path and the
    // fingerprint of that file as last loaded or saved.
    void keep(const MenuBook &book, const QByteArray &fileFingerprint);
    // Removes the file: nothing unsaved is left.
    void discard();
    // Waits until the file holds what was last asked for.
    void finish();

    QString filePath() const { return path; }

    // The digest a file's bytes are fingerprinted with; empty for a file
    // that cannot be read.
    static QByteArray fingerprintOf(const QString &fileName);

private:
    struct Job
    {
        enum Kind
        {
            Write,
            Remove,
            Claim
        } kind = Write;
        QByteArray bytes;
        QObject *context = nullptr;
        Claimed claimed;
    };

    std::optional<RecoveredBook> leftBook() const;
    QByteArray fileBytes(const MenuBook &book, const QByteArray &fileFingerprint) const;
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
    // Touched by the writing thread only, once it runs.
    bool failureLogged = false;
};
