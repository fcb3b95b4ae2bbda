#pragma once

#include "mainwindowrow.h"

#include <array>

class ELabel;
class EPushButton;
class QLabel;
class QMainWindow;
class QProgressBar;
class QSlider;
class QWidget;

// The main window's form: every widget by its object name, built in code at
// fixed positions. The widgets are children of the window; this object only
// keeps the pointers.
class MainWindowForm
{
public:
    static constexpr int RowCount = 15;

    // Builds the form on the window, connects the form's own signals and then
    // the window's on_<objectName>_<signal> slots by name.
    void setupUi(QMainWindow *window);

    QWidget *centralWidget = nullptr;

    // Chrome.
    QLabel *labelBackground = nullptr;
    QLabel *labelBanner = nullptr;
    QLabel *labelLogo = nullptr;
    EPushButton *pushButtonMin = nullptr;
    EPushButton *pushButtonClose = nullptr;
    ELabel *labelFileHeadInfo = nullptr;
    ELabel *labelUserInfo = nullptr;
    ELabel *labelTitleCode = nullptr;
    ELabel *labelTitleName = nullptr;
    ELabel *labelTitleStage01 = nullptr;
    ELabel *labelTitleStage02 = nullptr;
    ELabel *labelTitleStage03 = nullptr;
    ELabel *labelTitleTotalTime = nullptr;
    QLabel *labelButtonPad = nullptr;
    QLabel *labelLeftBorder = nullptr;
    QLabel *labelRightBorder = nullptr;
    QLabel *labelDownBorder = nullptr;
    EPushButton *pushButtonOpenFile = nullptr;
    EPushButton *pushButtonCreateNewFile = nullptr;
    EPushButton *pushButtonSaveFile = nullptr;
    EPushButton *pushButtonSaveNewFile = nullptr;
    QLabel *labelDrugLibSize = nullptr;
    QLabel *labelDrugLibModifyTime = nullptr;
    EPushButton *pushButtonDelete = nullptr;
    EPushButton *pushButtonEdit = nullptr;
    EPushButton *pushButtonEditAdd = nullptr;
    QSlider *verticalSlider = nullptr;

    // Hidden by the window and never shown.
    QProgressBar *progressBarSave = nullptr;
    QLabel *labelDrugLibMd5 = nullptr;
    QLabel *labelDrugLibVersion = nullptr;
    QLabel *labelBackgroundPic = nullptr;
    EPushButton *pushButtonPrint = nullptr;
    EPushButton *pushButtonCloseFirstOpenHintLable = nullptr;
    EPushButton *pushButtonLabelPrintThis = nullptr;

    std::array<MainWindowRow, RowCount> rows{};

private:
    void createBottomLayer();
    void createRowBackgrounds();
    void createButtonPad();
    void createBanner();
    void createRowTexts(int firstFoldButton);
    void createTopLayer();
    void createTitles();
    void setFormFonts();
};
