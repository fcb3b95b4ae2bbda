#include "mainwindow.h"

#include "bookdocument.h"
#include "directopacityeffect.h"
#include "elabel.h"
#include "epushbutton.h"
#include "eselfdeletehintbox.h"
#include "framelesshelper.h"
#include "framepacer.h"
#include "languageini.h"
#include "mainwindowform.h"
#include "menubook.h"
#include "stylesheetpictures.h"

#include <QDateTime>
#include <QProgressBar>
#include <QSlider>
#include <QTimer>

namespace {

constexpr int TickInterval = 100; // ms, clock and slider poll alike

} // namespace

MainWindow::MainWindow(BookDocument &document, QWidget *parent)
    : QMainWindow(parent), document(document), book(document.book()), history(document.history()),
      form(std::make_unique<MainWindowForm>())
{
    // Frameless before the form exists: changing the flags of a built
    // window makes Qt resolve the style sheets of all its widgets again.
    auto *frameless = new FramelessHelper(this);
    new FramePacer(this);
    form->setupUi(this);
    // Before the first polish: every later style sheet polishes its widget
    // again, and the pictures' style sheets are the costliest to resolve.
    applyButtonStyles();
    prepareRows();
    preloadStyleSheetPictures(this);
    // Let the window's style sheet settle on every widget now: polishing at
    // the first show would otherwise replace the name colours set below.
    ensurePolished();

    frameless->addDragWidget(form->labelBanner);
    frameless->addDragWidget(form->labelLogo);

    // The clock line over the pad changes ten times a second: faded in
    // place, the pad costs no offscreen copy on every tick.
    auto *padOpacity = new DirectOpacityEffect(form->labelButtonPad);
    padOpacity->setOpacity(0.3);
    form->labelButtonPad->setGraphicsEffect(padOpacity);
    auto *headOpacity = new DirectOpacityEffect(form->labelFileHeadInfo);
    headOpacity->setOpacity(0.9);
    form->labelFileHeadInfo->setGraphicsEffect(headOpacity);

    applyFonts();

    QSlider *slider = form->verticalSlider;
    slider->setEnabled(true);
    slider->setMinimum(0);
    slider->setMaximum(book.menuCount());
    slider->setValue(book.menuCount());
    slider->hide();

    resetView();
    firstShown = 0;
    for (QWidget *button : std::initializer_list<QWidget *>{
             form->pushButtonDelete, form->pushButtonEdit, form->pushButtonEditAdd,
             form->pushButtonSaveFile, form->pushButtonSaveNewFile, form->pushButtonPrint})
        button->setEnabled(false);

    sizeLine = tr("SIZE: 297 MENUs");
    clockTimer = new QTimer(this);
    clockTimer->setObjectName(QStringLiteral("clockTimer"));
    connect(clockTimer, &QTimer::timeout, this, &MainWindow::on_updateTimerLabel);
    clockTimer->start(TickInterval);
    on_updateTimerLabel();

    pollTimer = new QTimer(this);
    pollTimer->setObjectName(QStringLiteral("pollTimer"));
    connect(pollTimer, &QTimer::timeout, this, &MainWindow::on_highTimerEventProcess);
    pollTimer->start(TickInterval);
    on_highTimerEventProcess();

    // Stands until the first clock tick.
    form->labelDrugLibSize->setText(tr("SIZE: ---- MENUs"));
    // The first redraw gives the stage titles their page-view form.
    showColumnTitles({tr("[#1]Stage"), tr("[#2]Stage"), tr("[#3]Stage")});
    applyToolTips();
    prepareKeys();
    watchUnsavedChanges();
    prepareBulkCommands();
    // Add lies outside the window and New under Save: the keyboard would
    // stop on buttons nobody sees. Ctrl+N still reaches New.
    form->pushButtonEditAdd->setFocusPolicy(Qt::NoFocus);
    form->pushButtonCreateNewFile->setFocusPolicy(Qt::NoFocus);
    form->labelUserInfo->setEnabled(false);
    form->pushButtonPrint->hide();

    if (document.loadStartupFile())
        showBookLoaded();
    else
        showHint(LHINT_FILE_OPEN_FAILED_BAD_DATAS);
}

MainWindow::~MainWindow() = default;

void MainWindow::applyFonts()
{
    QFont font = form->labelDrugLibModifyTime->font();
    font.setPixelSize(13);
    for (QObject *child : form->centralWidget->children()) {
        if (auto *label = qobject_cast<QLabel *>(child))
            label->setFont(font);
    }
    font.setPixelSize(14);
    for (QLabel *label : std::initializer_list<QLabel *>{
             form->labelUserInfo, form->labelTitleCode, form->labelTitleName,
             form->labelTitleStage01, form->labelTitleStage02, form->labelTitleStage03,
             form->labelTitleTotalTime})
        label->setFont(font);
    font.setPixelSize(18);
    form->labelDrugLibSize->setFont(font);
    form->labelDrugLibModifyTime->setFont(font);
}

