// The command buttons: file commands, Edit, Add, Clear and Close, and the
// answers of the edit dialog and the question box.

#include "mainwindow.h"

#include "bookdocument.h"
#include "clearmenucommand.h"
#include "editdialog.h"
#include "elabel.h"
#include "emessagebox.h"
#include "epushbutton.h"
#include "eselfdeletehintbox.h"
#include "mainwindowform.h"
#include "menubook.h"
#include "menurowlist.h"

#include <QUndoStack>

#include <memory>

namespace {

constexpr int RowCount = MainWindowForm::RowCount;

} // namespace

std::array<QPushButton *, MainWindow::CommandButtonCount> MainWindow::commandButtons() const
{
    return {form->pushButtonEdit,   form->pushButtonEditAdd,  form->pushButtonClose,
            form->pushButtonMin,    form->pushButtonOpenFile, form->pushButtonCreateNewFile,
            form->pushButtonDelete, form->pushButtonSaveFile, form->pushButtonSaveNewFile};
}

void MainWindow::disableCommandButtons()
{
    const auto buttons = commandButtons();
    for (int i = 0; i < CommandButtonCount; ++i)
        savedEnabled[i] = buttons[i]->isEnabled();
    state.tileClicksAccepted = false;
    for (QPushButton *button : buttons)
        button->setEnabled(false);
}

void MainWindow::restoreCommandButtons()
{
    const auto buttons = commandButtons();
    for (int i = 0; i < CommandButtonCount; ++i)
        buttons[i]->setEnabled(savedEnabled[i]);
    state.tileClicksAccepted = true;
    // The keys come back with the buttons: a window manager that focused
    // the closing dialog may hand the focus to no window at all, and the
    // next Ctrl+Z would be lost.
    activateWindow();
    // Back to the rows, not to whatever comes first in the focus chain.
    rowList->setFocus();
    // Once the dialog that held the window back has gone.
    if (recoveredBook)
        QMetaObject::invokeMethod(this, &MainWindow::offerRecoveredBook, Qt::QueuedConnection);
}

void MainWindow::enableBookCommands()
{
    for (QPushButton *button :
         {form->pushButtonDelete, form->pushButtonEdit, form->pushButtonEditAdd,
          form->pushButtonSaveFile, form->pushButtonSaveNewFile})
        button->setEnabled(true);
}

int MainWindow::saveHint(FileCommandResult result)
{
    switch (result) {
    case FileCommandResult::Done:
        return LHINT_FILE_SAVED;
    case FileCommandResult::WorkingCopyFailed:
        // The user's file is safe; only the copy the next start-up loads is not.
        return LHINT_WORKING_COPY_NOT_SAVED;
    case FileCommandResult::Cancelled:
    case FileCommandResult::Failed:
        break;
    }
    return LHINT_FILE_NOT_SAVED;
}

void MainWindow::showHint(int hintId)
{
    auto *hint = new ESelfDeleteHintBox(this, hintId);
    hint->show();
}

void MainWindow::askQuestion(const QString &question, const QString &readerName)
{
    messageBox = new EMessageBox(this, tr("Warning"), question);
    // Its title, "Warning", tells a screen reader nothing of the question.
    messageBox->setAccessibleName(readerName.isEmpty() ? question : readerName);
    connect(messageBox, &EMessageBox::applied, this, &MainWindow::on_MsgBoxApplied);
    connect(messageBox, &EMessageBox::releaseDialog, this, &MainWindow::SetPushButtonsEnabled);
    messageBox->show();
}

void MainWindow::on_pushButtonOpenFile_clicked()
{
    state.pendingClose = false;
    state.pendingClear = false;
    const auto open = [this] {
        showOpenResult(document.open());
    };
    if (!askBeforeDiscarding(open))
        open();
}

void MainWindow::openBook(const QString &fileName)
{
    state.pendingClose = false;
    state.pendingClear = false;
    showOpenResult(document.open(fileName));
}

void MainWindow::showOpenResult(FileCommandResult result)
{
    switch (result) {
    case FileCommandResult::Done:
        showBookLoaded();
        break;
    case FileCommandResult::Cancelled:
        showHint(LHINT_FILE_PATH_INVALID);
        break;
    case FileCommandResult::Failed:
    case FileCommandResult::WorkingCopyFailed: // only saves end so
        // The book still holds what it held: the page stays as it is.
        showHint(LHINT_FILE_OPEN_FAILED_BAD_DATAS);
        break;
    }
}

