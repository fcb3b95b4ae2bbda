// Bulk work on the book: menus copied to and pasted from the system
// clipboard as spreadsheet rows, duplicated into the next empty menu, moved
// up and down, found by typing, and the rows' context menu offering the same.
// Every change is one step of the undo history, and nothing here acts while
// the edit dialog or a question holds the window.

#include "mainwindow.h"

#include "bookdocument.h"
#include "elabel.h"
#include "epushbutton.h"
#include "eselfdeletehintbox.h"
#include "languageini.h"
#include "mainwindowform.h"
#include "menubook.h"
#include "menuclipboardtext.h"
#include "replacemenucommand.h"
#include "replacemenuscommand.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QTimer>
#include <QUndoStack>

#include <functional>

namespace {

// Letters typed closer together than this make one word, as in a file manager.
constexpr qint64 FindWordMs = 1000;
// As long as a hint stays: afterwards a reader walking the window no
// longer meets the last search's alert.
constexpr int NoMatchAlertMs = 3000;
const QString NoMatchAlertName = QStringLiteral("noMatchAlert");

class NoMatchAlertAccessible : public QAccessibleWidget
{
public:
    explicit NoMatchAlertAccessible(QWidget *alert)
        : QAccessibleWidget(alert, QAccessible::AlertMessage)
    {}
};

QAccessibleInterface *noMatchAlertFactory(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    return widget && widget->objectName() == NoMatchAlertName ? new NoMatchAlertAccessible(widget)
                                                              : nullptr;
}

const QString CsvType = QStringLiteral("text/csv");

// Drawn as the rows are: the light grey of a plain row, the blue of the
// highlighted one, framed in the title band's grey.
const QString RowMenuStyle = QStringLiteral(
    "QMenu{background-color: rgb(231, 231, 231); border: 1px solid rgb(89, 87, 87);"
    " padding: 3px 0px;}"
    "QMenu::item{color: black; background-color: transparent; padding: 5px 28px 5px 18px;}"
    "QMenu::item:selected{color: white; background-color: #00aaff;}"
    "QMenu::item:disabled{color: rgb(150, 150, 150);}"
    "QMenu::item:disabled:selected{color: rgb(150, 150, 150); background-color: transparent;}"
    "QMenu::separator{height: 1px; background-color: rgb(180, 180, 180); margin: 3px 8px;}");

bool isEmptyMenu(const MenuRecord &record)
{
    return record.name.isEmpty() && record.stages == std::array<MenuStage, 3>{};
}

// What a typed word may hold: the letters and spaces of names, and the
// digits and dash of codes.
bool isFindText(const QString &text)
{
    for (QChar c : text) {
        if (!c.isLetterOrNumber() && c != u' ' && c != u'-')
            return false;
    }
    return !text.isEmpty();
}

// "c50", "C-50", "b7" to the menu index of that code; -1 when the word is
// no code, or names b-00 or C-00, which are no menus.
int menuOfCode(const QString &word)
{
    static const QRegularExpression code(QStringLiteral("^([abc])-?(\\d{1,2})$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = code.match(word);
    if (!match.hasMatch())
        return -1;
    const int number = match.captured(2).toInt();
    const QChar group = match.captured(1).at(0).toLower();
    if (number == 0)
        return -1;
    return group == u'a' ? number - 1 : group == u'b' ? 98 + number : 197 + number;
}

// What a refused paste's hint says, by fault; "%1" is the line. The keys
// are language.ini's, under [LHINTS]; a file without them keeps these texts.
struct PasteFaultText
{
    PasteFault fault;
    const char *iniKey;
    const char *text;
};

const PasteFaultText pasteFaultTexts[] = {
    {PasteFault::QuoteOpen, "LHINT_PASTE_QUOTE_OPEN",
     QT_TRANSLATE_NOOP("MainWindow", "Line %1: a quote is not closed")},
    {PasteFault::CellCount, "LHINT_PASTE_CELL_COUNT",
     QT_TRANSLATE_NOOP("MainWindow", "Line %1: a menu is 10 or 11 cells")},
    {PasteFault::CodeCell, "LHINT_PASTE_CODE_CELL",
     QT_TRANSLATE_NOOP("MainWindow", "Line %1: 11 cells need #NNNN second")},
    {PasteFault::NameLetters, "LHINT_PASTE_NAME_LETTERS",
     QT_TRANSLATE_NOOP("MainWindow", "Line %1: names are letters and spaces")},
    {PasteFault::NameLength, "LHINT_PASTE_NAME_LENGTH",
     QT_TRANSLATE_NOOP("MainWindow", "Line %1: names are at most 16 characters")},
    {PasteFault::PowerValue, "LHINT_PASTE_POWER",
     QT_TRANSLATE_NOOP("MainWindow", "Line %1: power is P00 to P10")},
    {PasteFault::MinutesValue, "LHINT_PASTE_MINUTES",
     QT_TRANSLATE_NOOP("MainWindow", "Line %1: minutes are 0 to 60")},
    {PasteFault::SecondsValue, "LHINT_PASTE_SECONDS",
     QT_TRANSLATE_NOOP("MainWindow", "Line %1: seconds are 0 to 99")},
    {PasteFault::P10MenuOver25Min, "LHINT_PASTE_P10_MENU_OVER_25MIN",
     QT_TRANSLATE_NOOP("MainWindow", "Line %1: P10 over 25 min in the menu")},
    {PasteFault::P10StageOver15Min, "LHINT_PASTE_P10_STAGE_OVER_15MIN",
     QT_TRANSLATE_NOOP("MainWindow", "Line %1: P10 over 15 min in one stage")},
    {PasteFault::StageOver60Min, "LHINT_PASTE_STAGE_OVER_60MIN",
     QT_TRANSLATE_NOOP("MainWindow", "Line %1: over 60 min in one stage")},
    {PasteFault::PastLastMenu, "LHINT_PASTE_PAST_LAST_MENU",
     QT_TRANSLATE_NOOP("MainWindow", "Line %1: past C-99, the last menu")},
};

} // namespace

QString MainWindow::pasteFaultText(PasteFault fault, int line)
{
    const auto found =
        std::find_if(std::begin(pasteFaultTexts), std::end(pasteFaultTexts),
                     [fault](const PasteFaultText &entry) { return entry.fault == fault; });
    if (found == std::end(pasteFaultTexts))
        return QString();
    const LanguageIni ini;
    const QString key = QStringLiteral("/LHINTS/") + QLatin1String(found->iniKey);
    // Not arg(): a text from the file need not hold the line's place.
    QString text = ini.iniTextMode() && ini.contains(key) ? ini.text(key) : tr(found->text);
    return text.replace(QStringLiteral("%1"), QString::number(line));
}

void MainWindow::prepareBulkCommands()
{
    const auto bind = [this](const QList<QKeySequence> &keys, const auto &handler) {
        auto *action = new QAction(this);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
    };
    bind(QKeySequence::keyBindings(QKeySequence::Copy), [this] { copyMenu(); });
    bind(QKeySequence::keyBindings(QKeySequence::Paste), [this] { pasteMenus(); });
    bind({QKeySequence(Qt::CTRL | Qt::Key_D)}, [this] { duplicateMenu(); });
    bind({QKeySequence(Qt::ALT | Qt::Key_Up)}, [this] { moveMenu(-1); });
    bind({QKeySequence(Qt::ALT | Qt::Key_Down)}, [this] { moveMenu(1); });
    bind(QKeySequence::keyBindings(QKeySequence::FindNext), [this] {
        if (bookCommandsAvailable() && !lastFind.isEmpty())
            findMenu(lastFind, 1);
    });

    // Shift+F10 and the Menu key open the rows' menu under the highlighted
    // row, where a keyboard or screen-reader user can reach it.
    bind({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)}, [this] {
        const QPoint below(form->rows[0].value->x() - selectedRow->x(), selectedRow->height());
        openRowMenu(selectedRow->mapToGlobal(below), true);
    });

    // The rows' own release handling selects the row first; the menu opens
    // after it, on the row then highlighted. A double-click edits the row
    // its first click selected.
    for (const MainWindowRow &row : form->rows) {
        row.background->installEventFilter(this);
        for (ELabel *text : row.texts())
            text->installEventFilter(this);
    }
}

bool MainWindow::bookCommandsAvailable() const
{
    // Edit is disabled before a book is loaded and while a dialog or
    // question is open; row clicks are off while either is open.
    return state.tileClicksAccepted && form->pushButtonEdit->isEnabled();
}

void MainWindow::copyMenu()
{
    const int menu = selectedRow->menuIndex;
    if (!bookCommandsAvailable() || !hasMenu(menu))
        return;
    const int position = MenuBook::positionOfMenu(menu);
    const MenuRecord &record = book.menus.at(position);
    auto *data = new QMimeData;
    data->setText(MenuClipboardText::rowLine(record, position + 1, u'\t') + u'\n');
    data->setData(
        CsvType,
        (MenuClipboardText::rowLine(record, position + 1, u',') + QStringLiteral("\r\n")).toUtf8());
    QGuiApplication::clipboard()->setMimeData(data);
}

void MainWindow::pasteMenus()
{
    if (!bookCommandsAvailable())
        return;
    const int first = selectedRow->menuIndex;
    if (!hasMenu(first)) {
        showHint(LHINT_NO_DRUGS);
        return;
    }
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QString text;
    if (data && data->hasText())
        text = data->text();
    else if (data && data->hasFormat(CsvType))
        text = QString::fromUtf8(data->data(CsvType));
    // C-99 is the last menu, whatever records were appended after it.
    int room = 0;
    while (first + room < MenuBook::MenusPerBook && hasMenu(first + room))
        ++room;
    const PastedMenus pasted = MenuClipboardText::parse(text, room);
    if (!pasted.accepted()) {
        // The user fixes the sheet: the hint says where and what.
        const QString reason = pasteFaultText(pasted.fault, pasted.line);
        if (reason.isEmpty())
            showHint(LHINT_DRUG_BASE_INFO_INVALID);
        else
            (new ESelfDeleteHintBox(this, reason))->show();
        return;
    }
    QList<MenuRecord> after;
    bool changes = false;
    for (int line = 0; line < pasted.records.size(); ++line) {
        MenuRecord record = book.menus.at(MenuBook::positionOfMenu(first + line));
        const MenuRecord was = record;
        record.name = pasted.records.at(line).name;
        record.stages = pasted.records.at(line).stages;
        changes = changes || record != was;
        after.append(record);
    }
    const int last = first + int(pasted.records.size()) - 1;
    if (changes)
        document.push(new ReplaceMenusCommand(book, after, last, QStringLiteral("Paste")));
    showMenu(last);
}

void MainWindow::duplicateMenu()
{
    const int source = selectedRow->menuIndex;
    if (!bookCommandsAvailable() || !hasMenu(source))
        return;
    const MenuRecord &original = book.menus.at(MenuBook::positionOfMenu(source));
    for (int target = source + 1; target < MenuBook::MenusPerBook && hasMenu(target); ++target) {
        MenuRecord copy = book.menus.at(MenuBook::positionOfMenu(target));
        if (!isEmptyMenu(copy))
            continue;
        copy.name = original.name;
        copy.stages = original.stages;
        // An empty menu copied onto an empty one changes nothing to undo.
        if (!isEmptyMenu(copy))
            document.push(new ReplaceMenuCommand(book, copy));
        showMenu(target);
        return;
    }
    showHint(LHINT_MENU_SIZE_OUT_OF_RANGE);
}

void MainWindow::moveMenu(int step)
{
    const int from = selectedRow->menuIndex;
    const int to = from + step;
    if (!bookCommandsAvailable() || !hasMenu(from) || !hasMenu(to))
        return;
    MenuRecord moved = book.menus.at(MenuBook::positionOfMenu(to));
    MenuRecord displaced = book.menus.at(MenuBook::positionOfMenu(from));
    std::swap(moved.name, displaced.name);
    std::swap(moved.stages, displaced.stages);
    if (moved != book.menus.at(MenuBook::positionOfMenu(to)))
        document.push(
            new ReplaceMenusCommand(book, {displaced, moved}, to, QStringLiteral("Move")));
    showMenu(to);
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    const Qt::KeyboardModifiers chords = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if ((event->modifiers() & chords) || !isFindText(typed)) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!bookCommandsAvailable())
        return;
    const bool continues =
        !findWord.isEmpty() && findTyped.isValid() && findTyped.elapsed() < FindWordMs;
    findTyped.start();
    findWord = continues ? findWord + typed : typed;
    // A word starts with a letter: names and codes both do.
    if (!findWord.front().isLetter()) {
        findWord.clear();
        return;
    }
    lastFind = findWord;
    // A longer word may still fit the menu found for its start.
    findMenu(findWord, continues ? 0 : 1);
}

