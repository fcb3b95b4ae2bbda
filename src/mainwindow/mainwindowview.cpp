// The page view: 15 rows over the book, paged by the slider and the wheel,
// with one highlighted row whose menu Edit and Clear act on.

#include "mainwindow.h"

#include "elabel.h"
#include "epushbutton.h"
#include "mainwindowform.h"
#include "menubook.h"
#include "menurowlist.h"

#include <QAccessible>
#include <QPalette>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QSignalBlocker>
#include <QSlider>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr int RowCount = MainWindowForm::RowCount;

const QString PlainRowStyle = QStringLiteral(
    "ELabel:hover{border: 2px solid #00ccff;}ELabel{background-color: rgb(231, 231, 231);}");
const QString SelectedRowStyle =
    QStringLiteral("ELabel:hover{border: 2px solid #00ccff;}ELabel{background-color: #00aaff;}");

QPalette textPalette(Qt::GlobalColor colour)
{
    QPalette palette;
    palette.setBrush(QPalette::All, QPalette::WindowText, QBrush(colour, Qt::SolidPattern));
    return palette;
}

// A page of named menus keeps its black names from step to step; setting an
// equal palette again still costs a palette resolve per row and step.
void showInColour(QLabel *label, Qt::GlobalColor colour)
{
    const QPalette &current = label->palette();
    if (current.isBrushSet(QPalette::Active, QPalette::WindowText) &&
        current.brush(QPalette::Active, QPalette::WindowText) == QBrush(colour, Qt::SolidPattern))
        return;
    label->setPalette(textPalette(colour));
}

// A stage in a row's pattern: power (two digits), minutes, seconds. One
// pass over the pattern for all three: 45 of these per page step.
QString stageText(const QString &pattern, const MenuStage &stage)
{
    return pattern.arg(QString::number(stage.power).rightJustified(2, QLatin1Char('0')),
                       QString::number(stage.minutes), QString::number(stage.seconds));
}

} // namespace

QString MainWindow::totalTimeText(const MenuRecord &record)
{
    int minutes = 0;
    int seconds = 0;
    for (const MenuStage &stage : record.stages) {
        minutes += stage.minutes;
        seconds += stage.seconds;
    }
    return tr("%1 min %2 s").arg(minutes + seconds / 60).arg(seconds % 60);
}

// A screen reader reads the row as one line rather than its seven labels.
QString MainWindow::rowSpeech(const MenuRecord &record)
{
    const auto stageSpeech = [](const MenuStage &stage) {
        return stageText(tr("P%1 %2 min %3 s"), stage);
    };
    return tr("%1, %2, %3, %4, %5, total %6")
        .arg(record.code, record.name.isEmpty() ? tr("NO NAME") : record.name,
             stageSpeech(record.stages[0]), stageSpeech(record.stages[1]),
             stageSpeech(record.stages[2]), totalTimeText(record));
}

void MainWindow::prepareRows()
{
    for (int row = 0; row < RowCount; ++row) {
        const MainWindowRow &rowWidgets = form->rows[row];
        ELabel *rowLabel = rowWidgets.background;
        rowLabel->tileIndex = row + 1;
        rowLabel->menuIndex = row + 1;
        rowLabel->setStyleSheet(row == 0 ? SelectedRowStyle : PlainRowStyle);
        rowLabel->hoverFrame = 1;
        for (ELabel *text : rowWidgets.texts()) {
            text->hoverPartner = rowLabel;
            // A click on any text of the row is a click on the row.
            connect(text, &ELabel::clicked, rowLabel, [this, rowLabel] { selectRow(rowLabel); });
        }
    }
    selectedRow = form->rows[0].background;
    for (const MainWindowRow &rowWidgets : form->rows)
        connect(rowWidgets.background, &ELabel::clicked, this, &MainWindow::SelectDrugLable);
    prepareRowList();
}

void MainWindow::prepareRowList()
{
    std::array<ELabel *, RowCount> rowLabels{};
    QSet<QWidget *> unread;
    for (int row = 0; row < RowCount; ++row) {
        const MainWindowRow &rowWidgets = form->rows[row];
        rowLabels[row] = rowWidgets.background;
        for (QWidget *part : std::initializer_list<QWidget *>{
                 rowWidgets.background, rowWidgets.timeNum, rowWidgets.softMinPic,
                 rowWidgets.softMaxPic, rowWidgets.hardMaxPic, rowWidgets.foldButton})
            unread.insert(part);
        for (ELabel *text : rowWidgets.texts())
            unread.insert(text);
    }
    rowList = new MenuRowList(form->centralWidget, rowLabels, unread);
    // Read when a screen reader asks: the menu the row shows then.
    rowList->rowSpeech = [this](int row) {
        const int menuIndex = firstShown + row;
        return hasMenu(menuIndex) ? rowSpeech(book.menus.at(MenuBook::positionOfMenu(menuIndex)))
                                  : QString();
    };
    rowList->bookPosition = [this] {
        const int menus = shownMenuCount();
        return menus == 0 ? std::pair<int, int>{0, 0}
                          : std::pair<int, int>{selectedRow->menuIndex + 1, menus};
    };
    // Add lies outside the window and New under Save.
    rowList->hideFromReaders({form->pushButtonEditAdd, form->pushButtonCreateNewFile});
    rowList->setPositionSlider(form->verticalSlider);
    rowList->setQuietClock(form->labelDrugLibModifyTime);
    rowList->setFocus();
}

