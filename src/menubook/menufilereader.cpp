#include "menufilereader.h"

#include <QIODevice>
#include <QStringDecoder>

#include <limits>
#include <optional>

namespace {

constexpr qint64 ChunkSize = 16 * 1024;

// Hands out the lines of a device one by one, decoded the way a text stream
// with its default settings decodes them (UTF-8 unless a byte-order mark says
// otherwise, the mark itself dropped, LF or CR LF ends removed). Unlike a text
// stream it never holds more than one chunk plus MaxLineLength characters:
// the rest of an over-long line is read and thrown away.
class LineSource
{
public:
    explicit LineSource(QIODevice &device) : device(device) {}

    // False at the end of the input. tooLong marks a line that exceeded
    // the bound; its text is then empty.
    bool next(QString &line, bool &tooLong)
    {
        line.truncate(0); // keeps the allocation for the next line
        tooLong = false;
        bool consumedAny = false;
        for (;;) {
            if (pos < buffer.size()) {
                consumedAny = true;
                const qsizetype end = buffer.indexOf(u'\n', pos);
                const qsizetype stop = end < 0 ? buffer.size() : end;
                if (!tooLong)
                    line.append(QStringView(buffer).mid(pos, stop - pos));
                pos = end < 0 ? buffer.size() : end + 1;
                // One more than the bound leaves room for the CR of a CR LF.
                if (line.size() > MenuFileReader::MaxLineLength + 1) {
                    tooLong = true;
                    line = QString();
                }
                if (end >= 0)
                    return finish(line, tooLong);
                continue;
            }
            if (!fill())
                return consumedAny ? finish(line, tooLong) : false;
        }
    }

private:
    static bool finish(QString &line, bool &tooLong)
    {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.size() > MenuFileReader::MaxLineLength) {
            tooLong = true;
            line = QString();
        }
        return true;
    }

    bool fill()
    {
        pos = 0;
        buffer.truncate(0);
        const qint64 count = device.read(raw, ChunkSize);
        if (count <= 0)
            return false;
        const QByteArrayView bytes(raw, count);
        if (!decoder) {
            const auto encoding = QStringConverter::encodingForData(bytes);
            decoder.emplace(encoding.value_or(QStringConverter::Utf8));
        }
        // Decoded into the same storage every time: a long file costs no
        // allocation per chunk.
        buffer.resize(decoder->requiredSpace(count));
        const QChar *end = decoder->appendToBuffer(buffer.data(), bytes);
        buffer.truncate(end - buffer.constData());
        return true;
    }

    QIODevice &device;
    std::optional<QStringDecoder> decoder;
    char raw[ChunkSize];
    QString buffer;
    qsizetype pos = 0;
};

void setStageValue(std::array<MenuStage, 3> &stages, int valueIndex, int value)
{
    MenuStage &stage = stages[std::size_t(valueIndex / 3)];
    switch (valueIndex % 3) {
    case 0:
        stage.power = value;
        break;
    case 1:
        stage.minutes = value;
        break;
    default:
        stage.seconds = value;
        break;
    }
}

MenuRecord fillerRecord(int number)
{
    MenuRecord record;
    record.number = number;
    record.code = MenuFileReader::codeOfNumber(number);
    return record;
}

} // namespace

MenuFileReader::MenuFileReader(FindingHandler handler) : handler(std::move(handler)) {}

