#include "mainwindowform.h"

#include "edition.h"
#include "elabel.h"
#include "epushbutton.h"
#include "pictureicon.h"

#include <QEvent>
#include <QMainWindow>
#include <QProgressBar>
#include <QSlider>

namespace {

// The font family of every text on the window; where the platform lacks it
// the toolkit's fallback picks a font that has the glyphs.
const QString FormFontFamily = QString::fromUtf8("微软雅黑");

template <typename Widget>
Widget *makeWidget(QWidget *parent, const QString &name, const QRect &geometry,
                   const QString &styleSheet = QString())
{
    auto *widget = new Widget(parent);
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    if (!styleSheet.isEmpty())
        widget->setStyleSheet(styleSheet);
    return widget;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QRect &geometry,
                  const QString &styleSheet = QString())
{
    return makeWidget<QLabel>(parent, name, geometry, styleSheet);
}

ELabel *makeELabel(QWidget *parent, const QString &name, const QRect &geometry,
                   Qt::CursorShape cursor = Qt::PointingHandCursor)
{
    auto *label = makeWidget<ELabel>(parent, name, geometry);
    label->setCursor(cursor);
    return label;
}

// Command and window buttons are pictures; their style sheets come later.
EPushButton *makeButton(QWidget *parent, const QString &name, const QRect &geometry,
                        const QString &styleSheet = QString())
{
    auto *button = makeWidget<EPushButton>(parent, name, geometry, styleSheet);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setLayoutDirection(Qt::LeftToRight);
    button->setAutoFillBackground(false);
    return button;
}

// Qt's style-sheet engine resolves every widget's sheet and loads every
// picture a sheet names when the form is polished, shown or not. Some
// sixty pictured widgets of the form stay hidden for the whole run (the
// picture label alone would cost every start a 661 x 540 decode and 1.4 MB):
// they get their sheets if they are ever shown.
class StyleSheetOnShow : public QObject
{
public:
    StyleSheetOnShow(QWidget *widget, const QString &styleSheet)
        : QObject(widget), styleSheet(styleSheet)
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            static_cast<QWidget *>(watched)->setStyleSheet(styleSheet);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QString styleSheet;
};

void applyStyleSheetWhenShown(QWidget *widget, const QString &styleSheet)
{
    new StyleSheetOnShow(widget, styleSheet);
}

QString flatPicture(const QString &image)
{
    return QStringLiteral("background-image: url(:/image/%1);\nborder-style:flat;").arg(image);
}

QString darkBand()
{
    return QStringLiteral("background-color: rgb(89, 87, 87);");
}

// Rows are 30 pixels apart; the first row's texts sit two pixels lower.
int rowTop(int row)
{
    return 66 + 30 * row;
}

int textTop(int row)
{
    return 70 + 30 * row;
}

int stageTop(int row)
{
    return row == 0 ? 72 : textTop(row);
}

int pictureTop(int row)
{
    return row == 0 ? 68 : rowTop(row);
}

QString rowName(const char *stem, int row)
{
    return QLatin1String(stem) + QString::number(row + 1);
}

enum class RowLine
{
    Text,
    Stage
};

// The text labels of a row, in stacking order (bottom first); labelValue_N
// lies higher up and is made on its own.
struct RowTextColumn
{
    const char *stem;
    int x;
    int width;
    RowLine line;
    const char *placeholder;
    ELabel *MainWindowRow::*member;
};

const RowTextColumn RowTextColumns[] = {
    {"labelTag_", 30, 520, RowLine::Text, "TAG", &MainWindowRow::tag},
    {"labelSoftMinNum_", 309, 161, RowLine::Stage, "SoftMin", &MainWindowRow::softMinNum},
    {"labelSoftMaxNum_", 477, 144, RowLine::Stage, "SoftMax", &MainWindowRow::softMaxNum},
    {"labelHardMaxNum_", 630, 165, RowLine::Stage, "HardMax", &MainWindowRow::hardMaxNum},
    {"labelTimeTag_", 820, 90, RowLine::Stage, "Time", &MainWindowRow::timeTag},
    {"labelTimeNum_", 837, 72, RowLine::Stage, "TimeValue", &MainWindowRow::timeNum},
};

struct RowPicture
{
    const char *stem;
    int x;
    const char *image;
    bool pointingHand;
    QLabel *MainWindowRow::*member;
};

const RowPicture RowPictures[] = {
    {"labelSoftMinPic_", 265, "soft_min_limit.png", false, &MainWindowRow::softMinPic},
    {"labelSoftMaxPic_", 408, "soft_max_limit.png", true, &MainWindowRow::softMaxPic},
    {"labelHardMaxPic_", 555, "hard_max_limit.png", false, &MainWindowRow::hardMaxPic},
};

// Three of the rows' fold buttons lie among the row labels, the others
// above the header band.
constexpr int FoldButtonsAmongRows = 3;

QPushButton *makeFoldButton(QWidget *parent, int row)
{
    auto *button = makeWidget<QPushButton>(parent, rowName("pushButtonLabelFoldOrNot_", row),
                                           QRect(925, 72 + 30 * row, 18, 19));
    applyStyleSheetWhenShown(button, flatPicture(QStringLiteral("fold_gray.png")));
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoFillBackground(false);
    return button;
}

} // namespace