bool MainWindow::hasMenu(int menuIndex) const
{
    return menuIndex >= 0 && MenuBook::positionOfMenu(menuIndex) < book.menus.size();
}

int MainWindow::shownMenuCount() const
{
    // The last record's menu, counted from 1; b-00 and C-00 are no menus.
    const int records = int(book.menus.size());
    return records == 0 ? 0 : MenuBook::menuOfPosition(records - 1) + 1;
}

int MainWindow::lastFirstShown() const
{
    return std::max(0, shownMenuCount() - RowCount);
}

void MainWindow::keepPageWithinBook()
{
    const int first = std::clamp(firstShown, 0, lastFirstShown());
    // The highlight stays on its row, so its menu moves with the page.
    selectedRow->tileIndex += first - firstShown;
    selectedRow->menuIndex = selectedRow->tileIndex;
    firstShown = first;
}

void MainWindow::moveToPage(int first)
{
    selectedRow->tileIndex += first - firstShown;
    selectedRow->menuIndex = selectedRow->tileIndex;
    firstShown = first;
    refreshView();
}

void MainWindow::showMenu(int menuIndex)
{
    const int menus = shownMenuCount();
    if (menus > 0) {
        menuIndex = std::clamp(menuIndex, 0, menus - 1);
        int first = firstShown;
        if (menuIndex < first)
            first = menuIndex;
        else if (menuIndex >= first + RowCount)
            first = menuIndex - RowCount + 1;
        firstShown = std::clamp(first, 0, lastFirstShown());
        // Pending clicks on other rows stay pending: they belong to the mouse.
        highlightRow(form->rows[menuIndex - firstShown].background, menuIndex);
    }
    refreshView();
}

void MainWindow::highlightRow(ELabel *rowLabel, int menuIndex)
{
    if (rowLabel != selectedRow) {
        selectedRow->setStyleSheet(PlainRowStyle);
        rowLabel->setStyleSheet(SelectedRowStyle);
        selectedRow = rowLabel;
    }
    rowLabel->tileIndex = menuIndex;
    rowLabel->menuIndex = menuIndex;
}

void MainWindow::resetView(const QSet<QWidget *> &keep)
{
    const std::initializer_list<QWidget *> chrome{form->labelBanner,
                                                  form->labelBackground,
                                                  form->labelButtonPad,
                                                  form->labelDownBorder,
                                                  form->labelLeftBorder,
                                                  form->labelRightBorder,
                                                  form->labelFileHeadInfo,
                                                  form->labelLogo,
                                                  form->pushButtonClose,
                                                  form->pushButtonCreateNewFile,
                                                  form->pushButtonDelete,
                                                  form->pushButtonEdit,
                                                  form->pushButtonEditAdd,
                                                  form->pushButtonMin,
                                                  form->pushButtonOpenFile,
                                                  form->pushButtonSaveFile,
                                                  form->pushButtonSaveNewFile,
                                                  form->labelDrugLibSize,
                                                  form->labelDrugLibModifyTime,
                                                  form->labelUserInfo};
    // A widget hidden and shown again repaints its whole area and all that
    // lies under it, so what ends up visible is never hidden on the way.
    QSet<QWidget *> staying = keep;
    staying.unite(QSet<QWidget *>(chrome.begin(), chrome.end()));
    for (QObject *child : form->centralWidget->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (!widget || staying.contains(widget))
            continue;
        if (qobject_cast<QLabel *>(widget) || qobject_cast<QPushButton *>(widget))
            widget->hide();
    }
    form->progressBarSave->hide();
    for (QWidget *widget : chrome)
        widget->show();
}

