#include "emessagebox.h"

#include "elabel.h"
#include "epushbutton.h"
#include "framelesshelper.h"
#include "readerview.h"

#include <QCloseEvent>

#include <QKeyEvent>
#include <QLabel>

#include <algorithm>

struct EMessageBox::Form
{
    QLabel *labelBanner = nullptr;
    ELabel *labelLogoPic = nullptr;
    ELabel *labelTitile = nullptr;
    ELabel *labelHint = nullptr;
    QLabel *labelRightBorder = nullptr;
    QLabel *labelRightBorder_2 = nullptr;
    QLabel *labelDownBorder = nullptr;
    EPushButton *pushButtonApply = nullptr;
    EPushButton *pushButtonClose = nullptr;
    QLabel *labelDetail = nullptr;
};

namespace {

const QString darkBand = QStringLiteral("background-color: rgb(89, 87, 87);");

QFont yaHei(int pointSize, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("微软雅黑")});
    font.setPointSize(pointSize);
    if (bold)
        font.setWeight(QFont::Bold);
    return font;
}

template <typename Widget>
Widget *makeChild(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

EPushButton *makeImageButton(QWidget *parent, const char *name, int x, const QString &image)
{
    auto *button = makeChild<EPushButton>(parent, name, QRect(x, 90, 54, 54));
    button->setEnabled(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setLayoutDirection(Qt::LeftToRight);
    button->setAutoFillBackground(false);
    button->setStyleSheet(QStringLiteral("background-image: url(:/image/%1_gray.png);\n"
                                         "border-style:flat;")
                              .arg(image));
    return button;
}

// The question as a reader meets it: the title band holding the title,
// the question and the two buttons, without the frame's lines and pictures.
QAccessibleInterface *questionBoxFactory(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (qobject_cast<EMessageBox *>(object))
        return new ReaderView::SeenChildrenAccessible(widget, QAccessible::Dialog);
    if (widget && qobject_cast<EMessageBox *>(widget->parentWidget()) &&
        widget->objectName() == QLatin1String("labelBanner"))
        return new ReaderView::SeenChildrenAccessible(widget, QAccessible::Pane);
    return nullptr;
}

} // namespace

EMessageBox::EMessageBox(QWidget *parent, const QString &title, const QString &text)
    : QDialog(parent), ui(new Form)
{
    static const bool readAsSeen = [] {
        QAccessible::installFactory(questionBoxFactory);
        return true;
    }();
    Q_UNUSED(readAsSeen);
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("EMessageBox"));
    resize(300, 150);
    setMinimumSize(300, 150);
    setMaximumSize(300, 150);
    setStyleSheet(QStringLiteral("background-color: rgb(180, 180, 180);"));

    ui->labelBanner = makeChild<QLabel>(this, "labelBanner", QRect(0, 0, 300, 31));
    ui->labelBanner->setStyleSheet(darkBand);
    ui->labelLogoPic = makeChild<ELabel>(this, "labelLogoPic", QRect(10, 3, 26, 23));
    ui->labelLogoPic->setStyleSheet(QStringLiteral("border-image: url(:/image/logo_hint.png);"));
    ui->labelTitile = makeChild<ELabel>(this, "labelTitile", QRect(42, 4, 221, 21));
    ui->labelTitile->setFont(yaHei(12, true));
    ui->labelTitile->setAlignment(Qt::AlignCenter);
    ui->labelHint = makeChild<ELabel>(this, "labelHint", QRect(10, 40, 281, 41));
    ui->labelHint->setFont(yaHei(14));
    ui->labelHint->setAlignment(Qt::AlignCenter);
    // The left, right and bottom edges get a one-pixel dark frame.
    ui->labelRightBorder = makeChild<QLabel>(this, "labelRightBorder", QRect(0, 0, 1, 150));
    ui->labelRightBorder->setStyleSheet(darkBand);
    ui->labelRightBorder->setText(tr("TextLabel"));
    ui->labelRightBorder_2 = makeChild<QLabel>(this, "labelRightBorder_2", QRect(299, 0, 1, 150));
    ui->labelRightBorder_2->setStyleSheet(darkBand);
    ui->labelRightBorder_2->setText(tr("TextLabel"));
    ui->labelDownBorder = makeChild<QLabel>(this, "labelDownBorder", QRect(0, 149, 300, 1));
    ui->labelDownBorder->setStyleSheet(darkBand);
    ui->pushButtonApply = makeImageButton(this, "pushButtonApply", 160, QStringLiteral("apply"));
    ui->pushButtonClose = makeImageButton(this, "pushButtonClose", 230, QStringLiteral("delete"));
    setWindowTitle(tr("Dialog"));
    QMetaObject::connectSlotsByName(this);

    // Pressing anywhere on the box that does not take the press moves it.
    auto *helper = new FramelessHelper(this);
    helper->addDragWidget(this);

    ui->pushButtonApply->setStyleSheet(EPushButton::pictureStyle(QStringLiteral("apply")));
    ui->pushButtonClose->setStyleSheet(EPushButton::pictureStyle(QStringLiteral("delete")));
    ui->pushButtonClose->setToolTip(tr("Quit"));
    ui->pushButtonClose->setTipOffset(5, -50);
    ui->pushButtonApply->setToolTip(tr("Confirm"));
    ui->pushButtonApply->setTipOffset(5, -50);

    // The banner sits at the origin, so the moved labels keep their place;
    // a re-parented widget stays hidden until shown again.
    ui->labelLogoPic->setParent(ui->labelBanner);
    ui->labelLogoPic->show();
    ui->labelTitile->setText(title);
    ui->labelTitile->setParent(ui->labelBanner);
    ui->labelTitile->show();
    QPalette palette = ui->labelTitile->palette();
    palette.setBrush(QPalette::All, QPalette::WindowText, QBrush(Qt::white, Qt::SolidPattern));
    ui->labelTitile->setPalette(palette);
    ui->labelTitile->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255)"));
    ui->labelHint->setText(text);
    ui->labelHint->setStyleSheet(QStringLiteral("color: rgb(255, 255, 150)"));
    // A question longer than the line would lose both its ends: it takes
    // two lines, in the room down to the buttons.
    if (ui->labelHint->fontMetrics().horizontalAdvance(text) > ui->labelHint->width()) {
        ui->labelHint->setWordWrap(true);
        ui->labelHint->setGeometry(10, 33, 281, 56);
    }

    installEventFilter(this);
    setAttribute(Qt::WA_MouseTracking);
}

