#pragma once

#include <QDialog>

// The yes/no question. It never blocks: the caller connects to applied()
// and releaseDialog(), shows the box and carries on; the box answers with
// exactly one of the two signals, then closes and deletes itself.
class EMessageBox : public QDialog
{
    Q_OBJECT

public:
    EMessageBox(QWidget *parent, const QString &title, const QString &text);
    ~EMessageBox() override;

    // A smaller second line under the question (what it is about); the box
    // grows by its height.
    void setDetail(const QString &detail);

signals:
    void applied();
    void releaseDialog();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private slots:
    void on_pushButtonClose_clicked();
    void on_pushButtonApply_clicked();

private:
    struct Form;

    void answer(void (EMessageBox::*signal)());

    Form *ui;
    bool answered = false;
};
