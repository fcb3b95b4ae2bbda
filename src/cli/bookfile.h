#pragma once

#include "menurecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QFile;

// A menu file as the tool sees it: opened and read exactly as the editor's
// Open does, and saved as the editor's Save would save it.
class BookFile
{
public:
    // Opens for reading; false with a reason for people when it cannot.
    static bool open(QFile &file, QString &error);
    // The 299 records the editor would hold; false when the file cannot be read.
    static bool read(const QString &path, QList<MenuRecord> &records, QString &error);
    // The bytes the editor's Save writes for these records (with LF line ends,
    // which is what it writes everywhere but on Windows).
    static QByteArray normalizedBytes(const QList<MenuRecord> &records);
    // A short fingerprint of normalised bytes: the first 64 bits of their
    // SHA-256 in four groups of hex digits; with full, all 256 bits.
    static QString fingerprint(const QByteArray &normalized, bool full = false);
};