EMessageBox::~EMessageBox()
{
    delete ui;
}

bool EMessageBox::eventFilter(QObject *watched, QEvent *event)
{
    // Only the two buttons answer: the keypad Enter would otherwise press a
    // default button behind the user's back, and Escape, left to the dialog,
    // would hide the box without an answer. Escape answers as Close does.
    if (watched == this && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Escape)
            ui->pushButtonClose->click();
        if (key == Qt::Key_Escape || key == Qt::Key_Enter)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void EMessageBox::setDetail(const QString &detail)
{
    constexpr int DetailHeight = 30;
    if (!ui->labelDetail) {
        ui->labelDetail = makeChild<QLabel>(this, "labelDetail", QRect());
        ui->labelDetail->setFont(yaHei(10));
        ui->labelDetail->setAlignment(Qt::AlignCenter);
        ui->labelDetail->setWordWrap(true);
        ui->labelDetail->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255)"));
    }
    // The question keeps every line it wraps onto; the detail goes under it
    // and the buttons under both, the box growing to hold them.
    QLabel *question = ui->labelHint;
    const int questionHeight =
        question->wordWrap()
            ? std::max(question->height(), question->heightForWidth(question->width()))
            : question->height();
    question->resize(question->width(), questionHeight);
    ui->labelDetail->setGeometry(10, question->geometry().bottom() + 6, 281, DetailHeight);
    const int buttonsTop = ui->labelDetail->geometry().bottom() + 5;
    for (QWidget *button : {ui->pushButtonApply, ui->pushButtonClose})
        button->move(button->x(), buttonsTop);
    setFixedSize(width(), buttonsTop + 60);
    ui->labelRightBorder->resize(1, height());
    ui->labelRightBorder_2->resize(1, height());
    ui->labelDownBorder->move(0, height() - 1);
    ui->labelDetail->setText(detail);
    ui->labelDetail->show(); // also when the box is up already
}

void EMessageBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A question waits for its answer from the keyboard too: it takes the
    // focus even where the window it asks over is still being activated.
    raise();
    activateWindow();
    ui->pushButtonApply->setFocus();
}

void EMessageBox::closeEvent(QCloseEvent *event)
{
    // Closed by the window system rather than a button: the caller has
    // disabled its buttons until it hears from us, so answer "no".
    if (!answered) {
        answered = true;
        emit releaseDialog();
        deleteLater();
    }
    QDialog::closeEvent(event);
}

void EMessageBox::on_pushButtonClose_clicked()
{
    answer(&EMessageBox::releaseDialog);
}

void EMessageBox::on_pushButtonApply_clicked()
{
    answer(&EMessageBox::applied);
}

void EMessageBox::answer(void (EMessageBox::*signal)())
{
    // A second click queued behind the first must not answer twice.
    if (answered)
        return;
    answered = true;
    // Emitted while the box is still up, so a direct receiver sees it.
    emit(this->*signal)();
    close();
    deleteLater();
}