QList<MenuRecord> MenuFileReader::read(QIODevice &device) const
{
    QList<MenuRecord> records;
    records.reserve(RecordCount);
    auto report = [this](const LineFinding &finding) {
        if (handler)
            handler(finding);
    };

    LineSource source(device);
    MenuRecord working;
    int rowCounter = 0;
    qint64 lineNumber = 0;
    QString line;
    bool tooLong = false;
    while (source.next(line, tooLong)) {
        LineFinding finding;
        finding.lineNumber = ++lineNumber;
        if (tooLong) {
            finding.kind = LineKind::SkippedTooLong;
            report(finding);
            continue;
        }
        if (line.isEmpty()) {
            finding.kind = LineKind::StoppedAtEmptyLine;
            report(finding);
            break;
        }
        if (!line.contains(u"#0")) {
            finding.kind = LineKind::SkippedWithoutMarker;
            report(finding);
            continue;
        }
        finding.hasNameColumn = line.contains(u",#0");
        if (!finding.hasNameColumn)
            working.name.clear();
        const int candidate = rowCounter + 1;
        finding.recordNumber = candidate;
        if (candidate > RecordCount) {
            finding.kind = LineKind::StoppedAtRowLimit;
            report(finding);
            break;
        }
        working.number = candidate;

        int column = finding.hasNameColumn ? 0 : 1;
        bool complete = false;
        qsizetype start = 0;
        for (;;) {
            const qsizetype comma = line.indexOf(u',', start);
            const qsizetype end = comma < 0 ? line.size() : comma;
            ++finding.fieldCount;
            if (column > LastColumn) {
                ++finding.ignoredColumns;
            } else {
                const QStringView field = QStringView(line).mid(start, end - start).trimmed();
                if (column == 0) {
                    const bool accepted = isAcceptedName(field);
                    finding.nameRejected = !accepted;
                    working.name = accepted ? field.toString() : QString();
                } else if (column == 1) {
                    working.code = codeOfNumber(candidate);
                } else {
                    int value = 0;
                    if (!readNumber(field, value)) {
                        value = 0;
                        finding.unreadableColumns |= quint16(1u << column);
                    }
                    setStageValue(working.stages, column - 2, value);
                }
                if (column == LastColumn) {
                    complete = true;
                    finding.failedRowCheck = !passesRowCheck(working.stages);
                    finding.reservedRecord = candidate == 100 || candidate == 200;
                    if (finding.failedRowCheck || finding.reservedRecord)
                        working.stages = {};
                }
                ++column;
            }
            if (comma < 0)
                break;
            start = comma + 1;
        }

        if (complete) {
            finding.kind = LineKind::Accepted;
            records.append(working);
            rowCounter = candidate;
        } else {
            finding.kind = LineKind::DroppedShortRow;
        }
        report(finding);
    }

    for (int number = rowCounter + 1; number <= RecordCount; ++number)
        records.append(fillerRecord(number));
    return records;
}

QString MenuFileReader::codeOfNumber(int number)
{
    // Every row of every read needs one; sharing them saves the allocations.
    static const QList<QString> codes = [] {
        QList<QString> list;
        for (int n = 0; n <= RecordCount; ++n)
            list.append(codeText(n));
        return list;
    }();
    return number >= 1 && number <= RecordCount ? codes[number] : codeText(number);
}

QString MenuFileReader::codeText(int number)
{
    char16_t letter = u'A';
    if (number >= 200) {
        letter = u'C';
        number -= 200;
    } else if (number >= 100) {
        letter = u'b';
        number -= 100;
    }
    QString code{QChar(letter)};
    code += u'-';
    code += QString::number(number).rightJustified(2, u'0');
    return code;
}

bool MenuFileReader::isAcceptedName(QStringView name)
{
    for (QChar c : name) {
        const char16_t u = c.unicode();
        if (!((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || u == u' '))
            return false;
    }
    return true;
}

bool MenuFileReader::readNumber(QStringView field, int &value)
{
    qsizetype i = 0;
    bool negative = false;
    if (!field.isEmpty() && (field.front() == u'+' || field.front() == u'-')) {
        negative = field.front() == u'-';
        i = 1;
    }
    if (i == field.size())
        return false;
    // One past the largest magnitude, so the loop stops before 64 bits overflow.
    constexpr qint64 limit = qint64(std::numeric_limits<int>::max()) + 2;
    qint64 magnitude = 0;
    for (; i < field.size(); ++i) {
        const char16_t u = field[i].unicode();
        if (u < u'0' || u > u'9')
            return false;
        magnitude = magnitude * 10 + (u - u'0');
        if (magnitude >= limit)
            return false;
    }
    const qint64 result = negative ? -magnitude : magnitude;
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min())
        return false;
    value = int(result);
    return true;
}

bool MenuFileReader::passesRowCheck(const std::array<MenuStage, 3> &stages)
{
    // Ranges first: only then are the stage times free of overflow.
    for (const MenuStage &stage : stages) {
        if (stage.power < 0 || stage.power > 10 || stage.minutes < 0 || stage.minutes > 60 ||
            stage.seconds < 0 || stage.seconds > 99)
            return false;
    }
    int fullPowerTime = 0;
    for (const MenuStage &stage : stages) {
        const int time = stage.stageTime();
        if (stage.power == 10) {
            if (time > 900)
                return false;
            fullPowerTime += time;
        } else if (time > 3600) {
            return false;
        }
    }
    return fullPowerTime <= 1500;
}
