#pragma once

#include "mainwindowstate.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QSet>

#include <array>
#include <functional>
#include <limits>
#include <memory>
#include <optional>

class BookDocument;
class EditDialog;
class ELabel;
class EMessageBox;
class MainWindowForm;
class MenuBook;
class MenuRowList;
enum class FileCommandResult;
enum class PasteFault;
struct MenuRecord;
struct RecoveredBook;
class QDateTime;
class QPushButton;
class SheetPrintDialogs;
class QTimer;
class QUndoStack;

// The editor's one window: a frameless 955 x 590 window showing the book 15
// menus at a time, with the file commands, Edit and Clear in a button pad.
// The view reads the book on every redraw and changes it only through
// commands pushed onto the book's undo history.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // document: the book being edited, with its history and saved state;
    // it outlives the window.
    explicit MainWindow(BookDocument &document, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The two 100 ms ticks and the question box's Apply. Plain members rather
    // than slots (the form's connection by name would take their on_ prefix
    // for object names); public so tests can drive the ticks.
    void on_updateTimerLabel();
    void on_highTimerEventProcess();
    void on_MsgBoxApplied();

    // Opens the named book as Open does with the name a dialog returned: the
    // start of a run with a book named on the command line.
    void openBook(const QString &fileName);

    // Not owned; without print dialogs the print plugin shows Qt's own.
    void setPrintDialogs(SheetPrintDialogs *dialogs);
    // The print plugin's file; empty: where it was installed beside the program.
    void setSheetPluginPath(const QString &path);

    // The clock line for a moment, in the running edition.
    static QString clockText(const QDateTime &moment);

public slots:
    // Ctrl+P: the book's named menus through the print dialogs, or with no
    // printer installed (or no print plugin) "No Valid Printer!" and the
    // sheet saved as a PDF.
    void printSheet();

protected:
    void wheelEvent(QWheelEvent *event) override;
    // Typed letters find a menu; whatever else is typed goes on as before.
    void keyPressEvent(QKeyEvent *event) override;
    // A right-click on a row opens the row's menu once the row is selected.
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Every close request (the window manager's, a logout's) asks first, as
    // the close button does.
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private slots:
    void on_pushButtonEditAdd_clicked();
    void on_pushButtonOpenFile_clicked();
    void on_pushButtonCreateNewFile_clicked();
    void on_pushButtonSaveFile_clicked();
    void on_pushButtonSaveNewFile_clicked();
    void on_pushButtonDelete_clicked();
    void on_pushButtonEdit_clicked();
    void SelectDrugLable();
    void SetPushButtonsEnabled();
    void on_pushButtonClose_clicked();
    void on_verticalSlider_valueChanged(int value);

private:
    static constexpr int CommandButtonCount = 9;

    // Construction (mainwindow.cpp).
    void prepareRows();
    void prepareRowList();
    void applyFonts();
    void applyButtonStyles();
    void applyToolTips();
    void showColumnTitles(const std::array<QString, 3> &stageTitles);
    void showBookLoaded();
    void prepareKeys();

    // Page view (mainwindowview.cpp).
    // Hides every label and button of the view except the chrome and keep.
    void resetView(const QSet<QWidget *> &keep = {});
    void showRow(int row);
    void refreshView();
    void selectRow(ELabel *rowLabel);
    void moveToPage(int first);
    void keepPageWithinBook();
    bool hasMenu(int menuIndex) const;
    int shownMenuCount() const;
    int lastFirstShown() const;
    // Pages as little as needed to show the menu, and highlights its row.
    void showMenu(int menuIndex);
    // Makes rowLabel the highlighted row, standing for menuIndex.
    void highlightRow(ELabel *rowLabel, int menuIndex);
    static QString totalTimeText(const MenuRecord &record);
    static QString rowSpeech(const MenuRecord &record);

    // Keys (mainwindowkeys.cpp).
    void moveHighlight(int steps);
    void stepHistory(bool back);

    // Clipboard, duplicate, move, find and the rows' menu (mainwindowbulk.cpp).
    void prepareBulkCommands();
    bool bookCommandsAvailable() const;
    void copyMenu();
    void pasteMenus();
    // The hint for a refused paste; empty for a fault without a line.
    static QString pasteFaultText(PasteFault fault, int line);
    void duplicateMenu();
    void moveMenu(int step);
    // Highlights the menu word is the code of, or the next menu whose name
    // holds word after the highlighted one (offset 1, wrapping) or from it
    // (offset 0): names that begin with it come first, then names holding it
    // further on, each in book order.
    void findMenu(const QString &word, int offset);
    // Tells a screen reader that nothing was found; draws nothing.
    void announceNoMatch(const QString &word);
    void openRowMenu(const QPoint &globalPosition, bool byKeyboard = false);

    // Commands (mainwindowcommands.cpp).
    std::array<QPushButton *, CommandButtonCount> commandButtons() const;
    void disableCommandButtons();
    void restoreCommandButtons();
    void enableBookCommands();
    void showOpenResult(FileCommandResult result);
    void createBook();
    void askQuestion(const QString &question, const QString &readerName = QString());
    void showHint(int hintId);
    static int saveHint(FileCommandResult result);

    // Unsaved changes (mainwindowunsaved.cpp).
    void watchUnsavedChanges();
    // With unsaved changes, asks before command throws them away and runs
    // it on Apply; true when it asked.
    bool askBeforeDiscarding(const std::function<void()> &command);
    QString closeQuestion() const;
    // Asks about what a run that did not end normally left, once no dialog
    // or question holds the window.
    void offerRecoveredBook();

    BookDocument &document;
    MenuBook &book;
    QUndoStack &history;
    SheetPrintDialogs *printDialogs = nullptr;
    QString sheetPluginPath;
    std::unique_ptr<MainWindowForm> form;
    MainWindowState state;
    QPointer<EditDialog> editDialog;
    QPointer<EMessageBox> messageBox;
    ELabel *selectedRow = nullptr;
    // The rows as a screen reader meets them; holds the focus for the rows.
    MenuRowList *rowList = nullptr;
    int firstShown = 0;
    int lastShown = 0;
    // The menu the open clear question asks about.
    int clearTarget = -1;
    QTimer *clockTimer = nullptr;
    qint64 clockSecond = -1; // the second the clock line shows
    QString sizeLine;
    QTimer *pollTimer = nullptr;
    // Size of the book when the edit dialog was last opened; a book that grew
    // meanwhile moves the view to its newest menu. Before any edit nothing
    // counts as grown.
    qint64 recordCountAtEdit = std::numeric_limits<qint64>::max();
    std::array<bool, CommandButtonCount> savedEnabled{};
    // A left book waiting to be offered.
    std::unique_ptr<RecoveredBook> recoveredBook;
    // The close question was answered with Apply: the next close goes through.
    bool closeConfirmed = false;
    // The word typed so far, when its last letter came, and the last word
    // searched for, which F3 looks for again.
    QString findWord;
    QElapsedTimer findTyped;
    QString lastFind;
    QWidget *noMatchAlert = nullptr;
    QTimer *noMatchAlertTimer = nullptr;
};
