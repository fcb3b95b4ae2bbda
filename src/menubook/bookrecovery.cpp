#include "bookrecovery.h"

#include "menubook.h"
#include "menufilereader.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>

namespace {

// First line of every recovery file; a file that starts otherwise is not ours.
const QByteArray Magic = QByteArrayLiteral("MorvexMenuRecovery 2");
// Lines between the mark and the check line: the working folder, the book's
// current path, that file's fingerprint and the number of records.
constexpr int DescriptionLines = 4;

QByteArray digest(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

} // namespace

BookRecovery::BookRecovery(const QString &workingFolder) : folder(workingFolder)
{
    // Named by the folder, so each working folder keeps its own; not by the
    // program, since both editions load and save the same working copy.
    const QString name = QString::fromLatin1(digest(folder.toUtf8()).left(16));
    path = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
               .filePath(QStringLiteral("morvex-menu-editor/recovery/") + name +
                         QStringLiteral(".recovery"));
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
    QList<QByteArray> lines;
    qsizetype at = 0;
    while (lines.size() < DescriptionLines + 2) {
        const qsizetype end = content.indexOf('\n', at);
        if (end < 0)
            return std::nullopt;
        lines.append(content.mid(at, end - at));
        at = end + 1;
    }
    const QByteArray bytes = content.mid(at);
    // Everything but the mark is covered by the check, so a file cut short
    // or altered anywhere is never offered.
    QByteArray description;
    for (int line = 1; line <= DescriptionLines; ++line)
        description += lines[line] + '\n';
    const QList<QByteArray> check = lines.last().split(' ');
    bool countRead = false;
    const int count = lines[4].toInt(&countRead);
    if (lines[0] != Magic ||
        QString::fromUtf8(QByteArray::fromPercentEncoding(lines[1])) != folder ||
        check.size() != 2 || check[0] != QByteArray::number(bytes.size()) ||
        check[1] != digest(description + bytes) || !countRead || count < 0)
        return std::nullopt;

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    // The reader fills a book to its full size; a book made with New holds
    // only the menus added to it, and a save writes only those.
    QList<MenuRecord> menus = MenuFileReader().read(buffer);
    if (count < menus.size())
        menus.resize(count);
    return RecoveredBook{std::move(menus),
                         QString::fromUtf8(QByteArray::fromPercentEncoding(lines[2])), lines[3],
                         QFileInfo(file).lastModified()};
}

QByteArray BookRecovery::fileBytes(const MenuBook &book, const QByteArray &fileFingerprint) const
{
    const QByteArray bytes = MenuBook::fileBytes(book.menuFileText());
    const QByteArray description =
        folder.toUtf8().toPercentEncoding() + '\n' + book.currentPath.toUtf8().toPercentEncoding() +
        '\n' + fileFingerprint + '\n' + QByteArray::number(book.menus.size()) + '\n';
    return Magic + '\n' + description + QByteArray::number(bytes.size()) + ' ' +
           digest(description + bytes) + '\n' + bytes;
}

QByteArray BookRecovery::fingerprintOf(const QString &fileName)
{
    QFile file(fileName);
    if (fileName.isEmpty() || !QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result().toHex();
}

void BookRecovery::claimLater(QObject *context, Claimed whenClaimed)
{
    queue({Job::Claim, {}, context, std::move(whenClaimed)});
}

void BookRecovery::keep(const MenuBook &book, const QByteArray &fileFingerprint)
{
    queue({Job::Write, fileBytes(book, fileFingerprint), nullptr, {}});
}

void BookRecovery::discard()
{
    // Nothing written and nothing left on disk: no thread for nothing.
    if (!writer && !QFile::exists(path))
        return;
    queue({Job::Remove, {}, nullptr, {}});
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
    if (job.kind != Job::Claim)
        pending.removeIf([](const Job &waiting) { return waiting.kind != Job::Claim; });
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
    if (job.kind == Job::Claim) {
        if (claim()) {
            QMetaObject::invokeMethod(
                job.context, [done = job.claimed, left = leftBook()] { done(left); },
                Qt::QueuedConnection);
        }
        return;
    }
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
