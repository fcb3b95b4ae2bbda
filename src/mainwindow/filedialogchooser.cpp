#include "filedialogchooser.h"

#include <QFileDialog>

QString FileDialogChooser::openFileName(const QString &caption, const QString &startDir,
                                        const QString &filter)
{
    return QFileDialog::getOpenFileName(nullptr, caption, startDir, filter);
}

QString FileDialogChooser::saveFileName(const QString &caption, const QString &startDir,
                                        const QString &filter)
{
    return QFileDialog::getSaveFileName(nullptr, caption, startDir, filter);
}
