#pragma once

#include <QString>
#include <QStringList>

// What the editor was asked to do by its arguments: run, perhaps with a
// book to open, or answer --help or --version, or refuse the arguments.
struct CommandLine
{
    enum class Action
    {
        Run,
        ShowHelp,
        ShowVersion,
        Refuse,
    };

    Action action = Action::Run;
    QString bookPath; // empty: run on the working copy alone
    // The text to print for ShowHelp, ShowVersion and Refuse (the reason,
    // then the usage).
    QString text;

    // arguments[0] is the program itself, as in argv.
    static CommandLine parse(const QStringList &arguments, const QString &programName,
                             const QString &version);

    // The arguments less the options that Qt's application object takes
    // for itself (-platform NAME, -style=NAME, --reverse, ...), so that the
    // rest can be judged before that object exists, with no display.
    static QStringList withoutQtOptions(const QStringList &arguments);
};
