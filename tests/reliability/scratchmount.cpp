#include "scratchmount.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_LINUX
#include <sched.h>
#include <sys/mount.h>
#endif

ScratchMount::ScratchMount(const QString &folder, int kibibytes)
    : folder(folder), options(QStringLiteral("size=%1k,mode=0755").arg(kibibytes))
{
#ifdef Q_OS_LINUX
    enterPrivateNamespace();
    const QByteArray target = QFile::encodeName(folder);
    if (::mount("tmpfs", target.constData(), "tmpfs", 0, options.toLatin1().constData()) == 0)
        mounted = true;
    else
        reason = QStringLiteral("cannot mount a tmpfs on %1 (needs root or CAP_SYS_ADMIN): %2")
                     .arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
#else
    reason = QStringLiteral("mounting a tmpfs is only done on Linux");
#endif
}

ScratchMount::~ScratchMount()
{
#ifdef Q_OS_LINUX
    // Detached: a file still open somewhere must not keep the mount alive.
    if (mounted)
        ::umount2(QFile::encodeName(folder).constData(), MNT_DETACH);
#endif
}

bool ScratchMount::makeReadOnly()
{
#ifdef Q_OS_LINUX
    return mounted && ::mount(nullptr, QFile::encodeName(folder).constData(), nullptr,
                              MS_REMOUNT | MS_RDONLY, options.toLatin1().constData()) == 0;
#else
    return false;
#endif
}

bool ScratchMount::fill(const QString &fileName)
{
    QFile filler(folder + u'/' + fileName);
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    // The last pages may take a smaller piece.
    while (filler.write(block.constData(), 1) == 1) {
    }
    return true;
}

void ScratchMount::enterPrivateNamespace()
{
#ifdef Q_OS_LINUX
    static bool tried = false;
    if (tried)
        return;
    tried = true;
    // Without a namespace of its own (unshare refused, or the process already
    // runs threads) the mounts are made in the shared one and the destructor
    // removes them.
    if (::unshare(CLONE_NEWNS) == 0)
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
#endif
}