void MainWindow::on_pushButtonCreateNewFile_clicked()
{
    state.pendingClose = false;
    state.pendingClear = false;
    if (!askBeforeDiscarding([this] { createBook(); }))
        createBook();
}

void MainWindow::createBook()
{
    if (document.create() != FileCommandResult::Done) {
        showHint(LHINT_FILE_NOT_CREATED);
        return;
    }
    enableBookCommands();
    refreshView();
    form->labelUserInfo->setEnabled(true);
    selectRow(form->rows[0].background);
}

void MainWindow::on_pushButtonSaveFile_clicked()
{
    state.pendingClose = false;
    state.pendingClear = false;
    showHint(saveHint(document.save()));
}

void MainWindow::on_pushButtonSaveNewFile_clicked()
{
    state.pendingClose = false;
    state.pendingClear = false;
    showHint(saveHint(document.saveAs()));
}

void MainWindow::on_pushButtonEditAdd_clicked()
{
    state.pendingClose = false;
    state.pendingClear = false;
    // The book has a fixed number of menus and is always full.
    if (book.menuCount() >= MenuBook::MenusPerBook)
        showHint(LHINT_MENU_SIZE_OUT_OF_RANGE);
}

void MainWindow::on_pushButtonEdit_clicked()
{
    state.pendingClose = false;
    state.pendingClear = false;
    if (book.menus.isEmpty()) {
        showHint(LHINT_NO_DRUGS);
        return;
    }
    editDialog = new EditDialog(book, this);
    editDialog->setDocument(&document);
    disableCommandButtons();
    connect(editDialog, &EditDialog::releaseDialog, this, &MainWindow::SetPushButtonsEnabled);
    // Without a visible selection the dialog stays in its new-menu mode.
    if (selectedRow->isVisible() && hasMenu(selectedRow->menuIndex))
        editDialog->setMenu(selectedRow->menuIndex);
    recordCountAtEdit = book.menus.size();
    editDialog->show();
}

void MainWindow::on_pushButtonDelete_clicked()
{
    state.pendingClose = false;
    if (book.menus.isEmpty()) {
        showHint(LHINT_NO_DRUGS);
        return;
    }
    state.pendingClear = true;
    // The question is about the menu highlighted now; the wheel or the slider
    // may page while it is open, but the answer must not follow them.
    clearTarget = selectedRow->menuIndex;
    disableCommandButtons();
    const QString code = hasMenu(clearTarget)
                             ? book.menus.at(MenuBook::positionOfMenu(clearTarget)).code
                             : QString();
    askQuestion(tr("Sure to Clear this MENU?"), tr("Clear menu %1?").arg(code));
}

void MainWindow::on_pushButtonClose_clicked()
{
    state.pendingClose = true;
    state.pendingClear = false;
    disableCommandButtons();
    askQuestion(closeQuestion());
}

void MainWindow::on_MsgBoxApplied()
{
    if (state.pendingClear) {
        if (hasMenu(clearTarget)) {
            document.push(new ClearMenuCommand(book, clearTarget));
            refreshView();
            showHint(LHINT_DRUG_DELETE);
        }
        state.pendingClear = false;
    }
    if (state.pendingClose) {
        state.pendingClose = false;
        // A normal end: nothing is left to recover, whatever was unsaved.
        document.endNormally();
        closeConfirmed = true;
        // The run ends when its last window has closed.
        close();
    }
    restoreCommandButtons();
}

void MainWindow::SetPushButtonsEnabled()
{
    restoreCommandButtons();
    const qint64 records = book.menus.size();
    if (recordCountAtEdit < records) {
        // The edit dialog added a menu: show the page with the newest one
        // and highlight it.
        recordCountAtEdit = records;
        const int menus = shownMenuCount();
        if (menus <= RowCount) {
            firstShown = 0;
            if (menus > 0)
                selectRow(form->rows[menus - 1].background);
        } else {
            firstShown = menus - RowCount;
            selectRow(form->rows[RowCount - 1].background);
        }
    }
    refreshView();
}
