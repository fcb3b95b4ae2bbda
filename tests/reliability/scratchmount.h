#pragma once

#include <QString>

// A small file system of its own on a test-made folder (a tmpfs), for faults
// that only a real file system shows: a full disk, a read-only one. Root
// rights ignore file modes, so a read-only mount is the only honest
// "read-only folder" for a test running as root.
//
// Mounting needs the right to mount; where it is missing the mount fails and
// failure() says why, for the test's skip message. The first mount of a run
// moves the process into a mount namespace of its own when it can, so no
// mount outlives the test even if it crashes.
class ScratchMount
{
public:
    ScratchMount(const QString &folder, int kibibytes);
    ~ScratchMount();
    ScratchMount(const ScratchMount &) = delete;
    ScratchMount &operator=(const ScratchMount &) = delete;

    bool isMounted() const { return mounted; }
    QString failure() const { return reason; }

    bool makeReadOnly();
    // Writes one file until the file system has no byte left.
    bool fill(const QString &fileName);

private:
    static void enterPrivateNamespace();

    QString folder;
    QString options;
    bool mounted = false;
    QString reason;
};
