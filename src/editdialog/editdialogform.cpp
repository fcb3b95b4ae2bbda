#include "editdialogform.h"

#include "edition.h"
#include "epushbutton.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString DarkStyle = QStringLiteral("background-color: rgb(89, 87, 87);");
const QString GreyBandStyle = QStringLiteral("background-color: rgb(222, 222, 222);");
const QString FontFamily = QStringLiteral("微软雅黑");

// y of the three stage rows; their unit labels sit 4 pixels lower.
constexpr std::array<int, EditDialogForm::StageCount> StageRowY{140, 180, 220};

QString stageObjectName(const char *pattern, int stage)
{
    return QString::asprintf(pattern, stage + 1);
}

QLabel *makeLabel(QDialog *dialog, const QString &name, const QRect &geometry,
                  const QString &styleSheet = {})
{
    auto *label = new QLabel(dialog);
    label->setObjectName(name);
    label->setGeometry(geometry);
    if (!styleSheet.isEmpty())
        label->setStyleSheet(styleSheet);
    return label;
}

QLineEdit *makeLineEdit(QDialog *dialog, const QString &name, const QRect &geometry)
{
    auto *lineEdit = new QLineEdit(dialog);
    lineEdit->setObjectName(name);
    lineEdit->setGeometry(geometry);
    return lineEdit;
}

EPushButton *makeButton(QDialog *dialog, const QString &name, const QRect &geometry)
{
    auto *button = new EPushButton(dialog);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setLayoutDirection(Qt::LeftToRight);
    button->setAutoFillBackground(false);
    return button;
}

QFont familyFont(int pointSize = -1)
{
    QFont font(FontFamily);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    return font;
}

} // namespace

void EditDialogForm::setupUi(QDialog *dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("EditDialog"));
    dialog->resize(500, 361);
    dialog->setMinimumSize(500, 361);
    dialog->setMaximumSize(500, 361);
    dialog->setFocusPolicy(Qt::ClickFocus);
    dialog->setStyleSheet(QString());

    labelBackground = makeLabel(dialog, QStringLiteral("labelBackground"), {0, -30, 500, 400},
                                QStringLiteral("background-color: rgb(240, 240, 240);"));
    labelTivaBackground =
        makeLabel(dialog, QStringLiteral("labelTivaBackground"), {9, 170, 481, 41}, GreyBandStyle);
    labelInfuRateBackground = makeLabel(dialog, QStringLiteral("labelInfuRateBackground"),
                                        {0, 90, 500, 41}, GreyBandStyle);
    labelButtonPad = makeLabel(dialog, QStringLiteral("labelButtonPad"), {0, 290, 500, 70},
                               QStringLiteral("background-color: rgb(160, 160, 160);"));
    labelBanner = makeLabel(dialog, QStringLiteral("labelBanner"), {0, 0, 500, 29}, DarkStyle);
    pushButtonClose = makeButton(dialog, QStringLiteral("pushButtonClose"), {480, 4, 18, 19});
    pushButtonApply = makeButton(dialog, QStringLiteral("pushButtonApply"), {430, 300, 54, 54});
    labelLogo = makeLabel(dialog, QStringLiteral("labelLogo"), {10, 3, 158, 23},
                          QStringLiteral("background-image: url(:/image/logo_drug.png);"));
    labelDownBorder =
        makeLabel(dialog, QStringLiteral("labelDownBorder"), {0, 360, 500, 91}, DarkStyle);

    const int captionX = EditionLayout::editCaptionLabelsX();
    labelSubMenuName =
        makeLabel(dialog, QStringLiteral("labelSubMenuName"), {captionX, 36, 71, 21});
    labelSubMenuName->setFont(familyFont(11));
    lineEditSubMenuName =
        makeLineEdit(dialog, QStringLiteral("lineEditSubMenuName"), {90, 37, 391, 20});
    labelSubMenuCodeTitle =
        makeLabel(dialog, QStringLiteral("labelSubMenuCodeTitle"), {captionX, 62, 71, 21});
    labelSubMenuCodeTitle->setFont(familyFont(11));
    labelSubMenuCodeTitle->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignVCenter);
    lineEditSubMenuCode =
        makeLineEdit(dialog, QStringLiteral("lineEditSubMenuCode"), {90, 64, 391, 20});
    lineEditSubMenuCode->setEnabled(false);

    labelStageNoTitle = makeLabel(dialog, QStringLiteral("labelStageNoTitle"), {10, 100, 71, 22});
    labelPowerLevelTitle =
        makeLabel(dialog, QStringLiteral("labelPowerLevelTitle"), {90, 100, 181, 22});
    labelTimeTitle = makeLabel(dialog, QStringLiteral("labelTimeTitle"), {300, 100, 191, 22});
    for (QLabel *title : {labelStageNoTitle, labelPowerLevelTitle, labelTimeTitle}) {
        title->setFont(familyFont(11));
        title->setTextFormat(Qt::AutoText);
        title->setAlignment(Qt::AlignCenter);
    }

    setupStageRows(dialog);

    labelTivaBackground_2 = makeLabel(dialog, QStringLiteral("labelTivaBackground_2"),
                                      {0, 250, 501, 41}, GreyBandStyle);
    labelLeftBorder =
        makeLabel(dialog, QStringLiteral("labelLeftBorder"), {0, 0, 1, 700}, DarkStyle);
    labelRightBorder =
        makeLabel(dialog, QStringLiteral("labelRightBorder"), {499, 0, 1, 700}, DarkStyle);
    labelTotalTimeTag = makeLabel(dialog, QStringLiteral("labelTotalTimeTag"),
                                  {EditionLayout::editTotalTimeTagX(), 260, 221, 22});
    labelTotalTimeTag->setFont(familyFont(11));
    labelTotalTimeValue =
        makeLabel(dialog, QStringLiteral("labelTotalTimeValue"), {290, 260, 201, 22});
    labelTotalTimeValue->setFont(familyFont(11));
    labelTotalTimeValue->setAlignment(Qt::AlignRight | Qt::AlignTrailing | Qt::AlignVCenter);

    retranslateUi(dialog);
    setupTabOrder();

    QMetaObject::connectSlotsByName(dialog);
}

