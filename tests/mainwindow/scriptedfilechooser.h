#pragma once

#include "menufilechooser.h"

#include <QStringList>

// Answers the book's file dialogs from a script: each call takes the next
// prepared name; an empty name, or none left, is a cancelled dialog.
class ScriptedFileChooser : public MenuFileChooser
{
public:
    QStringList answers;
    QStringList captions;

    QString openFileName(const QString &caption, const QString &, const QString &) override
    {
        return next(caption);
    }
    QString saveFileName(const QString &caption, const QString &, const QString &) override
    {
        return next(caption);
    }

private:
    QString next(const QString &caption)
    {
        captions.append(caption);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};
