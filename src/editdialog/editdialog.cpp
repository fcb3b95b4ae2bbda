#include "editdialog.h"

#include "appendmenucommand.h"
#include "bookdocument.h"
#include "editdialogform.h"
#include "epushbutton.h"
#include "eselfdeletehintbox.h"
#include "framelesshelper.h"
#include "languageini.h"
#include "menubook.h"
#include "powerlevelaccessible.h"
#include "replacemenucommand.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolTip>
#include <QUndoCommand>

#include <algorithm>
#include <optional>

namespace {

using namespace OvenLimits;

// The longest name the user may type. A file may hold longer names, which
// must reach the field whole (see setMenu).
constexpr int TypedNameLength = 16;

// Item index i of a power-level combo box stands for power level 10 - i.
const QStringList PowerLevelItems{
    QStringLiteral("P10"), QStringLiteral("P09"), QStringLiteral("P08"), QStringLiteral("P07"),
    QStringLiteral("P06"), QStringLiteral("P05"), QStringLiteral("P04"), QStringLiteral("P03"),
    QStringLiteral("P02"), QStringLiteral("P01"), QStringLiteral("P00")};

// The sum over the full-power stages is checked first, so one full-power
// stage beyond 25 minutes is reported as the menu limit, not the stage limit.
std::optional<HintId> brokenTimingRule(const std::array<MenuStage, 3> &stages)
{
    int p10Time = 0;
    bool p10StageTooLong = false;
    bool stageTooLong = false;
    for (const MenuStage &stage : stages) {
        const int time = stage.stageTime();
        if (stage.power == FullPower) {
            p10Time += time;
            p10StageTooLong = p10StageTooLong || time > FullPowerStageSeconds;
        } else {
            stageTooLong = stageTooLong || time > StageSeconds;
        }
    }
    if (p10Time > FullPowerMenuSeconds)
        return LHINT_P10_MENU_OVER_25MIN;
    if (p10StageTooLong)
        return LHINT_P10_STAGE_OVER_15MIN;
    if (stageTooLong)
        return LHINT_STAGE_OVER_60MIN;
    return std::nullopt;
}

// An empty field, or anything that is no number, counts 0.
int fieldValue(const QLineEdit *field)
{
    return field->text().toInt();
}

} // namespace

EditDialog::EditDialog(MenuBook &book, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<EditDialogForm>()), book(book)
{
    PowerLevelAccessible::install();
    ui->setupUi(this);

    setWindowOpacity(0.97);
    editing = false;

    setupButtons();

    for (QComboBox *combo : ui->comboBoxPowerLevel) {
        combo->addItems(PowerLevelItems);
        combo->setMaxVisibleItems(PowerLevelItems.size());
    }

    workingMenu.name.clear();
    workingMenu.number = static_cast<int>(book.menus.size()) + 1;
    workingMenu.code = QString::asprintf("#%04d", workingMenu.number);
    workingMenu.stages = {};

    setMouseTracking(true);
    applyFonts();
    updateTotalTime();
    setupInputRules();

    auto *frameless = new FramelessHelper(this);
    frameless->addDragWidget(ui->labelBanner);
    frameless->addDragWidget(ui->labelLogo);

    ui->pushButtonClose->setToolTip(tr("Quit"));
    ui->pushButtonClose->setTipOffset(-10, 12);
    ui->pushButtonApply->setToolTip(tr("Confirm"));
    ui->pushButtonApply->setTipOffset(5, -50);

    applyLanguageIni();

    ui->lineEditSubMenuCode->setEnabled(false);
    ui->lineEditSubMenuCode->setText(workingMenu.code);
    ui->lineEditSubMenuName->setText(workingMenu.name);

    installEventFilter(this);
    setMouseTracking(true);
    nameForReaders();
}

void EditDialog::nameForReaders()
{
    // The window title is never shown and says nothing; the captions beside
    // the fields name only some of them.
    setAccessibleName(tr("Edit menu %1").arg(workingMenu.code));
    const auto caption = [](const QLabel *label, const char *builtIn) {
        return label->text().isEmpty() ? tr(builtIn) : label->text();
    };
    ui->lineEditSubMenuName->setAccessibleName(caption(ui->labelSubMenuName, QT_TR_NOOP("Name")));
    ui->lineEditSubMenuCode->setAccessibleName(
        caption(ui->labelSubMenuCodeTitle, QT_TR_NOOP("Code")));
    for (int stage = 0; stage < EditDialogForm::StageCount; ++stage) {
        ui->comboBoxPowerLevel[stage]->setAccessibleName(tr("Stage %1 power").arg(stage + 1));
        ui->lineEditTimeMin[stage]->setAccessibleName(tr("Stage %1 minutes").arg(stage + 1));
        ui->lineEditTimeSec[stage]->setAccessibleName(tr("Stage %1 seconds").arg(stage + 1));
    }
}

