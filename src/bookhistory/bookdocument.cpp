#include "bookdocument.h"

#include "menubook.h"

#include <QFileInfo>
#include <QTimer>
#include <QUndoCommand>

BookDocument::BookDocument(MenuBook &book, QObject *parent) : QObject(parent), menuBook(book)
{
    connect(&undoStack, &QUndoStack::cleanChanged, this, [this](bool clean) {
        emit savedChanged(clean);
        scheduleRecoveryUpdate();
    });
    connect(&undoStack, &QUndoStack::indexChanged, this, &BookDocument::scheduleRecoveryUpdate);
}

BookDocument::~BookDocument() = default;

bool BookDocument::loadStartupFile()
{
    const bool loaded = menuBook.loadStartupFile();
    noteFile();
    return loaded;
}

FileCommandResult BookDocument::open()
{
    return afterOpening(menuBook.openFile());
}

FileCommandResult BookDocument::open(const QString &fileName)
{
    return afterOpening(menuBook.openFile(fileName));
}

FileCommandResult BookDocument::create()
{
    return afterOpening(menuBook.createFile());
}

FileCommandResult BookDocument::save()
{
    return afterSaving(menuBook.saveFile());
}

FileCommandResult BookDocument::saveAs()
{
    return afterSaving(menuBook.saveFileAs());
}

FileCommandResult BookDocument::afterOpening(FileCommandResult result)
{
    if (result == FileCommandResult::Done)
        startAfresh();
    return result;
}

FileCommandResult BookDocument::afterSaving(FileCommandResult result)
{
    // The user's own file holds the book even when the working copy refused it.
    if (result == FileCommandResult::Done || result == FileCommandResult::WorkingCopyFailed)
        undoStack.setClean();
    // A failed Save As may still have rewritten the working copy, which can
    // be the book's own file.
    noteFile();
    return result;
}

void BookDocument::startAfresh()
{
    undoStack.clear();
    // clear() leaves an empty history as it was, also one a restore marked
    // as never saved.
    undoStack.setClean();
    noteFile();
}

void BookDocument::noteFile()
{
    fileFingerprint = BookRecovery::fingerprintOf(menuBook.currentPath);
    scheduleRecoveryUpdate();
}

bool BookDocument::push(QUndoCommand *change)
{
    // The stack would drop the redo steps before it drops an empty change.
    if (change->isObsolete()) {
        delete change;
        return false;
    }
    undoStack.push(change);
    return true;
}

void BookDocument::keepRecovery(BookRecovery &bookRecovery)
{
    // A second editor in this folder gets no answer and leaves the first
    // one's recovery alone.
    bookRecovery.claimLater(this, [this, &bookRecovery](const std::optional<RecoveredBook> &left) {
        recovery = &bookRecovery;
        if (left && left->menus != menuBook.menus) {
            offerOpen = true;
            emit recoveryFound(*left);
        }
        scheduleRecoveryUpdate();
    });
}

void BookDocument::restore(const RecoveredBook &left)
{
    offerOpen = false;
    menuBook.menus = left.menus;
    menuBook.currentPath = left.currentPath;
    // Still measured against the file it started from: should that file be
    // newer, a later crash says so again.
    fileFingerprint = left.fileFingerprint;
    undoStack.clear();
    // Restored, not saved: recovery keeps it until the user saves.
    undoStack.resetClean();
    scheduleRecoveryUpdate();
}

void BookDocument::declineRecovery()
{
    offerOpen = false;
    scheduleRecoveryUpdate();
}

void BookDocument::endNormally()
{
    if (recovery)
        recovery->discard();
    recovery = nullptr;
}

bool BookDocument::savedSince(const RecoveredBook &left)
{
    // A book file that has gone was not saved since; it only cannot be compared.
    return !left.fileFingerprint.isEmpty() && QFileInfo(left.currentPath).isFile() &&
           BookRecovery::fingerprintOf(left.currentPath) != left.fileFingerprint;
}

void BookDocument::scheduleRecoveryUpdate()
{
    if (!recovery || updateScheduled)
        return;
    updateScheduled = true;
    QTimer::singleShot(0, this, [this] {
        updateScheduled = false;
        updateRecovery();
    });
}

void BookDocument::updateRecovery()
{
    // The left book stays on disk until the user has answered for it; the
    // edits made meanwhile are kept from the answer on.
    if (!recovery || offerOpen)
        return;
    if (!isSaved())
        recovery->keep(menuBook, fileFingerprint);
    else
        recovery->discard();
}
