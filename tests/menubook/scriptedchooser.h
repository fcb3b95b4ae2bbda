#pragma once

#include "menufilechooser.h"

#include <QList>
#include <QStringList>

// Answers the book's dialogs from a script and remembers what it was asked.
class ScriptedChooser : public MenuFileChooser
{
public:
    struct Question
    {
        QString dialog, caption, startDir, filter;
    };

    QStringList answers;
    QList<Question> questions;

    QString openFileName(const QString &caption, const QString &startDir,
                         const QString &filter) override
    {
        return answer({QStringLiteral("open"), caption, startDir, filter});
    }
    QString saveFileName(const QString &caption, const QString &startDir,
                         const QString &filter) override
    {
        return answer({QStringLiteral("save"), caption, startDir, filter});
    }

private:
    QString answer(const Question &question)
    {
        questions.append(question);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};
