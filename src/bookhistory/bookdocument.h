#pragma once

#include "bookrecovery.h"

#include <QObject>
#include <QUndoStack>

#include <optional>

class MenuBook;
class QUndoCommand;
enum class FileCommandResult;

// The open book as the user edits it: the book's undo history, whether it
// is saved, its recovery file and its file commands, kept consistent in
// one place. The book is saved while the history stands where the last
// Open, New, Save or Save As left it; every unsaved state is in recovery
// once this run owns the folder's recovery file, and a saved one leaves
// none behind.
class BookDocument : public QObject
{
    Q_OBJECT

public:
    explicit BookDocument(MenuBook &book, QObject *parent = nullptr);
    ~BookDocument() override;

    MenuBook &book() const { return menuBook; }
    // For undo, redo and what they would change; changes come through push().
    QUndoStack &history() { return undoStack; }
    bool isSaved() const { return undoStack.isClean(); }

    // The book's own commands (see MenuBook), and what each means for the
    // history and for recovery.
    bool loadStartupFile();
    FileCommandResult open();
    FileCommandResult open(const QString &fileName);
    FileCommandResult create();
    FileCommandResult save();
    FileCommandResult saveAs();

    // Applies the change as one step of the history. A change that leaves
    // the book as it is takes no step and keeps what redo would bring back.
    // True when it took a step.
    bool push(QUndoCommand *change);

    // From the moment this run owns the folder's recovery file, every
    // unsaved state is kept there. What a run that did not end normally left
    // is reported through recoveryFound, when it differs from the book, and
    // stays there until restore() or declineRecovery() answers for it.
    void keepRecovery(BookRecovery &recovery);
    // The left book in place of this one, under its file name, unsaved.
    void restore(const RecoveredBook &left);
    // The left book is not wanted: its file goes, unless this run has
    // unsaved menus of its own to keep there.
    void declineRecovery();
    // The user ended the run knowing what was unsaved: nothing to recover.
    void endNormally();

    // True when the file the left book came from changed after it was left.
    static bool savedSince(const RecoveredBook &left);

signals:
    void savedChanged(bool saved);
    void recoveryFound(const RecoveredBook &left);

private:
    FileCommandResult afterOpening(FileCommandResult result);
    FileCommandResult afterSaving(FileCommandResult result);
    // After Open and New: another book, whose history starts saved.
    void startAfresh();
    // After any file command: the file on disk is the one saved states match.
    void noteFile();
    // Once the change in hand is complete: the history moves and its clean
    // state flips in one push or undo.
    void scheduleRecoveryUpdate();
    void updateRecovery();

    MenuBook &menuBook;
    QUndoStack undoStack;
    BookRecovery *recovery = nullptr;
    QByteArray fileFingerprint;
    // A left book the user has not answered about yet: its file is neither
    // removed nor overwritten meanwhile.
    bool offerOpen = false;
    bool updateScheduled = false;
};