void EditDialogForm::setupStageRows(QDialog *dialog)
{
    for (int stage = 0; stage < StageCount; ++stage) {
        const int y = StageRowY[stage];

        labelStageNo[stage] =
            makeLabel(dialog, stageObjectName("labelStageNo%02d", stage), {30, y, 31, 22});
        labelStageNo[stage]->setFont(familyFont(10));
        labelStageNo[stage]->setTextFormat(Qt::AutoText);

        auto *combo = new QComboBox(dialog);
        combo->setObjectName(stageObjectName("comboBoxStage%02dPowerLevel", stage));
        combo->setGeometry(90, y, 181, 20);
        combo->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        combo->setMaxVisibleItems(11);
        comboBoxPowerLevel[stage] = combo;

        lineEditTimeMin[stage] = makeLineEdit(
            dialog, stageObjectName("lineEditStage%02dTimeMin", stage), {300, y, 60, 19});
        labelTimeMinUnit[stage] = makeLabel(
            dialog, stageObjectName("labelStage%02dTimeMinUnit", stage), {365, y + 4, 21, 16});
        labelTimeMinUnit[stage]->setFont(familyFont());
        lineEditTimeSec[stage] = makeLineEdit(
            dialog, stageObjectName("lineEditStage%02dTimeSec", stage), {395, y, 60, 20});
        labelTimeSecUnit[stage] = makeLabel(
            dialog, stageObjectName("labelStage%02dTimeSecUnit", stage), {460, y + 4, 21, 16});
        labelTimeSecUnit[stage]->setFont(familyFont());

        lineEditTimeMin[stage]->setText(QStringLiteral("0"));
        lineEditTimeSec[stage]->setText(QStringLiteral("0"));
    }
}

void EditDialogForm::setupTabOrder()
{
    QWidget *previous = lineEditSubMenuName;
    for (int stage = 0; stage < StageCount; ++stage) {
        for (QWidget *next : {static_cast<QWidget *>(comboBoxPowerLevel[stage]),
                              static_cast<QWidget *>(lineEditTimeMin[stage]),
                              static_cast<QWidget *>(lineEditTimeSec[stage])}) {
            QWidget::setTabOrder(previous, next);
            previous = next;
        }
    }
    QWidget::setTabOrder(previous, pushButtonApply);
    QWidget::setTabOrder(pushButtonApply, lineEditSubMenuCode);
    QWidget::setTabOrder(lineEditSubMenuCode, pushButtonClose);
}

void EditDialogForm::retranslateUi(QDialog *dialog)
{
    // The window title is never shown (the window is frameless) and reads the
    // same in both editions.
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    labelSubMenuName->setText(QCoreApplication::translate("EditDialog", "Name"));
    lineEditSubMenuName->setPlaceholderText(QCoreApplication::translate("EditDialog", "NO NAME"));
    labelSubMenuCodeTitle->setText(QCoreApplication::translate("EditDialog", "Code"));
    labelStageNoTitle->setText(QCoreApplication::translate("EditDialog", "Stage"));
    labelPowerLevelTitle->setText(QCoreApplication::translate("EditDialog", "Power Level"));
    labelTimeTitle->setText(QCoreApplication::translate("EditDialog", "Stage Time"));
    for (int stage = 0; stage < StageCount; ++stage) {
        labelStageNo[stage]->setText(QStringLiteral("#%1").arg(stage + 1));
        labelTimeMinUnit[stage]->setText(QCoreApplication::translate("EditDialog", "min"));
        labelTimeSecUnit[stage]->setText(QCoreApplication::translate("EditDialog", "sec"));
    }
    labelTotalTimeTag->setText(QCoreApplication::translate("EditDialog", "Total Time："));
}
