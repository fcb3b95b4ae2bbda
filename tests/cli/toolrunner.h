#pragma once

#include "menubook.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTest>

// The tool writes text as the platform's text files have it.
#ifdef Q_OS_WIN
inline const QByteArray toolLineEnd = "\r\n";
#else
inline const QByteArray toolLineEnd = "\n";
#endif

// Taken before a test changes the working folder: on Windows the build's
// path has no drive, and the working folder's would be taken.
inline const QString toolPath = QFileInfo(QStringLiteral(MENUBOOK_TOOL)).absoluteFilePath();

// Runs the built menubook program the way a user's shell does and keeps
// what it said.
struct ToolRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    // What was said, with the platform's line ends read as '\n'.
    QString text() const { return QString::fromUtf8(QByteArray(out).replace(toolLineEnd, "\n")); }
    bool linesEndAsThePlatformWants() const
    {
        return out.count('\n') == out.count(toolLineEnd) &&
               err.count('\n') == err.count(toolLineEnd);
    }
};

inline ToolRun runTool(const QStringList &arguments, const QString &workingDirectory = QString())
{
    QProcess process;
    process.setProgram(toolPath);
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

// LF text as the tool and the editor write it on this platform.
inline QByteArray platformText(QByteArray bytes)
{
    return bytes.replace('\n', toolLineEnd);
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
