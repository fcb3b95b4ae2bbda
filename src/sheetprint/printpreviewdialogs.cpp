#include "printpreviewdialogs.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QCoreApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>

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
    emptyMenus->setContentsMargins(8, 4, 8, 4);
    // Under the pages, where a narrow tool bar would not push it out of sight.
    if (auto *box = qobject_cast<QBoxLayout *>(dialog.layout()))
        box->addWidget(emptyMenus);
    QObject::connect(
        &dialog, &QPrintPreviewDialog::paintRequested, &dialog,
        [&paint, emptyMenus](QPrinter *target) { paint(*target, emptyMenus->isChecked()); });
    if (auto *preview = dialog.findChild<QPrintPreviewWidget *>()) {
        QObject::connect(emptyMenus, &QCheckBox::toggled, preview,
                         &QPrintPreviewWidget::updatePreview);
    }
    return dialog.exec() == QDialog::Accepted;
}
