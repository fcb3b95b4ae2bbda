#include "printpreviewdialogs.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QToolBar>

bool PrintPreviewDialogs::hasPrinter()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool PrintPreviewDialogs::print(QPrinter &printer, const Paint &paint, QWidget *parent)
{
    QPrintPreviewDialog dialog(&printer, parent);
    auto *emptyMenus = new QCheckBox(
        QCoreApplication::translate("PrintPreviewDialogs", "Print empty menus too"), &dialog);
    emptyMenus->setObjectName(QStringLiteral("emptyMenusToo"));
    if (auto *tools = dialog.findChild<QToolBar *>()) {
        tools->addSeparator();
        tools->addWidget(emptyMenus);
    }
    QObject::connect(
        &dialog, &QPrintPreviewDialog::paintRequested, &dialog,
        [&paint, emptyMenus](QPrinter *target) { paint(*target, emptyMenus->isChecked()); });
    if (auto *preview = dialog.findChild<QPrintPreviewWidget *>()) {
        QObject::connect(emptyMenus, &QCheckBox::toggled, preview,
                         &QPrintPreviewWidget::updatePreview);
    }
    return dialog.exec() == QDialog::Accepted;
}
