#include "menufilewriter.h"

#include <QDebug>
#include <QFile>
#include <QSaveFile>

MenuFileWriter::MenuFileWriter() : readBack(&MenuFileWriter::readFile) {}

namespace {

bool failed(const QString &path, const QString &reason, QString *error)
{
    qDebug() << "Cannot write" << path << ":" << reason;
    if (error)
        *error = reason;
    return false;
}

} // namespace

bool MenuFileWriter::write(const QString &path, const QByteArray &bytes, QString *error) const
{
    QSaveFile file(path);
    // A folder that refuses new files (a shared or locked one) would refuse
    // the temporary copy too; an existing file there that the user may write
    // is then written in place rather than not at all. The read-back below
    // still decides whether that write counts.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return failed(path, file.errorString(), error);
    // commit() takes no notice of a write that fails while it empties the
    // write buffer (a full disk), and would put a short file in place of
    // the old one; flushing first makes that failure ours to see. The
    // temporary copy goes with the QSaveFile.
    if (file.write(bytes) != bytes.size() || !file.flush())
        return failed(path, file.errorString(), error);
    if (!file.commit())
        return failed(path, file.errorString(), error);
    const QByteArray stored = readBack(path);
    const QByteArray expected = storedBytes(bytes);
    if (stored != expected) {
        qsizetype at = 0;
        while (at < stored.size() && at < expected.size() && stored[at] == expected[at])
            ++at;
        return failed(path,
                      QStringLiteral("the file read back differs from what was written, first at "
                                     "byte %1 (%2 bytes read, %3 written)")
                          .arg(at)
                          .arg(stored.size())
                          .arg(expected.size()),
                      error);
    }
    return true;
}

void MenuFileWriter::setReadBack(ReadBack readBack)
{
    this->readBack = readBack ? std::move(readBack) : ReadBack(&MenuFileWriter::readFile);
}

QByteArray MenuFileWriter::storedBytes(const QByteArray &bytes)
{
#ifdef Q_OS_WIN
    QByteArray stored = bytes;
    stored.replace("\n", "\r\n");
    return stored;
#else
    return bytes;
#endif
}

QByteArray MenuFileWriter::readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
