#pragma once

#include <QDialog>

class QLabel;
class QTimer;

// The hint catalogue. Callers name hints by these; any other id shows the
// "no hints" text.
enum HintId
{
    LHINT_DRUG_BASE_INFO_INVALID = 0,
    LHINT_FILE_PATH_INVALID,
    LHINT_FILE_OPEN_FAILED_BAD_DATAS,
    LHINT_FILE_NOT_CREATED,
    LHINT_FILE_NOT_SAVED,
    LHINT_FILE_SAVED,
    LHINT_NO_DRUGS,
    LHINT_NOT_FIND_PRINTER,
    LHINT_DRUG_DELETE,
    LHINT_FILE_NOT_CHANGED,
    LHINT_NO_HINTS = 10,
    LHINT_P10_STAGE_OVER_15MIN = 12,
    LHINT_P10_MENU_OVER_25MIN,
    LHINT_STAGE_OVER_60MIN,
    LHINT_MENU_SIZE_OUT_OF_RANGE,
    LHINT_WORKING_COPY_NOT_SAVED
};

// A self-closing one-line report: create it with new over the window that
// raises it and show() it; it holds for a while, fades out and deletes
// itself. Nobody keeps a pointer to it.
class ESelfDeleteHintBox : public QDialog
{
    Q_OBJECT

public:
    ESelfDeleteHintBox(QWidget *parent, int hintId);
    // A report the catalogue does not hold (its hintId() is LHINT_NO_HINTS),
    // in a box as wide as its text needs and never narrower than the
    // catalogue's boxes.
    ESelfDeleteHintBox(QWidget *parent, const QString &text);
    ~ESelfDeleteHintBox() override;

    int hintId() const;
    // The text the box shows (rich text).
    QString text() const;

    // The tick counter all hint boxes share; tests read and reset it.
    static int sharedTicks();
    static void resetSharedTicks();

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void auto_refresh_disp();

private:
    struct Form;

    void chooseText();

    Form *ui;
    QTimer *refreshTimer = nullptr;
    int holdPeriods = 1;
    double fadeStep = 0.0;
    double fadeScale = 80.0;
    int id;

    // Every living box advances it on each of its ticks, so boxes shown
    // together shorten each other's hold.
    static int hintTicks;
};
