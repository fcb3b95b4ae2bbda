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

// A checker that watches every line must see the same book, a row
// accepted for each record taken from the file, and nothing accepted after
// reading stopped.
void checkFindings(const QByteArray &input, const QList<MenuRecord> &records)
{
    QByteArray bytes = input;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    int accepted = 0;
    bool stopped = false;
    const MenuFileReader reader(
        [&](const MenuFileReader::LineFinding &finding) {
            using Kind = MenuFileReader::LineKind;
            if (finding.kind == Kind::Accepted) {
                if (stopped || finding.recordNumber != accepted + 1)
                    broken("accepted row out of turn", finding.recordNumber - 1);
                ++accepted;
            }
            if (finding.kind == Kind::StoppedAtEmptyLine || finding.kind == Kind::StoppedAtRowLimit)
                stopped = true;
            else if (stopped && finding.kind != Kind::IgnoredAfterStop)
                broken("line read after the stop", accepted);
        },
        MenuFileReader::AfterStop::Report);
    if (reader.read(buffer) != records)
        broken("a finding handler changed the book", -1);
    for (int position = accepted; position < MenuBook::RecordCount; ++position) {
        if (!records[position].name.isEmpty() ||
            records[position].stages != std::array<MenuStage, 3>{})
            broken("record without a row is not empty", position);
    }
}

void checkInput(const QByteArray &input)
{
    const QList<MenuRecord> first = readBook(input);
    checkRecords(first);
    checkFindings(input, first);

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
}

// The input with its first line stretched to about the reader's line bound
// (one short of it, at it, or one beyond), which short inputs never reach.
QByteArray withLongFirstLine(const QByteArray &input)
{
    qsizetype end = input.indexOf('\n');
    if (end < 0)
        end = input.size();
    const qsizetype wanted = MenuFileReader::MaxLineLength - 1 + input.size() % 3;
    QByteArray stretched = input;
    if (end < wanted)
        stretched.insert(end, QByteArray(wanted - end, input.isEmpty()    ? 'x'
                                                       : input[0] == '\n' ? ','
                                                                          : input[0]));
    return stretched;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    checkInput(input);
    // Every fourth input also as a file with one line at the bound.
    if (size % 4 == 0)
        checkInput(withLongFirstLine(input));
    return 0;
}
