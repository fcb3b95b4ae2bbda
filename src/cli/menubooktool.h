#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QStringList>

class QCommandLineParser;
class QTextStream;

// The menubook command line: one sub-command per run, its own options and
// help, findings on standard output and trouble on standard error.
class MenuBookTool
{
public:
    enum ExitCode
    {
        Success = 0,
        Differences = 1, // check found something, diff found a change
        Trouble = 2,     // bad arguments, or a file that could not be read or written
    };

    MenuBookTool(QTextStream &out, QTextStream &err);

    // The arguments after the program name.
    int run(const QStringList &arguments);

    // Only print draws text; the other commands run without a GUI application.
    static bool needsGui(const QStringList &arguments);

private:
    struct Command
    {
        QString name;
        QString usage; // the synopsis after "menubook "
        QString help;  // what the command does, its options and exit status
        int (MenuBookTool::*run)(const QCommandLineParser &parser);
        QList<QCommandLineOption> options;
        int minFiles;
        int maxFiles; // -1: any number
        bool writes;  // needs -o
    };

    static const QList<Command> &commands();
    int usageError(const Command &command, const QString &message);
    int fileError(const Command &command, const QString &path, const QString &reason);
    void generalHelp(QTextStream &stream);

    int create(const QCommandLineParser &parser);
    int check(const QCommandLineParser &parser);
    int normalize(const QCommandLineParser &parser);
    int diff(const QCommandLineParser &parser);
    int fingerprint(const QCommandLineParser &parser);
    int print(const QCommandLineParser &parser);

    QTextStream &out;
    QTextStream &err;
    const Command *current = nullptr;
};
