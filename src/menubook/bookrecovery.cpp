#include "bookrecovery.h"

#include "menubook.h"
#include "menufilereader.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QMetaObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>

namespace {

// First line of every recovery file; a file that starts otherwise is not ours.
const QByteArray Magic = QByteArrayLiteral("MorvexMenuRecovery 1");

QByteArray digest(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

} // namespace

BookRecovery::BookRecovery(const QString &workingFolder) : folder(workingFolder)
{
    // Named by the folder, so each working folder keeps its own.
    const QString name = QString::fromLatin1(digest(folder.toUtf8()).left(16));
    path = QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
               .filePath(QStringLiteral("recovery/") + name + QStringLiteral(".recovery"));
}

BookRecovery::~BookRecovery()
{
    if (writer) {
        {
            QMutexLocker locker(&mutex);
            stopping = true;
            changed.wakeAll();
        }
        writer->wait();
    }
}

bool BookRecovery::claim()
{
    if (claimed)
        return true;
    QDir().mkpath(QFileInfo(path).path());
    lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    // Only a holder that is no longer running makes a lock stale: an editor
    // left open for hours still owns its folder.
    lock->setStaleLockTime(0);
    claimed = lock->tryLock(0);
    if (!claimed && lock->error() != QLockFile::LockFailedError) {
        qDebug() << "Cannot keep unsaved menus in" << path << ": the folder refuses the lock";
        failureLogged = true;
    }
    return claimed;
}

std::optional<RecoveredBook> BookRecovery::leftBook() const
{
    if (!claimed)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray content = file.readAll();
    // Four header lines: the mark, the working folder, the book's current
    // path, and the size and digest of the book's bytes that follow.
    QList<QByteArray> header;
    qsizetype at = 0;
    while (header.size() < 4) {
        const qsizetype end = content.indexOf('\n', at);
        if (end < 0)
            return std::nullopt;
        header.append(content.mid(at, end - at));
        at = end + 1;
    }
    const QByteArray bytes = content.mid(at);
    const QList<QByteArray> check = header[3].split(' ');
    if (header[0] != Magic ||
        QString::fromUtf8(QByteArray::fromPercentEncoding(header[1])) != folder ||
        check.size() != 2 || check[0] != QByteArray::number(bytes.size()) ||
        check[1] != digest(bytes))
        return std::nullopt;

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return RecoveredBook{MenuFileReader().read(buffer),
                         QString::fromUtf8(QByteArray::fromPercentEncoding(header[2]))};
}

QByteArray BookRecovery::fileBytes(const MenuBook &book) const
{
    const QByteArray bytes = MenuBook::fileBytes(book.menuFileText());
    return Magic + '\n' + folder.toUtf8().toPercentEncoding() + '\n' +
           book.currentPath.toUtf8().toPercentEncoding() + '\n' + QByteArray::number(bytes.size()) +
           ' ' + digest(bytes) + '\n' + bytes;
}

void BookRecovery::claimLater(QObject *context, Claimed whenClaimed)
{
    // On the context's thread, once it is back in its event loop: a lock and
    // one small file cost less than the writing thread, which a run that
    // never edits then never starts.
    QMetaObject::invokeMethod(
        context,
        [this, done = std::move(whenClaimed)] {
            if (claim())
                done(leftBook());
        },
        Qt::QueuedConnection);
}

void BookRecovery::keep(const MenuBook &book)
{
    queue({Job::Write, fileBytes(book)});
}

void BookRecovery::discard()
{
    // Nothing written and nothing left on disk: no thread for nothing.
    if (!writer && !QFile::exists(path))
        return;
    queue({Job::Remove, {}});
}

void BookRecovery::finish()
{
    QMutexLocker locker(&mutex);
    while (!pending.isEmpty() || busy)
        changed.wait(&mutex);
}

void BookRecovery::queue(Job job)
{
    QMutexLocker locker(&mutex);
    // Only the newest state counts: a write still waiting is replaced.
    pending.clear();
    pending.append(std::move(job));
    if (!writer) {
        writer.reset(QThread::create([this] { work(); }));
        writer->start(QThread::LowPriority);
    }
    changed.wakeAll();
}

void BookRecovery::work()
{
    QMutexLocker locker(&mutex);
    for (;;) {
        while (pending.isEmpty() && !stopping)
            changed.wait(&mutex);
        // What was asked for before the end is still done.
        if (pending.isEmpty())
            return;
        const Job job = pending.takeFirst();
        busy = true;
        locker.unlock();
        perform(job);
        locker.relock();
        busy = false;
        changed.wakeAll();
    }
}

void BookRecovery::perform(const Job &job)
{
    if (!claimed)
        return;
    if (job.kind == Job::Remove) {
        QFile::remove(path);
        return;
    }
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(job.bytes) == job.bytes.size() && file.flush() && file.commit();
    // A full disk or a locked folder must not flood the log on every edit.
    if (!written && !failureLogged) {
        qDebug() << "Cannot keep unsaved menus in" << path << ":" << file.errorString();
        failureLogged = true;
    }
}
