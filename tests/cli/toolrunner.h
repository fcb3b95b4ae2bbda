#pragma once

#include "menubook.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTest>

// Runs the built menubook program the way a user's shell does and keeps
// what it said.
struct ToolRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    QString text() const { return QString::fromUtf8(out); }
};

inline ToolRun runTool(const QStringList &arguments, const QString &workingDirectory = QString())
{
    QProcess process;
    process.setProgram(QStringLiteral(MENUBOOK_TOOL));
    process.setArguments(arguments);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start();
    ToolRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        run.err = "menubook did not finish: " + process.errorString().toUtf8();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

inline QByteArray headerBytes()
{
    return MenuBook::fileBytes(MenuBook::headerText());
}

inline QByteArray menuRow(const QByteArray &name, int number, const QByteArray &values)
{
    return name + ",#" + QByteArray::number(number).rightJustified(4, '0') + ',' + values + '\n';
}

// A book as the editor writes it, with a few named menus.
inline QByteArray savedBook()
{
    QByteArray bytes = headerBytes() + menuRow("Popcorn", 1, "10,2,30,0,0,0,0,0,0") +
                       menuRow("Rice Bowl", 2, "8,12,0,5,3,0,0,0,0");
    for (int row = 3; row <= 298; ++row)
        bytes += menuRow("", row, "0,0,0,0,0,0,0,0,0");
    bytes += menuRow("Leftovers", 299, "6,4,75,0,0,0,0,0,0");
    return bytes;
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
