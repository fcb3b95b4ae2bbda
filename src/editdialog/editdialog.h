#pragma once

#include "menurecord.h"

#include <QDialog>

#include <memory>

class MenuBook;
class BookDocument;
struct EditDialogForm;

// Edits one menu of the book: its name and its three stages. After
// construction the dialog is in new-menu mode (Apply appends a record);
// setMenu() loads an existing menu and switches to edit mode (Apply replaces
// it). The dialog is shown modeless and deletes itself when it closes; its
// opener gets its buttons back through releaseDialog().
class EditDialog : public QDialog
{
    Q_OBJECT

public:
    explicit EditDialog(MenuBook &book, QWidget *parent = nullptr);
    ~EditDialog() override;

    // menuIndex as the user sees it (0..296). An index with no record in the
    // book leaves the dialog in new-menu mode.
    void setMenu(int menuIndex);
    // Apply stores its change as a command on this stack, so it can be
    // undone; without one Apply changes the book for good.
    void setDocument(BookDocument *document);

    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void releaseDialog();
    void updateConcentration();

private slots:
    void on_pushButtonClose_clicked();
    void on_pushButtonApply_clicked();
    void on_lineEditSubMenuName_textChanged(const QString &arg1);
    void on_lineEditStage01TimeMin_textChanged(const QString &arg1);
    void on_lineEditStage01TimeSec_textChanged(const QString &arg1);
    void on_lineEditStage02TimeMin_textChanged(const QString &arg1);
    void on_lineEditStage02TimeSec_textChanged(const QString &arg1);
    void on_lineEditStage03TimeMin_textChanged(const QString &arg1);
    void on_lineEditStage03TimeSec_textChanged(const QString &arg1);

private:
    void setupButtons();
    void setupInputRules();
    void applyFonts();
    void applyLanguageIni();
    void nameForReaders();
    void updateTotalTime();
    QList<QWidget *> formFields() const;
    std::array<MenuStage, 3> stagesFromFields() const;

    std::unique_ptr<EditDialogForm> ui;
    bool editing = false;
    MenuRecord workingMenu;
    MenuBook &book;
    BookDocument *document = nullptr;
    // Set once releaseDialog() has gone out, so the opener hears it only once.
    bool released = false;
};