void MainWindow::showRow(int row)
{
    const int menuIndex = firstShown + row;
    // A row without a record in the book stays hidden.
    if (!hasMenu(menuIndex))
        return;
    const MenuRecord &record = book.menus.at(MenuBook::positionOfMenu(menuIndex));
    const MainWindowRow &rowWidgets = form->rows[row];

    const QString stagePattern = tr("P%1, %2 min %3 s");
    rowWidgets.tag->setText(QLatin1Char(' ') + record.code);
    rowWidgets.tag->show();
    if (!record.name.isEmpty()) {
        showInColour(rowWidgets.value, Qt::black);
        rowWidgets.value->setText(record.name);
    } else {
        rowWidgets.value->setText(tr("NO NAME"));
        showInColour(rowWidgets.value, Qt::darkGray);
    }
    rowWidgets.value->show();
    rowWidgets.softMinNum->setText(stageText(stagePattern, record.stages[0]));
    rowWidgets.softMinNum->show();
    rowWidgets.softMaxNum->setText(stageText(stagePattern, record.stages[1]));
    rowWidgets.softMaxNum->show();
    rowWidgets.hardMaxNum->setText(stageText(stagePattern, record.stages[2]));
    rowWidgets.hardMaxNum->show();
    rowWidgets.timeTag->setText(totalTimeText(record));
    rowWidgets.timeTag->show();
    if (QAccessible::isActive()) {
        QAccessibleEvent renamed(rowWidgets.background, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    }
    rowWidgets.background->show();
}

void MainWindow::refreshView()
{
    keepPageWithinBook();
    const int rows = std::clamp(shownMenuCount() - firstShown, 0, RowCount);
    QSet<QWidget *> shown{form->labelTitleCode,    form->labelTitleName,
                          form->labelTitleStage01, form->labelTitleStage02,
                          form->labelTitleStage03, form->labelTitleTotalTime};
    QRect rowsArea;
    for (int row = 0; row < RowCount; ++row) {
        const MainWindowRow &rowWidgets = form->rows[row];
        const bool filled = row < rows && hasMenu(firstShown + row);
        rowsArea |= rowWidgets.background->geometry();
        if (filled)
            shown.insert(rowWidgets.background);
        for (ELabel *text : rowWidgets.texts()) {
            rowsArea |= text->geometry();
            if (filled)
                shown.insert(text);
        }
    }
    // Nearly every label over the rows changes on a page move: one dirty
    // rectangle for them all spares Qt merging ninety small ones.
    form->centralWidget->update(rowsArea);
    resetView(shown);
    lastShown = firstShown + rows - 1;
    for (int row = 0; row < rows; ++row)
        showRow(row);

    showColumnTitles({tr("Stage[#01]"), tr("Stage[#02]"), tr("Stage[#03]")});

    // The highlighted row must stand for the menu it shows, or Clear would
    // act on a menu the user does not see.
    if (!selectedRow->isVisible())
        highlightRow(form->rows[0].background, firstShown);
    rowList->highlightChanged(selectedRow);
}

void MainWindow::selectRow(ELabel *rowLabel)
{
    rowLabel->clickedFlag = state.tileClicksAccepted;
    if (state.tileClicksAccepted)
        emit rowLabel->clicked();
}

void MainWindow::SelectDrugLable()
{
    // While a dialog is open a click on a row stays pending.
    if (!state.tileClicksAccepted)
        return;
    selectedRow->setStyleSheet(PlainRowStyle);
    for (int row = 0; row < RowCount; ++row) {
        ELabel *rowLabel = form->rows[row].background;
        if (!rowLabel->clickedFlag)
            continue;
        rowLabel->clickedFlag = false;
        const int menuIndex = firstShown + row;
        if (!hasMenu(menuIndex))
            continue;
        rowLabel->tileIndex = menuIndex;
        rowLabel->menuIndex = menuIndex;
        selectedRow = rowLabel;
    }
    selectedRow->setStyleSheet(SelectedRowStyle);
    rowList->highlightChanged(selectedRow);
}

void MainWindow::on_highTimerEventProcess()
{
    form->pushButtonLabelPrintThis->hide();
    QSlider *slider = form->verticalSlider;
    if (shownMenuCount() <= RowCount) {
        slider->hide();
        return;
    }
    // The handle at the top shows the first page: the value runs opposite.
    // The slider follows the page shown; clamping its old value into a new
    // range must not move the page.
    const QSignalBlocker quiet(slider);
    slider->setRange(0, lastFirstShown());
    slider->setValue(lastFirstShown() - firstShown);
    // show() asks the platform for a window state even for a shown child.
    if (slider->isHidden())
        slider->show();
}

void MainWindow::on_verticalSlider_valueChanged(int value)
{
    moveToPage(shownMenuCount() - value - RowCount);
}

void MainWindow::wheelEvent(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (shownMenuCount() > RowCount) {
        // One menu per event, however far the wheel turned.
        if (delta > 0 && firstShown > 0)
            moveToPage(firstShown - 1);
        else if (delta < 0 && lastShown < shownMenuCount() - 1)
            moveToPage(firstShown + 1);
    }
    event->accept();
}