void MainWindow::findMenu(const QString &word, int offset)
{
    const int menus = shownMenuCount();
    if (menus == 0)
        return;
    int found = menuOfCode(word);
    if (found < 0) {
        // Names that begin with the word, then names that hold it further
        // on ("cake" in "Carrot Cake"), each in book order.
        QList<int> matches;
        qsizetype prefixMatches = 0;
        for (int menu = 0; menu < menus; ++menu) {
            const QString &name = book.menus.at(MenuBook::positionOfMenu(menu)).name;
            if (name.startsWith(word, Qt::CaseInsensitive))
                matches.insert(prefixMatches++, menu);
            else if (name.contains(word, Qt::CaseInsensitive))
                matches.append(menu);
        }
        const qsizetype at = matches.indexOf(selectedRow->menuIndex);
        if (matches.isEmpty()) {
            found = -1;
        } else if (offset == 0) {
            // A longer word keeps the menu found for its start while that
            // still fits as well as any other.
            const bool keep = at >= 0 && (prefixMatches == 0 || at < prefixMatches);
            found = keep ? matches.at(at) : matches.first();
        } else {
            found = at < 0 ? matches.first() : matches.at((at + 1) % matches.size());
        }
    }
    if (found < 0 || !hasMenu(found)) {
        announceNoMatch(word);
        return;
    }
    showMenu(found);
    // Nothing is drawn for the search: a screen reader reads the row found.
    if (QAccessible::isActive()) {
        QAccessibleEvent focus(selectedRow, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

void MainWindow::announceNoMatch(const QString &word)
{
    // The highlight stays, so a reader would hear nothing at all: an alert
    // that draws nothing tells it, as a hint would, without a box on screen.
    if (!QAccessible::isActive())
        return;
    if (!noMatchAlert) {
        static const bool installed = [] {
            QAccessible::installFactory(noMatchAlertFactory);
            return true;
        }();
        Q_UNUSED(installed);
        noMatchAlert = new QWidget(this);
        noMatchAlert->setObjectName(NoMatchAlertName);
        noMatchAlert->setAttribute(Qt::WA_TransparentForMouseEvents);
        noMatchAlert->setFocusPolicy(Qt::NoFocus);
        noMatchAlert->setGeometry(0, 0, 0, 0);
        noMatchAlertTimer = new QTimer(this);
        noMatchAlertTimer->setSingleShot(true);
        noMatchAlertTimer->setInterval(NoMatchAlertMs);
        connect(noMatchAlertTimer, &QTimer::timeout, noMatchAlert, &QWidget::hide);
    }
    noMatchAlert->hide();
    noMatchAlert->setAccessibleName(tr("No menu named %1").arg(word));
    noMatchAlert->show();
    noMatchAlertTimer->start();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::RightButton) {
        const QPoint at = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
        QMetaObject::invokeMethod(
            this, [this, at] { openRowMenu(at); }, Qt::QueuedConnection);
    }
    if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        // Queued: the double-click's own release still reaches the row.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (bookCommandsAvailable() && selectedRow->isVisible())
                    form->pushButtonEdit->click();
            },
            Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::openRowMenu(const QPoint &globalPosition, bool byKeyboard)
{
    const int menu = selectedRow->menuIndex;
    if (!bookCommandsAvailable() || !hasMenu(menu) || !selectedRow->isVisible())
        return;
    const auto click = [](QPushButton *button) {
        return [button] {
            button->click();
        };
    };
    const QMimeData *clipboard = QGuiApplication::clipboard()->mimeData();
    const struct
    {
        QString text;
        QKeySequence key;
        bool enabled;
        std::function<void()> run;
    } entries[] = {
        {tr("Edit"), QKeySequence(Qt::Key_Return), form->pushButtonEdit->isEnabled(),
         click(form->pushButtonEdit)},
        {tr("Clear"), QKeySequence(Qt::Key_Delete), form->pushButtonDelete->isEnabled(),
         click(form->pushButtonDelete)},
        {},
        {tr("Copy"), QKeySequence(QKeySequence::Copy), true,
         [this] {
             copyMenu();
         }},
        {tr("Paste"), QKeySequence(QKeySequence::Paste),
         clipboard && (clipboard->hasText() || clipboard->hasFormat(CsvType)),
         [this] {
             pasteMenus();
         }},
        {tr("Duplicate"), QKeySequence(Qt::CTRL | Qt::Key_D), true,
         [this] {
             duplicateMenu();
         }},
        {},
        {tr("Move up"), QKeySequence(Qt::ALT | Qt::Key_Up), hasMenu(menu - 1),
         [this] {
             moveMenu(-1);
         }},
        {tr("Move down"), QKeySequence(Qt::ALT | Qt::Key_Down), hasMenu(menu + 1),
         [this] {
             moveMenu(1);
         }},
        {},
        {tr("Undo"), QKeySequence(QKeySequence::Undo), history.canUndo(),
         [this] {
             stepHistory(true);
         }},
        {tr("Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), history.canRedo(),
         [this] {
             stepHistory(false);
         }},
        {},
        {tr("Print"), QKeySequence(QKeySequence::Print), true,
         [this] {
             printSheet();
         }},
    };
    auto *rowMenu = new QMenu(this);
    rowMenu->setObjectName(QStringLiteral("rowMenu"));
    rowMenu->setAttribute(Qt::WA_DeleteOnClose);
    rowMenu->setStyleSheet(RowMenuStyle);
    rowMenu->setFont(form->rows[0].tag->font());
    for (const auto &entry : entries) {
        if (entry.text.isEmpty()) {
            rowMenu->addSeparator();
            continue;
        }
        // The key is shown, not bound: the window's own shortcuts stay the
        // only ones, so no key is claimed twice while the menu is open.
        QAction *action =
            rowMenu->addAction(entry.text + u'\t' + entry.key.toString(QKeySequence::NativeText));
        action->setEnabled(entry.enabled);
        connect(action, &QAction::triggered, this, entry.run);
    }
    // Opened by a key, the menu starts on its first entry, which a screen
    // reader then reads out, as a keyboard user expects of a context menu.
    QAction *firstEnabled = nullptr;
    for (QAction *action : rowMenu->actions()) {
        if (!firstEnabled && action->isEnabled() && !action->isSeparator())
            firstEnabled = action;
    }
    rowMenu->popup(globalPosition);
    if (byKeyboard && firstEnabled)
        rowMenu->setActiveAction(firstEnabled);
}
