// Times the menu book's reader and writer on a full 299-row book.
// Not a test: it prints figures and always succeeds.

#include "menubook.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

MenuBook fullBook()
{
    MenuBook book;
    QByteArray bytes = MenuBook::fileBytes(MenuBook::defaultText());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    book.readMenuFile(buffer);
    const char *names[] = {"Popcorn", "Hot Tea", "Pizza", "Baked Potato", "Frozen Vegetables"};
    for (int p = 0; p < book.menus.size(); ++p) {
        MenuRecord &record = book.menus[p];
        record.name = QString::fromLatin1(names[p % 5]);
        record.stages = {{{10, 2, 30}, {6, 12, 45}, {p % 11, 59, 99}}};
    }
    return book;
}

// Median of repeated runs in microseconds; the median shrugs off scheduler noise.
double medianMicros(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    times.reserve(std::size_t(runs));
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1000.0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = 2000;
    QTextStream out(stdout);
    // Writes are bound by the file system (a save syncs each file to disk),
    // so the folder can be given: bench_menubook [folder]
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QTemporaryDir dir(QDir(folder).filePath(QStringLiteral("bench_menubook-XXXXXX")));
    if (!dir.isValid() || !QDir::setCurrent(dir.path())) {
        out << "cannot use a scratch folder\n";
        return 1;
    }

    const MenuBook book = fullBook();
    const QByteArray bytes = MenuBook::fileBytes(book.menuFileText());
    {
        QFile file(QStringLiteral("book.hex"));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    out << "full book: " << book.menus.size() << " rows, " << bytes.size() << " bytes; median of "
        << runs << " runs; files in " << dir.path() << "\n";

    const auto readFromMemory = [&] {
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        MenuBook reread;
        reread.readMenuFile(buffer);
    };
    const auto writeToMemory = [&] {
        MenuBook::fileBytes(book.menuFileText());
    };
    const auto readFile = [&] {
        QFile file(QStringLiteral("book.hex"));
        file.open(QIODevice::ReadOnly);
        MenuBook reread;
        reread.readMenuFile(file);
    };
    MenuBook savingOne = book; // no current file: Save writes the working copy only
    const auto saveOneFile = [&] {
        savingOne.saveFile();
    };
    MenuBook saving = book;
    saving.currentPath = QStringLiteral("book.hex");
    const auto saveFiles = [&] {
        saving.saveFile();
    };
    const auto roundTrip = [&] {
        MenuBook reread;
        QFile file(QStringLiteral("book.hex"));
        file.open(QIODevice::ReadOnly);
        reread.readMenuFile(file);
        file.close();
        reread.currentPath = QStringLiteral("book.hex");
        reread.saveFile();
    };

    out << QStringLiteral("read  (bytes in memory -> 299 records)      %1 us\n")
               .arg(medianMicros(runs, readFromMemory), 8, 'f', 1);
    out << QStringLiteral("write (299 records -> Latin-1 bytes)        %1 us\n")
               .arg(medianMicros(runs, writeToMemory), 8, 'f', 1);
    out << QStringLiteral("read file (open, read, close)               %1 us\n")
               .arg(medianMicros(runs, readFile), 8, 'f', 1);
    out << QStringLiteral("save, one atomic file write                 %1 us\n")
               .arg(medianMicros(runs / 4, saveOneFile), 8, 'f', 1);
    out << QStringLiteral("save, two atomic file writes                %1 us\n")
               .arg(medianMicros(runs / 4, saveFiles), 8, 'f', 1);
    out << QStringLiteral("round trip (read file, save both files)     %1 us\n")
               .arg(medianMicros(runs / 4, roundTrip), 8, 'f', 1);
    return 0;
}
