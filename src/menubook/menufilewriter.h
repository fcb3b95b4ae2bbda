#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Writes a whole menu file through QSaveFile, so a failed write leaves the
// previous file as it was, and then reads the file back: a medium that does
// not keep what it was given (a worn USB stick, a full network share that
// cheats) must not pass for a saved book. Every failure goes to the debug log
// with the reason. The one write that is not atomic: an existing file in a
// folder that refuses new files is written in place, since the temporary
// copy cannot be made there.
class MenuFileWriter
{
public:
    // Gives the bytes now stored under a path; empty when it cannot be read.
    using ReadBack = std::function<QByteArray(const QString &path)>;

    MenuFileWriter();

    // True only when the file holds exactly the bytes (with the platform's
    // line ends, as text mode writes them) after the write. On failure the
    // reason goes to the debug log and, when asked for, to error.
    bool write(const QString &path, const QByteArray &bytes, QString *error = nullptr) const;

    // Tests stand in for a faulty medium here.
    void setReadBack(ReadBack readBack);

    // The bytes text mode puts on disk for the given ones.
    static QByteArray storedBytes(const QByteArray &bytes);
    static QByteArray readFile(const QString &path);

private:
    ReadBack readBack;
};
