#include "filedialogchooser.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace {

// "hex" of "MorvexMenuFile(*.hex)": the suffix the filter promises.
QString filterSuffix(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}

} // namespace

QString FileDialogChooser::openFileName(const QString &caption, const QString &startDir,
                                        const QString &filter)
{
    return QFileDialog::getOpenFileName(nullptr, caption, startDir, filter);
}

QString FileDialogChooser::saveFileName(const QString &caption, const QString &startDir,
                                        const QString &filter)
{
    // The book adds the suffix to whatever name it is given; the dialog
    // must add it too, so that it asks before replacing "NAME.hex" rather
    // than about "NAME".
    QFileDialog dialog(nullptr, caption, startDir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(filterSuffix(filter));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}
