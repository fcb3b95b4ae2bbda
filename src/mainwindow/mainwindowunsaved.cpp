// Unsaved changes: the book is unsaved while its history is away from the
// state of the last Save, Save As, Open or New. Nothing unsaved is thrown
// away without a question that says so, and every unsaved state is kept in
// recovery so that a crash does not take it either.

#include "mainwindow.h"

#include "bookrecovery.h"
#include "editdialog.h"
#include "emessagebox.h"
#include "languageini.h"
#include "menubook.h"

#include <QTimer>
#include <QUndoStack>

namespace {

// An installation's language.ini may word the questions; one written before
// they existed lacks their keys and keeps the built-in text.
QString questionText(const char *iniKey, const QString &builtIn)
{
    const LanguageIni ini;
    const QString key = QLatin1String(iniKey);
    return ini.iniTextMode() && ini.contains(key) ? ini.text(key) : builtIn;
}

} // namespace

void MainWindow::watchUnsavedChanges()
{
    connect(&history, &QUndoStack::cleanChanged, this, [this](bool clean) {
        setWindowModified(!clean);
        scheduleRecoveryUpdate();
    });
    connect(&history, &QUndoStack::indexChanged, this, &MainWindow::scheduleRecoveryUpdate);
}

bool MainWindow::askBeforeDiscarding(const std::function<void()> &command)
{
    if (history.isClean())
        return false;
    disableCommandButtons();
    askQuestion(questionText("/QUESTIONS/DISCARD_UNSAVED", tr("Discard the unsaved changes?")));
    // After on_MsgBoxApplied has given the buttons back; the file dialog
    // should not open over the question.
    EMessageBox *box = messageBox;
    connect(box, &EMessageBox::applied, this, [box, command] {
        box->hide();
        command();
    });
    return true;
}

QString MainWindow::closeQuestion() const
{
    if (history.isClean())
        return tr("Sure to Close?");
    return questionText("/QUESTIONS/CLOSE_UNSAVED", tr("Close without saving the changes?"));
}

void MainWindow::markSaved(FileCommandResult result)
{
    // The user's own file holds the book even when the working copy refused it.
    if (result == FileCommandResult::Done || result == FileCommandResult::WorkingCopyFailed)
        history.setClean();
}

void MainWindow::scheduleRecoveryUpdate()
{
    // One push or undo changes the index and the clean state at once: the
    // book is taken once, after the change is complete.
    if (!recovery || recoveryUpdateScheduled)
        return;
    recoveryUpdateScheduled = true;
    QTimer::singleShot(0, this, [this] {
        recoveryUpdateScheduled = false;
        if (!recovery)
            return;
        if (history.isClean())
            recovery->discard();
        else
            recovery->keep(book);
    });
}

void MainWindow::keepRecovery(BookRecovery &bookRecovery)
{
    // A second editor in this folder gets no answer and leaves the first
    // one's recovery alone.
    bookRecovery.claimLater(this, [this, &bookRecovery](const std::optional<RecoveredBook> &left) {
        // Someone faster than the disk is already answering a dialog: what
        // was left waits for the next start.
        if ((editDialog && editDialog->isVisible()) || (messageBox && messageBox->isVisible()))
            return;
        recovery = &bookRecovery;
        offerRecoveredBook(left);
    });
}

void MainWindow::offerRecoveredBook(const std::optional<RecoveredBook> &left)
{
    if (!left || left->menus == book.menus) {
        scheduleRecoveryUpdate();
        return;
    }
    disableCommandButtons();
    askQuestion(questionText("/QUESTIONS/RESTORE_UNSAVED", tr("Restore unsaved menus?")));
    connect(messageBox, &EMessageBox::applied, this, [this, left] {
        book.menus = left->menus;
        book.currentPath = left->currentPath;
        history.clear();
        // Restored, not saved: the recovery file stays until the user saves.
        history.resetClean();
        showBookLoaded();
    });
    connect(messageBox, &EMessageBox::releaseDialog, this, [this] { recovery->discard(); });
}