EditDialog::~EditDialog() = default;

void EditDialog::setupButtons()
{
    ui->pushButtonClose->setStyleSheet(EPushButton::pictureStyle(QStringLiteral("close")));
    ui->pushButtonApply->setStyleSheet(EPushButton::pictureStyle(QStringLiteral("apply")));
}

void EditDialog::applyFonts()
{
    QFont font = ui->labelTotalTimeTag->font();
    font.setPixelSize(14);
    for (QWidget *field : formFields())
        field->setFont(font);
    font.setPixelSize(11);
    for (int stage = 0; stage < EditDialogForm::StageCount; ++stage) {
        ui->labelTimeMinUnit[stage]->setFont(font);
        ui->labelTimeSecUnit[stage]->setFont(font);
    }
}

void EditDialog::setupInputRules()
{
    // The menu file and the oven's display take plain Latin letters only,
    // whatever the language of the program.
    ui->lineEditSubMenuName->setMaxLength(TypedNameLength);
    ui->lineEditSubMenuName->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[a-z A-Z]+$")), ui->lineEditSubMenuName));
    // A refused character would otherwise vanish without a word, and in the
    // Chinese edition the input method's characters all would. A full field
    // refuses for its length, which the user sees.
    connect(ui->lineEditSubMenuName, &QLineEdit::inputRejected, this, [this] {
        QLineEdit *field = ui->lineEditSubMenuName;
        if (field->text().size() >= field->maxLength())
            return;
        // From the dialog's own geometry: under some window managers the
        // frameless dialog's window handle keeps the origin as its position,
        // and mapToGlobal() would put the tip in the screen's corner.
        QToolTip::showText(geometry().topLeft() + field->mapTo(this, QPoint(0, field->height())),
                           tr("Names: letters and spaces"), field);
    });

    for (int stage = 0; stage < EditDialogForm::StageCount; ++stage) {
        for (QLineEdit *field : {ui->lineEditTimeMin[stage], ui->lineEditTimeSec[stage]}) {
            field->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]{0,2}")), field));
        }
    }
}

void EditDialog::applyLanguageIni()
{
    const LanguageIni ini;
    if (!ini.iniTextMode())
        return;
    ui->labelSubMenuName->setText(ini.text(QStringLiteral("/EDIT_DIALOG/DRUGNAME")));
    ui->labelSubMenuCodeTitle->setText(ini.text(QStringLiteral("/EDIT_DIALOG/SHORTNAME")));
    ui->pushButtonClose->setToolTip(ini.text(QStringLiteral("/HOVER_TIPS/CLOSE")));
    ui->pushButtonApply->setToolTip(ini.text(QStringLiteral("/HOVER_TIPS/APPLY")));
}

void EditDialog::setMenu(int menuIndex)
{
    const int position = MenuBook::positionOfMenu(menuIndex);
    if (position < 0 || position >= book.menus.size())
        return;

    editing = true;
    const MenuRecord &record = book.menus.at(position);
    workingMenu.number = record.number;
    workingMenu.code = record.code;
    workingMenu.name = record.name;

    // The field would cut a longer stored name silently, and Apply would
    // then store the cut one. The limit is set here, once: setting it while
    // the user types would reset the text and throw the cursor to the end.
    ui->lineEditSubMenuName->setMaxLength(std::max(TypedNameLength, int(record.name.size())));
    ui->lineEditSubMenuName->setText(workingMenu.name);
    ui->lineEditSubMenuCode->setText(workingMenu.code);
    for (int stage = 0; stage < EditDialogForm::StageCount; ++stage)
        ui->comboBoxPowerLevel[stage]->setCurrentIndex(FullPower - record.stages[stage].power);
    for (int stage = 0; stage < EditDialogForm::StageCount; ++stage)
        ui->lineEditTimeMin[stage]->setText(QString::number(record.stages[stage].minutes));
    for (int stage = 0; stage < EditDialogForm::StageCount; ++stage)
        ui->lineEditTimeSec[stage]->setText(QString::number(record.stages[stage].seconds));

    updateTotalTime();
    setAccessibleName(tr("Edit menu %1").arg(workingMenu.code));
    emit updateConcentration();
}

