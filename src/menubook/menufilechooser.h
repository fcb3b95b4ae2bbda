#pragma once

#include <QString>

// Asks the user for a menu file name. The book never opens a dialog itself:
// the program installs a chooser that shows the toolkit's file dialogs, and
// tests install a scripted one. An empty result means the user cancelled.
class MenuFileChooser
{
public:
    virtual ~MenuFileChooser() = default;

    virtual QString openFileName(const QString &caption, const QString &startDir,
                                 const QString &filter) = 0;
    virtual QString saveFileName(const QString &caption, const QString &startDir,
                                 const QString &filter) = 0;
};