void MainWindowForm::setupUi(QMainWindow *window)
{
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("MainWindow"));
    window->resize(955, 590);
    window->setMinimumSize(955, 590);
    window->setMaximumSize(955, 590);
    window->setWindowIcon(pictureIcon(QStringLiteral(":/image/logo.png")));
    window->setAutoFillBackground(false);
    window->setStyleSheet(QStringLiteral(
        "border-style:flat;\ngridline-color: rgb(0, 0, 0);\nborder-color: rgb(0, 0, 0);"));
    window->setWindowTitle(QStringLiteral("MainWindow"));

    centralWidget = new QWidget(window);
    centralWidget->setObjectName(QStringLiteral("centralWidget"));

    // Children are made bottom first: creation order is the stacking order.
    createBottomLayer();
    createRowBackgrounds();
    createButtonPad();
    createBanner();
    createRowTexts(FoldButtonsAmongRows);
    createTopLayer();
    createTitles();
    setFormFonts();

    window->setCentralWidget(centralWidget);

    QObject::connect(pushButtonMin, &QPushButton::clicked, window, &QWidget::showMinimized);
    QObject::connect(pushButtonCloseFirstOpenHintLable, &QPushButton::clicked,
                     pushButtonCloseFirstOpenHintLable, &QWidget::close);
    QMetaObject::connectSlotsByName(window);
}

void MainWindowForm::createBottomLayer()
{
    // The picture is the window's size. Not repeated, Qt copies it in one
    // go; tiled, it hands every tall repaint (the rows on each wheel step)
    // to helper threads and waits for them.
    labelBackground = makeLabel(
        centralWidget, QStringLiteral("labelBackground"), QRect(0, 0, 955, 590),
        QStringLiteral("background-image: url(:/image/bgp.png); background-repeat: no-repeat;"));
    labelBackgroundPic =
        makeLabel(centralWidget, QStringLiteral("labelBackgroundPic"), QRect(150, 20, 661, 540));
    applyStyleSheetWhenShown(labelBackgroundPic,
                             QStringLiteral("background-color: rgb(251, 251, 251);\n"
                                            "background-image: url(:/image/background_pic.png);"));
    progressBarSave = makeWidget<QProgressBar>(
        centralWidget, QStringLiteral("progressBarSave"), QRect(0, 512, 955, 10),
        QStringLiteral("QProgressBar::chunk {\n   background-color: #00aaff;\n   width: 20px;\n}"));
    progressBarSave->setValue(24);
    progressBarSave->setTextVisible(false);
}

void MainWindowForm::createRowBackgrounds()
{
    for (int row = 0; row < RowCount; ++row) {
        ELabel *label =
            makeELabel(centralWidget, rowName("label_", row), QRect(7, rowTop(row), 941, 29));
        label->setStyleSheet(row == 0 ? QStringLiteral("background-color: rgb(160, 160, 160);")
                                      : QStringLiteral("background-color: rgb(231, 231, 231);"));
        rows[row].background = label;
        if (row < FoldButtonsAmongRows)
            rows[row].foldButton = makeFoldButton(centralWidget, row);
    }
}

