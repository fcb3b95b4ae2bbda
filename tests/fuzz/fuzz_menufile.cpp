// Arbitrary bytes as a menu file: whatever a file holds, the book read from
// it must be one the oven accepts, and saving it must be stable.

#include "menubook.h"
#include "menufilereader.h"

#include <QBuffer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void broken(const char *property, int position)
{
    std::fprintf(stderr, "menu file property broken: %s (record position %d)\n", property,
                 position);
    std::abort();
}

QList<MenuRecord> readBook(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    MenuBook book;
    book.readMenuFile(buffer);
    return book.menus;
}

QByteArray writtenBytes(const QList<MenuRecord> &menus)
{
    MenuBook book;
    book.menus = menus;
    return MenuBook::fileBytes(book.menuFileText());
}

bool inRange(int value, int low, int high)
{
    return value >= low && value <= high;
}

// The oven's rules, spelled out again here rather than borrowed from the
// reader, so that a mistake in the reader's own check cannot hide itself.
void checkStages(const std::array<MenuStage, 3> &stages, int position)
{
    int fullPowerTime = 0;
    for (const MenuStage &stage : stages) {
        if (!inRange(stage.power, 0, 10) || !inRange(stage.minutes, 0, 60) ||
            !inRange(stage.seconds, 0, 99))
            broken("stage value out of range", position);
        const int time = stage.minutes * 60 + stage.seconds;
        if (stage.power == 10) {
            if (time > 15 * 60)
                broken("power 10 stage over 15 minutes", position);
            fullPowerTime += time;
        } else if (time > 60 * 60) {
            broken("stage over 60 minutes", position);
        }
    }
    if (fullPowerTime > 25 * 60)
        broken("power 10 stages over 25 minutes together", position);
}

void checkRecords(const QList<MenuRecord> &menus)
{
    if (menus.size() != MenuBook::RecordCount)
        broken("book does not hold 299 records", int(menus.size()));
    for (int position = 0; position < MenuBook::RecordCount; ++position) {
        const MenuRecord &record = menus[position];
        if (record.number != position + 1)
            broken("number is not position + 1", position);
        if (record.code != MenuFileReader::codeOfNumber(position + 1))
            broken("code does not follow the number", position);
        if (!MenuFileReader::isAcceptedName(record.name) || record.name != record.name.trimmed())
            broken("name holds more than letters and inner spaces", position);
        checkStages(record.stages, position);
        const bool reserved = position == 99 || position == 199;
        if (reserved && record.stages != std::array<MenuStage, 3>{})
            broken("reserved record has stages", position);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<MenuRecord> first = readBook(input);
    checkRecords(first);

    const QByteArray written = writtenBytes(first);
    if (!written.startsWith(MenuBook::fileBytes(MenuBook::headerText())))
        broken("written file does not start with the header", -1);
    const QList<MenuRecord> second = readBook(written);
    for (int position = 0; position < MenuBook::RecordCount; ++position) {
        if (second[position] != first[position])
            broken("record changed on the way through a save", position);
    }
    if (writtenBytes(second) != written)
        broken("saving the book read back gives other bytes", -1);
    return 0;
}