void MainWindow::showColumnTitles(const std::array<QString, 3> &stageTitles)
{
    form->labelTitleCode->setText(tr("Code"));
    form->labelTitleName->setText(tr("MenuName"));
    form->labelTitleStage01->setText(stageTitles[0]);
    form->labelTitleStage02->setText(stageTitles[1]);
    form->labelTitleStage03->setText(stageTitles[2]);
    form->labelTitleTotalTime->setText(tr("TotalTime"));
    for (QWidget *title :
         {form->labelTitleCode, form->labelTitleName, form->labelTitleStage01,
          form->labelTitleStage02, form->labelTitleStage03, form->labelTitleTotalTime})
        title->show();
}

void MainWindow::applyButtonStyles()
{
    form->pushButtonClose->setStyleSheet(EPushButton::pictureStyle(QStringLiteral("close")));
    form->pushButtonMin->setStyleSheet(EPushButton::pictureStyle(QStringLiteral("min")));
    // The pressed picture of Open is not among the images: pressed Open shows none.
    form->pushButtonOpenFile->setStyleSheet(
        EPushButton::pictureStyle(QStringLiteral("open_gray.png"), QStringLiteral("open_blue.png"),
                                  QStringLiteral("open_blue_shadow.png")));
    form->pushButtonCreateNewFile->setStyleSheet(
        EPushButton::pictureStyle(QStringLiteral("new_file")));
    form->pushButtonDelete->setStyleSheet(
        EPushButton::pictureStyle(QStringLiteral("delete_trash")));
    form->pushButtonEdit->setStyleSheet(EPushButton::pictureStyle(QStringLiteral("edit_pencil")));
    form->pushButtonEditAdd->setStyleSheet(
        EPushButton::pictureStyle(QStringLiteral("edit_add_pencil")));
    form->pushButtonSaveFile->setStyleSheet(EPushButton::pictureStyle(QStringLiteral("save")));
    form->pushButtonSaveNewFile->setStyleSheet(
        EPushButton::pictureStyle(QStringLiteral("save_add")));
}

void MainWindow::applyToolTips()
{
    struct ToolTip
    {
        EPushButton *button;
        QString builtIn;
        int offsetX;
        int offsetY;
        const char *iniKey;
    };
    const ToolTip toolTips[] = {
        {form->pushButtonOpenFile, tr("Open"), 5, -50, "/HOVER_TIPS/OPEN"},
        {form->pushButtonCreateNewFile, tr("New"), 5, -50, "/HOVER_TIPS/CREATE"},
        {form->pushButtonSaveFile, tr("Save"), 5, -50, "/HOVER_TIPS/SAVE"},
        {form->pushButtonSaveNewFile, tr("Save As"), 0, -50, "/HOVER_TIPS/SAVEAS"},
        {form->pushButtonDelete, tr("Clear"), 5, -50, "/HOVER_TIPS/DELETE"},
        {form->pushButtonEdit, tr("Edit"), 5, -50, "/HOVER_TIPS/EDIT"},
        {form->pushButtonEditAdd, tr("Add"), 5, -50, "/HOVER_TIPS/ADD"},
        {form->pushButtonClose, tr("Close"), -10, 12, "/HOVER_TIPS/CLOSE"},
        {form->pushButtonMin, tr("Hide"), -10, 12, "/HOVER_TIPS/HIDE"},
    };
    for (const ToolTip &tip : toolTips) {
        tip.button->setToolTip(tip.builtIn);
        tip.button->setTipOffset(tip.offsetX, tip.offsetY);
    }

    const LanguageIni ini;
    if (!ini.iniTextMode())
        return;
    for (const ToolTip &tip : toolTips)
        tip.button->setToolTip(ini.text(QLatin1String(tip.iniKey)));
    form->pushButtonCloseFirstOpenHintLable->setToolTip(
        ini.text(QStringLiteral("/HOVER_TIPS/SKIP")));
}

void MainWindow::showBookLoaded()
{
    firstShown = 0;
    lastShown = book.menus.isEmpty() ? 0 : int(std::min<qsizetype>(book.menus.size() - 1, 14));
    enableBookCommands();
    refreshView();
    selectRow(form->rows[0].background);
}

QString MainWindow::clockText(const QDateTime &moment)
{
    return tr("TIME: %1").arg(moment.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")));
}

void MainWindow::on_updateTimerLabel()
{
    // The line shows whole seconds. The local time asks the system for its
    // time zone file on every call: once a second, not on every tick.
    const qint64 second = QDateTime::currentSecsSinceEpoch();
    if (second != clockSecond) {
        clockSecond = second;
        form->labelDrugLibModifyTime->setText(clockText(QDateTime::fromSecsSinceEpoch(second)));
    }
    // The book always has room for 297 menus, loaded or not. Translated
    // once: looking the text up ten times a second was a tenth of the
    // idle window's work.
    form->labelDrugLibSize->setText(sizeLine);
}
