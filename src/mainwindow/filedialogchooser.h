#pragma once

#include "menufilechooser.h"

// Asks for menu file names with the toolkit's own file dialogs. The program
// installs it into the book; the dialogs have no parent window.
class FileDialogChooser : public MenuFileChooser
{
public:
    QString openFileName(const QString &caption, const QString &startDir,
                         const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &startDir,
                         const QString &filter) override;
};
