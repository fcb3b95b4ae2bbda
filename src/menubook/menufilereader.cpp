#include "menufilereader.h"

#include <QIODevice>
#include <QStringDecoder>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

constexpr qint64 ChunkSize = 16 * 1024;

// Hands out the lines of a device one by one, decoded the way a text stream
// with its default settings decodes them (UTF-8 unless a byte-order mark says
// otherwise, the mark itself dropped, LF or CR LF ends removed). Unlike a text
// stream it never holds more than one chunk plus MaxLineLength characters:
// of an over-long line it keeps the first MaxLineLength characters and reads
// the rest only to throw it away.
class LineSource
{
public:
    explicit LineSource(QIODevice &device) : device(device) {}

    // False at the end of the input. cut marks a line that exceeded the
    // bound and was cut to it.
    bool next(QString &line, bool &cut)
    {
        line.truncate(0); // keeps the allocation for the next line
        cut = false;
        bool consumedAny = false;
        for (;;) {
            if (pos < buffer.size()) {
                consumedAny = true;
                const qsizetype end = buffer.indexOf(u'\n', pos);
                const qsizetype stop = end < 0 ? buffer.size() : end;
                // One more than the bound leaves room for the CR of a CR LF.
                const qsizetype room = MenuFileReader::MaxLineLength + 1 - line.size();
                if (stop - pos > room)
                    cut = true;
                line.append(QStringView(buffer).mid(pos, std::min(stop - pos, room)));
                pos = end < 0 ? buffer.size() : end + 1;
                if (end >= 0)
                    return finish(line, cut);
                continue;
            }
            if (!fill())
                return consumedAny ? finish(line, cut) : false;
        }
    }

private:
    static bool finish(QString &line, bool &cut)
    {
        if (!cut && line.endsWith(u'\r'))
            line.chop(1);
        if (line.size() > MenuFileReader::MaxLineLength) {
            cut = true;
            line.truncate(MenuFileReader::MaxLineLength);
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

// One field of a row as the reader takes it.
struct Field
{
    QStringView text;  // trimmed; of a wholly quoted field, its content
    qsizetype end = 0; // the separator after the field, or the end of the line
    bool quoted = false;
};

// A spreadsheet told to quote its text cells saves "Rice","#0001",10,...: a
// field wholly enclosed in double quotes reads as its content, "" inside
// standing for one quote (a name holding it stays refused). Any other field
// reads up to the next separator exactly as it always has, so the editor's
// own rows, which never hold a quote, read as before. unescaped keeps the
// content of a field with doubled quotes for as long as its view is used.
Field scanField(QStringView line, qsizetype start, QChar separator, QString &unescaped)
{
    qsizetype open = start;
    while (open < line.size() && line[open].isSpace())
        ++open;
    if (open < line.size() && line[open] == u'"') {
        bool doubled = false;
        qsizetype close = open + 1;
        for (; close < line.size(); ++close) {
            if (line[close] != u'"')
                continue;
            if (close + 1 < line.size() && line[close + 1] == u'"') {
                doubled = true;
                ++close;
                continue;
            }
            break;
        }
        qsizetype after = close + 1;
        while (after < line.size() && line[after] != separator && line[after].isSpace())
            ++after;
        if (close < line.size() && (after >= line.size() || line[after] == separator)) {
            QStringView content = line.mid(open + 1, close - open - 1);
            if (doubled) {
                unescaped = content.toString();
                unescaped.replace(QStringLiteral("\"\""), QStringLiteral("\""));
                content = unescaped;
            }
            return {content.trimmed(), std::min(after, line.size()), true};
        }
    }
    const qsizetype next = line.indexOf(separator, start);
    const qsizetype end = next < 0 ? line.size() : next;
    return {line.mid(start, end - start).trimmed(), end, false};
}

// The field, counted from 0, that holds the row number after a name: the
// first field but the first that begins with "#0"; 0 when none does (a row
// without a name column). For a line without quotes this is exactly where
// ",#0" stands.
int numberFieldOf(QStringView line, QChar separator)
{
    if (!line.contains(u'"')) {
        const QString marker = QString(separator) + QStringLiteral("#0");
        const qsizetype at = line.indexOf(marker);
        return at < 0 ? 0 : int(line.left(at).count(separator)) + 1;
    }
    QString scratch;
    qsizetype start = 0;
    for (int index = 0;; ++index) {
        const Field field = scanField(line, start, separator, scratch);
        if (index > 0 && (field.quoted ? field.text : line.mid(start)).startsWith(u"#0"))
            return index;
        if (field.end >= line.size())
            return 0;
        start = field.end + 1;
    }
}

// A book saved by a spreadsheet set up for European number formats separates
// its cells with semicolons; its header tells, quoted or not.
bool separatesWithSemicolons(QStringView firstLine)
{
    return firstLine.startsWith(u"MenuName;") || firstLine.startsWith(u"\"MenuName\";");
}

MenuRecord fillerRecord(int number)
{
    MenuRecord record;
    record.number = number;
    record.code = MenuFileReader::codeOfNumber(number);
    return record;
}

} // namespace

MenuFileReader::MenuFileReader(FindingHandler handler, AfterStop afterStop)
    : handler(std::move(handler)), afterStop(afterStop)
{}

QList<MenuRecord> MenuFileReader::read(QIODevice &device) const
{
    QList<MenuRecord> records;
    records.reserve(RecordCount);
    auto report = [this](const LineFinding &finding) {
        if (handler)
            handler(finding);
    };

    // Nothing after a stop can change the records; only a handler that asked
    // for those lines makes the reader go on to the end.
    const bool reportsAfterStop = handler && afterStop == AfterStop::Report;
    LineSource source(device);
    MenuRecord working;
    int rowCounter = 0;
    qint64 lineNumber = 0;
    QString line;
    bool cut = false;
    bool stopped = false;
    QChar separator = u',';
    std::array<QString, LastColumn + 2> unescaped; // one per column, one for the rest
    while (source.next(line, cut)) {
        LineFinding finding;
        finding.lineNumber = ++lineNumber;
        if (lineNumber == 1 && separatesWithSemicolons(line))
            separator = u';';
        finding.separator = separator;
        finding.text = line;
        // A row padded far beyond its last value (a spreadsheet export with
        // thousands of empty columns) keeps its menu and its place: its
        // first MaxLineLength characters are read like any row.
        finding.cutAtLengthBound = cut;
        if (handler)
            finding.undecodable = int(line.count(QChar::ReplacementCharacter));
        if (stopped) {
            finding.kind = LineKind::IgnoredAfterStop;
            report(finding);
            continue;
        }
        if (line.isEmpty()) {
            finding.kind = LineKind::StoppedAtEmptyLine;
            report(finding);
            if (!reportsAfterStop)
                break;
            stopped = true;
            continue;
        }
        if (!line.contains(u"#0")) {
            finding.kind = LineKind::SkippedWithoutMarker;
            report(finding);
            continue;
        }
        const int numberField = numberFieldOf(line, separator);
        finding.hasNameColumn = numberField > 0;
        if (!finding.hasNameColumn)
            working.name.clear();
        else if (handler)
            finding.numberField = numberField;
        const int candidate = rowCounter + 1;
        finding.recordNumber = candidate;
        if (candidate > RecordCount) {
            finding.kind = LineKind::StoppedAtRowLimit;
            report(finding);
            if (!reportsAfterStop)
                break;
            stopped = true;
            continue;
        }
        working.number = candidate;

        int column = finding.hasNameColumn ? 0 : 1;
        bool complete = false;
        qsizetype start = 0;
        for (;;) {
            const Field scanned = scanField(
                line, start, separator, unescaped[std::size_t(std::min(column, LastColumn + 1))]);
            ++finding.fieldCount;
            if (column > LastColumn) {
                if (finding.ignoredColumns++ == 0)
                    finding.ignoredText = QStringView(line).mid(start);
            } else {
                const QStringView field = scanned.text;
                if (scanned.quoted)
                    finding.quotedColumns |= quint16(1u << column);
                finding.columns[std::size_t(column)] = field;
                if (column == 0) {
                    const bool accepted = isAcceptedName(field);
                    finding.nameRejected = !accepted;
                    if (!accepted && handler)
                        finding.nameFaults = nameFaultsOf(field);
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
                    finding.stagesRead = working.stages;
                    finding.rowCheck = checkRow(working.stages);
                    finding.failedRowCheck = !finding.rowCheck.passed();
                    finding.reservedRecord = MenuRecord::isReservedNumber(candidate);
                    if (finding.failedRowCheck || finding.reservedRecord)
                        working.stages = {};
                }
                ++column;
            }
            if (scanned.end >= line.size())
                break;
            start = scanned.end + 1;
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

int MenuFileReader::nameFaultsOf(QStringView name)
{
    int faults = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        const char16_t u = c.unicode();
        if ((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || u == u' ')
            continue;
        char32_t codePoint = u;
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate())
            codePoint = QChar::surrogateToUcs4(c, name[++i]);
        if (codePoint == QChar::ReplacementCharacter)
            faults |= NameHoldsUndecodable;
        else if (QChar::isDigit(codePoint) || QChar::isNumber(codePoint))
            faults |= NameHoldsDigit;
        else if (QChar::isLetter(codePoint) || QChar::isMark(codePoint))
            faults |= NameHoldsOtherLetter;
        else if (QChar::isPunct(codePoint) || QChar::isSymbol(codePoint))
            faults |= NameHoldsPunctuation;
        else
            faults |= NameHoldsControl;
    }
    return faults;
}

MenuFileReader::RowCheck MenuFileReader::checkRow(const std::array<MenuStage, 3> &stages)
{
    RowCheck check;
    for (std::size_t s = 0; s < stages.size(); ++s) {
        const MenuStage &stage = stages[s];
        int &breaks = check.stageBreaks[s];
        if (stage.power < 0 || stage.power > 10)
            breaks |= PowerOutOfRange;
        if (stage.minutes < 0 || stage.minutes > 60)
            breaks |= MinutesOutOfRange;
        if (stage.seconds < 0 || stage.seconds > 99)
            breaks |= SecondsOutOfRange;
        // Only values in range give a stage time free of overflow.
        if (breaks != 0)
            continue;
        const int time = stage.stageTime();
        if (stage.power == OvenLimits::FullPower) {
            if (time > OvenLimits::FullPowerStageSeconds)
                breaks |= FullPowerStageTooLong;
            check.fullPowerTime += time;
        } else if (time > OvenLimits::StageSeconds) {
            breaks |= StageTooLong;
        }
    }
    check.fullPowerTotalTooLong = check.fullPowerTime > OvenLimits::FullPowerMenuSeconds;
    return check;
}