QList<QWidget *> EditDialog::formFields() const
{
    QList<QWidget *> fields;
    const QList<QWidget *> children = findChildren<QWidget *>();
    for (QWidget *child : children) {
        if (qobject_cast<QComboBox *>(child) || qobject_cast<QLineEdit *>(child) ||
            qobject_cast<QLabel *>(child))
            fields.append(child);
    }
    return fields;
}

void EditDialog::setDocument(BookDocument *document)
{
    this->document = document;
}

void EditDialog::updateTotalTime()
{
    int minutes = 0;
    int seconds = 0;
    for (int stage = 0; stage < EditDialogForm::StageCount; ++stage) {
        minutes += fieldValue(ui->lineEditTimeMin[stage]);
        seconds += fieldValue(ui->lineEditTimeSec[stage]);
    }
    ui->labelTotalTimeValue->setText(QString::asprintf(tr("%d min %d s").toUtf8().constData(),
                                                       minutes + seconds / 60, seconds % 60));

    for (QWidget *field : formFields())
        field->setEnabled(true);
    ui->lineEditSubMenuCode->setEnabled(false);
}

bool EditDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        // Left to the dialog, Escape would hide it without telling the
        // opener, which would keep its buttons disabled: it quits as the
        // close button does. Only the main Return key may press the default
        // button (Apply); the keypad Enter may not.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Escape)
            ui->pushButtonClose->click();
        if (key == Qt::Key_Escape || key == Qt::Key_Enter)
            return true;
    }
    if (watched == this && event->type() == QEvent::Close && !released) {
        // Closed by the window system (the frameless window still gets
        // Alt+F4): end the same way as the close button, or the opener's
        // buttons would stay disabled for good.
        released = true;
        emit releaseDialog();
        deleteLater();
    }
    return QDialog::eventFilter(watched, event);
}

void EditDialog::on_pushButtonClose_clicked()
{
    released = true;
    emit releaseDialog();
    close();
    deleteLater();
}

std::array<MenuStage, 3> EditDialog::stagesFromFields() const
{
    std::array<MenuStage, 3> stages;
    for (int stage = 0; stage < EditDialogForm::StageCount; ++stage) {
        stages[stage].power = FullPower - ui->comboBoxPowerLevel[stage]->currentIndex();
        stages[stage].minutes = fieldValue(ui->lineEditTimeMin[stage]);
        stages[stage].seconds = fieldValue(ui->lineEditTimeSec[stage]);
    }
    return stages;
}

void EditDialog::on_pushButtonApply_clicked()
{
    const QString name = ui->lineEditSubMenuName->text();
    const std::array<MenuStage, 3> stages = stagesFromFields();

    if (const std::optional<HintId> hint = brokenTimingRule(stages)) {
        auto *hintBox = new ESelfDeleteHintBox(this, *hint);
        hintBox->show();
        return;
    }

    workingMenu.stages = stages;
    workingMenu.name = name;
    std::unique_ptr<QUndoCommand> change;
    if (editing)
        change = std::make_unique<ReplaceMenuCommand>(book, workingMenu);
    else
        change = std::make_unique<AppendMenuCommand>(book, workingMenu);
    if (document)
        document->push(change.release());
    else
        change->redo();

    ui->pushButtonClose->click();
}

void EditDialog::on_lineEditSubMenuName_textChanged(const QString &) {}

void EditDialog::on_lineEditStage01TimeMin_textChanged(const QString &)
{
    updateTotalTime();
}

void EditDialog::on_lineEditStage01TimeSec_textChanged(const QString &)
{
    updateTotalTime();
}

void EditDialog::on_lineEditStage02TimeMin_textChanged(const QString &)
{
    updateTotalTime();
}

void EditDialog::on_lineEditStage02TimeSec_textChanged(const QString &)
{
    updateTotalTime();
}

void EditDialog::on_lineEditStage03TimeMin_textChanged(const QString &)
{
    updateTotalTime();
}

void EditDialog::on_lineEditStage03TimeSec_textChanged(const QString &)
{
    updateTotalTime();
}
