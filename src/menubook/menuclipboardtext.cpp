#include "menuclipboardtext.h"

#include "menufilereader.h"

namespace {

constexpr int StageValueCount = 9;
constexpr char16_t Quote = u'"';

int &stageValue(std::array<MenuStage, 3> &stages, int valueIndex)
{
    MenuStage &stage = stages[std::size_t(valueIndex / 3)];
    switch (valueIndex % 3) {
    case 0:
        return stage.power;
    case 1:
        return stage.minutes;
    default:
        return stage.seconds;
    }
}

// One pasted line: name (or none, as the reader takes a line that starts
// with its number) and nine whole numbers within the oven's limits.
std::optional<MenuRecord> parseLine(QStringView line)
{
    const QChar separator = line.contains(u'\t') ? QChar(u'\t') : QChar(u',');
    QStringList cells;
    if (!MenuClipboardText::splitCells(line, separator, cells))
        return std::nullopt;
    for (QString &cell : cells)
        cell = cell.trimmed();
    if (cells.size() == StageValueCount + 2)
        cells.removeAt(1);
    else if (cells.size() == StageValueCount + 1 && cells.front().startsWith(u"#0"))
        cells.front().clear();
    else if (cells.size() != StageValueCount + 1)
        return std::nullopt;

    MenuRecord record;
    record.name = cells.front();
    if (!MenuFileReader::isAcceptedName(record.name))
        return std::nullopt;
    for (int value = 0; value < StageValueCount; ++value) {
        if (!MenuFileReader::readNumber(cells.at(value + 1), stageValue(record.stages, value)))
            return std::nullopt;
    }
    if (!MenuFileReader::checkRow(record.stages).passed())
        return std::nullopt;
    return record;
}

} // namespace

QString MenuClipboardText::rowLine(const MenuRecord &record, int rowNumber, QChar separator)
{
    QString line = quotedCell(record.name, separator);
    line += separator;
    line += u'#';
    line += QString::number(rowNumber).rightJustified(4, u'0');
    for (const MenuStage &stage : record.stages) {
        for (int value : {stage.power, stage.minutes, stage.seconds}) {
            line += separator;
            line += QString::number(value);
        }
    }
    return line;
}

std::optional<QList<MenuRecord>> MenuClipboardText::parse(QStringView text, int maxRows)
{
    QList<MenuRecord> records;
    for (QStringView line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        // Checked before the line is read: a whole book pasted onto its last
        // menus is refused without reading every line.
        if (records.size() >= maxRows)
            return std::nullopt;
        std::optional<MenuRecord> record = parseLine(line);
        if (!record)
            return std::nullopt;
        records.append(*record);
    }
    if (records.isEmpty())
        return std::nullopt;
    return records;
}

bool MenuClipboardText::splitCells(QStringView line, QChar separator, QStringList &cells)
{
    cells.clear();
    qsizetype pos = 0;
    for (;;) {
        QString cell;
        if (pos < line.size() && line[pos] == Quote) {
            for (++pos;; ++pos) {
                if (pos >= line.size())
                    return false;
                if (line[pos] != Quote) {
                    cell += line[pos];
                } else if (pos + 1 < line.size() && line[pos + 1] == Quote) {
                    cell += Quote;
                    ++pos;
                } else {
                    ++pos;
                    break;
                }
            }
            if (pos < line.size() && line[pos] != separator)
                return false;
        } else {
            const qsizetype end = line.indexOf(separator, pos);
            cell = line.mid(pos, (end < 0 ? line.size() : end) - pos).toString();
            pos = end < 0 ? line.size() : end;
        }
        cells.append(cell);
        if (pos >= line.size())
            return true;
        ++pos; // the separator
    }
}

QString MenuClipboardText::quotedCell(const QString &cell, QChar separator)
{
    if (!cell.contains(separator) && !cell.contains(Quote) && !cell.contains(u'\n') &&
        !cell.contains(u'\r'))
        return cell;
    QString quoted = cell;
    quoted.replace(QString(QChar(Quote)), QStringLiteral("\"\""));
    return QChar(Quote) + quoted + QChar(Quote);
}