void MainWindowForm::createButtonPad()
{
    labelButtonPad =
        makeLabel(centralWidget, QStringLiteral("labelButtonPad"), QRect(0, 517, 955, 73),
                  QStringLiteral("background-color: rgb(255, 255, 255);"));
    pushButtonEditAdd =
        makeButton(centralWidget, QStringLiteral("pushButtonEditAdd"), QRect(1890, 527, 54, 55));
    labelLeftBorder = makeLabel(centralWidget, QStringLiteral("labelLeftBorder"),
                                QRect(0, 0, 1, 590), darkBand());
    labelLeftBorder->setText(QStringLiteral("TextLabel"));
    labelRightBorder = makeLabel(centralWidget, QStringLiteral("labelRightBorder"),
                                 QRect(954, 0, 1, 590), darkBand());
    labelRightBorder->setText(QStringLiteral("TextLabel"));
    labelDownBorder = makeLabel(centralWidget, QStringLiteral("labelDownBorder"),
                                QRect(0, 589, 955, 1), darkBand());
    // Save covers Create exactly: Create is reached by keyboard focus only.
    pushButtonCreateNewFile = makeButton(centralWidget, QStringLiteral("pushButtonCreateNewFile"),
                                         QRect(75, 527, 54, 55));
    pushButtonEdit =
        makeButton(centralWidget, QStringLiteral("pushButtonEdit"), QRect(890, 527, 54, 54));
    pushButtonOpenFile =
        makeButton(centralWidget, QStringLiteral("pushButtonOpenFile"), QRect(10, 527, 54, 55));
    pushButtonDelete =
        makeButton(centralWidget, QStringLiteral("pushButtonDelete"), QRect(825, 527, 54, 55));
    pushButtonSaveFile =
        makeButton(centralWidget, QStringLiteral("pushButtonSaveFile"), QRect(75, 527, 54, 55));
    labelDrugLibSize =
        makeLabel(centralWidget, QStringLiteral("labelDrugLibSize"), QRect(290, 555, 241, 21));
    labelDrugLibSize->setText(QStringLiteral("SIZE"));
    labelDrugLibModifyTime = makeLabel(centralWidget, QStringLiteral("labelDrugLibModifyTime"),
                                       QRect(500, 555, 251, 21));
    labelDrugLibModifyTime->setText(QStringLiteral("TIME"));
    pushButtonSaveNewFile =
        makeButton(centralWidget, QStringLiteral("pushButtonSaveNewFile"), QRect(140, 527, 54, 55));
    labelDrugLibMd5 =
        makeLabel(centralWidget, QStringLiteral("labelDrugLibMd5"), QRect(280, 544, 401, 21));
    labelDrugLibVersion =
        makeLabel(centralWidget, QStringLiteral("labelDrugLibVersion"), QRect(280, 523, 291, 21));
}

void MainWindowForm::createBanner()
{
    labelBanner =
        makeLabel(centralWidget, QStringLiteral("labelBanner"), QRect(0, 0, 955, 29), darkBand());
    labelLogo = makeLabel(centralWidget, QStringLiteral("labelLogo"), QRect(10, 4, 217, 22),
                          QStringLiteral("background-image: url(:/image/logo_corner.png);"));
    pushButtonClose =
        makeButton(centralWidget, QStringLiteral("pushButtonClose"), QRect(935, 4, 18, 19));
    pushButtonMin =
        makeButton(centralWidget, QStringLiteral("pushButtonMin"), QRect(915, 4, 18, 19));
    labelFileHeadInfo =
        makeELabel(centralWidget, QStringLiteral("labelFileHeadInfo"), QRect(1, 29, 953, 36));
    labelFileHeadInfo->setStyleSheet(QStringLiteral("background-color: rgb(180, 180, 180);"));
}

