#include "bookfile.h"

#include "bookprinter.h"
#include "menubook.h"

#include <QFile>
#include <QFileInfo>

bool BookFile::open(QFile &file, QString &error)
{
    // Qt itself would warn on the terminal before the tool says a word.
    if (file.fileName().isEmpty()) {
        error = QStringLiteral("no file name given");
        return false;
    }
    // A folder opens on some systems and then reads as an empty book.
    const QFileInfo info(file.fileName());
    if (info.isDir()) {
        error = QStringLiteral("it is a folder");
        return false;
    }
    // A device or a pipe would never end, or block the open itself.
    if (info.exists() && !info.isFile()) {
        error = QStringLiteral("it is not a regular file");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    return true;
}

bool BookFile::read(const QString &path, QList<MenuRecord> &records, QString &error)
{
    QFile file(path);
    if (!open(file, error))
        return false;
    MenuBook book;
    book.readMenuFile(file);
    records = std::move(book.menus);
    return true;
}

QByteArray BookFile::normalizedBytes(const QList<MenuRecord> &records)
{
    MenuBook book;
    book.menus = records;
    return MenuBook::fileBytes(book.menuFileText());
}

QString BookFile::fingerprint(const QByteArray &normalized, bool full)
{
    return BookPrinter::fingerprintText(normalized, full);
}
