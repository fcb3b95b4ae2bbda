#pragma once

#include <array>

class EPushButton;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;

// The widgets of the menu edit dialog. Built in code the way a designer form
// would be: object names are binding, because the dialog's slots find their
// widgets through connect-by-object-name.
struct EditDialogForm
{
    static constexpr int StageCount = 3;

    // Creation order is the stacking order, bottom first.
    QLabel *labelBackground = nullptr;
    QLabel *labelTivaBackground = nullptr;
    QLabel *labelInfuRateBackground = nullptr;
    QLabel *labelButtonPad = nullptr;
    QLabel *labelBanner = nullptr;
    EPushButton *pushButtonClose = nullptr;
    EPushButton *pushButtonApply = nullptr;
    QLabel *labelLogo = nullptr;
    QLabel *labelDownBorder = nullptr;
    QLabel *labelSubMenuName = nullptr;
    QLineEdit *lineEditSubMenuName = nullptr;
    QLabel *labelSubMenuCodeTitle = nullptr;
    QLineEdit *lineEditSubMenuCode = nullptr;
    QLabel *labelStageNoTitle = nullptr;
    QLabel *labelPowerLevelTitle = nullptr;
    QLabel *labelTimeTitle = nullptr;
    std::array<QLabel *, StageCount> labelStageNo{};
    std::array<QComboBox *, StageCount> comboBoxPowerLevel{};
    std::array<QLineEdit *, StageCount> lineEditTimeMin{};
    std::array<QLabel *, StageCount> labelTimeMinUnit{};
    std::array<QLineEdit *, StageCount> lineEditTimeSec{};
    std::array<QLabel *, StageCount> labelTimeSecUnit{};
    QLabel *labelTivaBackground_2 = nullptr;
    QLabel *labelLeftBorder = nullptr;
    QLabel *labelRightBorder = nullptr;
    QLabel *labelTotalTimeTag = nullptr;
    QLabel *labelTotalTimeValue = nullptr;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);

private:
    void setupStageRows(QDialog *dialog);
    void setupTabOrder();
};
