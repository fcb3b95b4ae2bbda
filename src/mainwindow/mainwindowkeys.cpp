// The keyboard: window-wide shortcuts for the commands, the highlight and
// the undo history. A key does what its button or the mouse would, and
// nothing while they would do nothing.

#include "mainwindow.h"

#include "elabel.h"
#include "epushbutton.h"
#include "mainwindowform.h"
#include "menubook.h"
#include "menucommand.h"

#include <QAction>
#include <QUndoStack>

#include <cstdlib>

namespace {

constexpr int RowCount = MainWindowForm::RowCount;

QList<QKeySequence> withKeys(QKeySequence::StandardKey standard, const QList<QKeySequence> &extra)
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
    for (const QKeySequence &key : extra) {
        if (!keys.contains(key))
            keys.append(key);
    }
    return keys;
}

} // namespace

void MainWindow::prepareKeys()
{
    // Actions on the window itself: a focused button or the slider does
    // not swallow the keys, as a key press handler of the window would.
    const auto bind = [this](const QList<QKeySequence> &keys, const auto &handler) {
        auto *action = new QAction(this);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
    };
    // A disabled button ignores click(), so its key does nothing either.
    const auto press = [](QPushButton *button) {
        return [button] {
            button->click();
        };
    };

    bind({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}, press(form->pushButtonEdit));
    bind({QKeySequence(Qt::Key_Delete)}, press(form->pushButtonDelete));
    bind(QKeySequence::keyBindings(QKeySequence::Open), press(form->pushButtonOpenFile));
    bind(QKeySequence::keyBindings(QKeySequence::New), press(form->pushButtonCreateNewFile));
    bind(QKeySequence::keyBindings(QKeySequence::Save), press(form->pushButtonSaveFile));
    // X11 has no standard Save As key.
    bind(withKeys(QKeySequence::SaveAs, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}),
         press(form->pushButtonSaveNewFile));

    bind(QKeySequence::keyBindings(QKeySequence::Print), [this] { printSheet(); });

    bind(QKeySequence::keyBindings(QKeySequence::Undo), [this] { stepHistory(true); });
    // X11's standard Redo is Ctrl+Shift+Z alone; spreadsheet users expect Ctrl+Y.
    bind(withKeys(QKeySequence::Redo, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                       QKeySequence(Qt::CTRL | Qt::Key_Y)}),
         [this] { stepHistory(false); });

    // Home and End are page moves as far as the book goes.
    const struct
    {
        Qt::Key key;
        int steps;
    } moves[] = {{Qt::Key_Up, -1},
                 {Qt::Key_Down, 1},
                 {Qt::Key_PageUp, -RowCount},
                 {Qt::Key_PageDown, RowCount},
                 {Qt::Key_Home, -MenuBook::RecordCount},
                 {Qt::Key_End, MenuBook::RecordCount}};
    for (const auto &move : moves)
        bind({QKeySequence(move.key)}, [this, steps = move.steps] { moveHighlight(steps); });
}

void MainWindow::moveHighlight(int steps)
{
    // The keys stand for clicks on the rows, which an open dialog holds off.
    if (!state.tileClicksAccepted || shownMenuCount() == 0)
        return;
    const int current = selectedRow->menuIndex;
    // A page key takes the page along, so the highlight keeps its row.
    if (std::abs(steps) >= RowCount)
        firstShown = std::clamp(firstShown + steps, 0, lastFirstShown());
    showMenu(current + steps);
}

void MainWindow::stepHistory(bool back)
{
    // The history rests while a dialog or question holds the buttons.
    if (!form->pushButtonEdit->isEnabled())
        return;
    const int index = back ? history.index() - 1 : history.index();
    if (index < 0 || index >= history.count())
        return;
    const auto *change = static_cast<const MenuCommand *>(history.command(index));
    if (back)
        history.undo();
    else
        history.redo();
    showMenu(change->menuIndex());
}