void MainWindowForm::createRowTexts(int firstFoldButton)
{
    for (int row = firstFoldButton; row < RowCount; ++row)
        rows[row].foldButton = makeFoldButton(centralWidget, row);

    for (int row = 0; row < RowCount; ++row) {
        MainWindowRow &rowWidgets = rows[row];
        for (const RowTextColumn &column : RowTextColumns) {
            const int top = column.line == RowLine::Stage ? stageTop(row) : textTop(row);
            ELabel *label = makeELabel(centralWidget, rowName(column.stem, row),
                                       QRect(column.x, top, column.width, 20));
            label->setText(QLatin1String(column.placeholder));
            rowWidgets.*column.member = label;
        }
        for (const RowPicture &picture : RowPictures) {
            QLabel *label = makeLabel(centralWidget, rowName(picture.stem, row),
                                      QRect(picture.x, pictureTop(row), 25, 24));
            applyStyleSheetWhenShown(
                label, QStringLiteral("background-image: url(:/image/%1);").arg(picture.image));
            if (picture.pointingHand)
                label->setCursor(Qt::PointingHandCursor);
            rowWidgets.*picture.member = label;
        }
    }
}

void MainWindowForm::createTopLayer()
{
    labelUserInfo = makeELabel(centralWidget, QStringLiteral("labelUserInfo"),
                               QRect(3, 29, 951, 36), Qt::ArrowCursor);
    pushButtonPrint =
        makeButton(centralWidget, QStringLiteral("pushButtonPrint"), QRect(695, 527, 54, 55));
    applyStyleSheetWhenShown(pushButtonPrint, flatPicture(QStringLiteral("print_gray.png")));
    pushButtonCloseFirstOpenHintLable = makeButton(
        centralWidget, QStringLiteral("pushButtonCloseFirstOpenHintLable"), QRect(935, 4, 18, 19));
    applyStyleSheetWhenShown(pushButtonCloseFirstOpenHintLable,
                             flatPicture(QStringLiteral("close_gray.png")));
    // Its picture was never drawn, so it names none: a missing picture would
    // be reported on every polish of the form.
    pushButtonLabelPrintThis =
        makeButton(centralWidget, QStringLiteral("pushButtonLabelPrintThis"),
                   QRect(905, 60, 43, 43), QStringLiteral("border-style:flat;"));

    // The names lie above the stage texts they overlap.
    for (int row = 0; row < RowCount; ++row) {
        const int top = row == 1 ? 102 : textTop(row);
        rows[row].value =
            makeELabel(centralWidget, rowName("labelValue_", row), QRect(135, top, 195, 20));
        rows[row].value->setText(QStringLiteral("Value"));
    }
}

void MainWindowForm::createTitles()
{
    const int y = EditionLayout::mainTitleLabelsY();
    const auto makeTitle = [this, y](const char *name, int x, int width, const char *placeholder) {
        auto *label =
            makeWidget<ELabel>(centralWidget, QLatin1String(name), QRect(x, y, width, 20));
        label->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignVCenter);
        label->setText(QLatin1String(placeholder));
        return label;
    };
    labelTitleCode = makeTitle("labelTitleCode", 9, 81, "TAG");
    labelTitleCode->setAlignment(Qt::AlignCenter);
    labelTitleCode->setCursor(Qt::ArrowCursor);
    labelTitleName = makeTitle("labelTitleName", 135, 221, "Value");
    labelTitleStage01 = makeTitle("labelTitleStage01", 309, 171, "SoftMin");
    labelTitleStage02 = makeTitle("labelTitleStage02", 477, 161, "SoftMax");
    labelTitleStage03 = makeTitle("labelTitleStage03", 630, 171, "HardMax");
    labelTitleStage03->setCursor(Qt::ArrowCursor);
    labelTitleTotalTime = makeTitle("labelTitleTotalTime", 820, 121, "TimeValue");

    verticalSlider = makeWidget<QSlider>(
        centralWidget, QStringLiteral("verticalSlider"), QRect(930, 70, 44, 441),
        QStringLiteral(
            "QSlider::handle:vertical{border: 1px solid #ffffff; background: solid #00ccff }"));
    verticalSlider->setOrientation(Qt::Vertical);
    verticalSlider->setAutoFillBackground(false);
}

void MainWindowForm::setFormFonts()
{
    QFont font(FormFontFamily);
    font.setPointSize(10);
    labelDrugLibSize->setFont(font);
    labelDrugLibModifyTime->setFont(font);
    font.setPointSize(8);
    labelDrugLibMd5->setFont(font);
    labelDrugLibVersion->setFont(font);
    font.setPointSize(9);
    labelUserInfo->setFont(font);
}
