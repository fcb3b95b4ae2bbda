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

bool isRowNumber(const QString &cell)
{
    if (cell.size() != 5 || cell.front() != u'#')
        return false;
    for (qsizetype i = 1; i < cell.size(); ++i) {
        if (!cell.at(i).isDigit())
            return false;
    }
    return true;
}

// The window writes powers as "P10"; a sheet may hold either form.
bool readPower(QString cell, int &value)
{
    if (cell.startsWith(u'P', Qt::CaseInsensitive))
        cell.remove(0, 1);
    return MenuFileReader::readNumber(cell, value);
}

PasteFault stageFault(const std::array<MenuStage, 3> &stages)
{
    const MenuFileReader::RowCheck check = MenuFileReader::checkRow(stages);
    for (int breaks : check.stageBreaks) {
        if (breaks & MenuFileReader::PowerOutOfRange)
            return PasteFault::PowerValue;
        if (breaks & MenuFileReader::MinutesOutOfRange)
            return PasteFault::MinutesValue;
        if (breaks & MenuFileReader::SecondsOutOfRange)
            return PasteFault::SecondsValue;
    }
    // In the order the edit dialog names them.
    if (check.fullPowerTotalTooLong)
        return PasteFault::P10MenuOver25Min;
    for (int breaks : check.stageBreaks) {
        if (breaks & MenuFileReader::FullPowerStageTooLong)
            return PasteFault::P10StageOver15Min;
    }
    for (int breaks : check.stageBreaks) {
        if (breaks & MenuFileReader::StageTooLong)
            return PasteFault::StageOver60Min;
    }
    return PasteFault::None;
}

// One pasted line: name (or none, as the reader takes a line that starts
// with its number) and nine whole numbers within the oven's limits.
PasteFault parseLine(QStringView line, MenuRecord &record)
{
    const QChar separator = line.contains(u'\t') ? QChar(u'\t') : QChar(u',');
    QStringList cells;
    if (!MenuClipboardText::splitCells(line, separator, cells))
        return PasteFault::QuoteOpen;
    for (QString &cell : cells)
        cell = cell.trimmed();
    if (cells.size() == StageValueCount + 2) {
        // Without its number the line would be read one cell off: the
        // first stage value taken for the number, every value shifted.
        if (!isRowNumber(cells.at(1)))
            return PasteFault::CodeCell;
        cells.removeAt(1);
    } else if (cells.size() == StageValueCount + 1 && cells.front().startsWith(u"#0")) {
        cells.front().clear();
    } else if (cells.size() != StageValueCount + 1) {
        return PasteFault::CellCount;
    }

    record.name = cells.front();
    if (!MenuFileReader::isAcceptedName(record.name))
        return PasteFault::NameLetters;
    if (record.name.size() > MenuClipboardText::NameLength)
        return PasteFault::NameLength;
    const PasteFault valueFaults[] = {PasteFault::PowerValue, PasteFault::MinutesValue,
                                      PasteFault::SecondsValue};
    for (int value = 0; value < StageValueCount; ++value) {
        const QString &cell = cells.at(value + 1);
        int &target = stageValue(record.stages, value);
        if (!(value % 3 == 0 ? readPower(cell, target) : MenuFileReader::readNumber(cell, target)))
            return valueFaults[value % 3];
    }
    return stageFault(record.stages);
}

// The rows of the text. A line break inside a quoted cell belongs to the
// cell, as a spreadsheet puts a multi-line cell (the file's own column
// titles) on the clipboard.
QList<QStringView> splitRows(QStringView text)
{
    QList<QStringView> rows;
    qsizetype rowStart = 0;
    bool cellStart = true;
    for (qsizetype pos = 0; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (cellStart && c == Quote) {
            for (++pos; pos < text.size(); ++pos) {
                if (text[pos] != Quote)
                    continue;
                if (pos + 1 < text.size() && text[pos + 1] == Quote)
                    ++pos;
                else
                    break;
            }
            cellStart = false;
            continue;
        }
        cellStart = c == u'\t' || c == u',' || c == u'\n';
        if (c == u'\n') {
            rows.append(text.mid(rowStart, pos - rowStart));
            rowStart = pos + 1;
        }
    }
    if (rowStart < text.size())
        rows.append(text.mid(rowStart));
    return rows;
}

bool isTitleRow(QStringView row)
{
    row = row.trimmed();
    if (row.startsWith(Quote))
        row = row.mid(1);
    return row.startsWith(u"MenuName");
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

PastedMenus MenuClipboardText::parse(QStringView text, int maxRows)
{
    PastedMenus pasted;
    const auto refuse = [&pasted](PasteFault fault, int line) {
        pasted.records.clear();
        pasted.fault = fault;
        pasted.line = line;
        return pasted;
    };
    const QList<QStringView> rows = splitRows(text);
    bool firstRow = true;
    for (int index = 0; index < rows.size(); ++index) {
        QStringView line = rows.at(index);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const bool titles = firstRow && isTitleRow(line);
        firstRow = false;
        if (titles)
            continue;
        // Checked before the line is read: a whole book pasted onto its last
        // menus is refused without reading every line.
        if (pasted.records.size() >= maxRows)
            return refuse(PasteFault::PastLastMenu, index + 1);
        MenuRecord record;
        const PasteFault fault = parseLine(line, record);
        if (fault != PasteFault::None)
            return refuse(fault, index + 1);
        pasted.records.append(record);
    }
    if (pasted.records.isEmpty())
        return refuse(PasteFault::Nothing, 0);
    return pasted;
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
