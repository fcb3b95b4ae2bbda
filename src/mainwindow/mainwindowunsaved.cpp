// Unsaved changes, as the book's document tells them: nothing unsaved is
// thrown away without a question that says so, and what a crash left is
// offered back.

#include "mainwindow.h"

#include "bookdocument.h"
#include "editdialog.h"
#include "emessagebox.h"
#include "epushbutton.h"
#include "languageini.h"
#include "mainwindowform.h"
#include "menubook.h"

#include <QCloseEvent>
#include <QFileInfo>

#include <utility>

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
    connect(&document, &BookDocument::savedChanged, this,
            [this](bool saved) { setWindowModified(!saved); });
    connect(&document, &BookDocument::recoveryFound, this, [this](const RecoveredBook &left) {
        recoveredBook = std::make_unique<RecoveredBook>(left);
        offerRecoveredBook();
    });
}

bool MainWindow::askBeforeDiscarding(const std::function<void()> &command)
{
    if (document.isSaved())
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
    if (document.isSaved())
        return tr("Sure to Close?");
    return questionText("/QUESTIONS/CLOSE_UNSAVED", tr("Close without saving the changes?"));
}

void MainWindow::offerRecoveredBook()
{
    // Someone faster than the disk is answering a dialog: the offer waits
    // until the window is free again (recovery keeps their work meanwhile).
    if (!recoveredBook || (editDialog && editDialog->isVisible()) ||
        (messageBox && messageBox->isVisible()))
        return;
    const RecoveredBook left = *std::exchange(recoveredBook, nullptr);
    disableCommandButtons();
    if (BookDocument::savedSince(left))
        askQuestion(
            questionText("/QUESTIONS/RESTORE_OLDER_UNSAVED",
                         tr("Restore older unsaved menus? The book was saved after them.")));
    else
        askQuestion(questionText("/QUESTIONS/RESTORE_UNSAVED", tr("Restore unsaved menus?")));
    messageBox->setDetail(tr("%1, left %2")
                              .arg(QFileInfo(left.currentPath).fileName(),
                                   left.leftAt.toString(QStringLiteral("yyyy/MM/dd hh:mm"))));
    connect(messageBox, &EMessageBox::applied, this, [this, left] {
        document.restore(left);
        showBookLoaded();
    });
    connect(messageBox, &EMessageBox::releaseDialog, this, [this] { document.declineRecovery(); });
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (closeConfirmed) {
        QMainWindow::closeEvent(event);
        return;
    }
    // Asked like the close button; while a dialog or question holds the
    // window, that one is answered first.
    event->ignore();
    if (form->pushButtonClose->isEnabled())
        on_pushButtonClose_clicked();
    else if (messageBox && messageBox->isVisible())
        messageBox->activateWindow();
    else if (editDialog && editDialog->isVisible())
        editDialog->activateWindow();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // A window manager may activate the window after the question over it
    // was shown: the keys belong to the question.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && messageBox &&
        messageBox->isVisible())
        messageBox->activateWindow();
}
