#include "bookchecker.h"

#include "menubook.h"

#include <QIODevice>
#include <QJsonArray>

#include <algorithm>

namespace {

using LineKind = MenuFileReader::LineKind;

constexpr qsizetype ExcerptLength = 40;
const char *const FieldNames[] = {"power", "minutes", "seconds"};
const char *const ZeroedNote = "; all nine stage values read as 0";
const char *const SaveFromEditor = "an oven may not read this file; save it from the editor";

QString quoted(QStringView text)
{
    if (text.size() <= ExcerptLength)
        return u'"' + text.toString() + u'"';
    return u'"' + text.left(ExcerptLength).toString() + QStringLiteral("...\"");
}

QString duration(int seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString stageText(const MenuStage &stage)
{
    return QStringLiteral("P%1 %2:%3")
        .arg(stage.power, 2, 10, QLatin1Char('0'))
        .arg(stage.minutes)
        .arg(stage.seconds, 2, 10, QLatin1Char('0'));
}

int valueOf(const MenuStage &stage, int field)
{
    return field == 0 ? stage.power : field == 1 ? stage.minutes : stage.seconds;
}

// The reasons a name was refused, in words and as words for scripts.
QPair<QString, QJsonArray> nameReasons(int faults)
{
    static const QList<std::tuple<int, const char *, const char *>> reasons = {
        {MenuFileReader::NameHoldsDigit, "a digit", "digit"},
        {MenuFileReader::NameHoldsPunctuation, "punctuation", "punctuation"},
        {MenuFileReader::NameHoldsOtherLetter, "a letter other than A-Z and a-z", "other-letter"},
        {MenuFileReader::NameHoldsControl, "a tab or control character", "control"},
        {MenuFileReader::NameHoldsUndecodable, "bytes that are not UTF-8", "not-utf8"}};
    QStringList words;
    QJsonArray keys;
    for (const auto &[fault, words_, key] : reasons) {
        if (faults & fault) {
            words.append(QString::fromLatin1(words_));
            keys.append(QString::fromLatin1(key));
        }
    }
    QString text = words.join(QStringLiteral(", "));
    const qsizetype lastComma = text.lastIndexOf(QStringLiteral(", "));
    if (lastComma >= 0)
        text.replace(lastComma, 2, QStringLiteral(" and "));
    return {text, keys};
}

bool isBlank(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace() || c == u','; });
}

} // namespace

BookChecker::BookChecker()
{
    headerLines = MenuBook::headerText().split(u'\n');
}

QList<CheckFinding> BookChecker::check(QIODevice &device)
{
    findings.clear();
    semicolons = false;
    quotedRows = 0;
    firstQuotedLine = 0;
    stopKind = LineKind::Accepted;
    stopLine = 0;
    rowsAfterStop = 0;
    MenuFileReader([this](const MenuFileReader::LineFinding &line) { lineRead(line); },
                   MenuFileReader::AfterStop::Report)
        .read(device);

    if (stopKind == LineKind::StoppedAtRowLimit) {
        add(stopLine, QString(), QStringLiteral("rows-after-299"),
            QStringLiteral("the book is full after 299 rows: this row and %1 more are ignored")
                .arg(rowsAfterStop),
            {{QStringLiteral("count"), rowsAfterStop + 1}});
    } else if (stopKind == LineKind::StoppedAtEmptyLine && rowsAfterStop > 0) {
        add(stopLine, QString(), QStringLiteral("stopped-at-empty-line"),
            QStringLiteral("reading stops at this empty line: %1 row(s) after it are ignored")
                .arg(rowsAfterStop),
            {{QStringLiteral("count"), rowsAfterStop}});
    }
    // Both are read whole, but an oven's own reader expects the editor's bytes.
    if (semicolons) {
        add(1, QString(), QStringLiteral("semicolons"),
            QStringLiteral("the cells are separated by semicolons, as a spreadsheet saves them: "
                           "the editor reads them, but %1")
                .arg(QLatin1String(SaveFromEditor)),
            {{QStringLiteral("separator"), QStringLiteral(";")}});
    }
    if (quotedRows > 0) {
        add(firstQuotedLine, QString(), QStringLiteral("quoted-cells"),
            QStringLiteral("%1 row(s) from here on hold cells in double quotes, as a spreadsheet "
                           "saves them: the editor reads what is inside, but %2")
                .arg(quotedRows)
                .arg(QLatin1String(SaveFromEditor)),
            {{QStringLiteral("rows"), quotedRows}});
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const CheckFinding &a, const CheckFinding &b) { return a.line < b.line; });
    return findings;
}

void BookChecker::lineRead(const MenuFileReader::LineFinding &line)
{
    const QString code =
        line.recordNumber > 0 ? MenuFileReader::codeOfNumber(line.recordNumber) : QString();
    switch (line.kind) {
    case LineKind::Accepted:
        rowRead(line, code);
        break;
    case LineKind::SkippedWithoutMarker:
        lineSkipped(line);
        break;
    case LineKind::DroppedShortRow:
        add(line.lineNumber, code, QStringLiteral("row-dropped"),
            QStringLiteral("row dropped: it ends before the ninth stage value; the next row "
                           "takes its code"),
            {{QStringLiteral("fields"), line.fieldCount}});
        break;
    case LineKind::StoppedAtEmptyLine:
    case LineKind::StoppedAtRowLimit:
        stopKind = line.kind;
        stopLine = line.lineNumber;
        break;
    case LineKind::IgnoredAfterStop:
        if (line.text.contains(u"#0"))
            ++rowsAfterStop;
        break;
    }

    if (line.kind == LineKind::IgnoredAfterStop)
        return;
    semicolons = semicolons || line.separator == u';';
    if (line.quotedColumns != 0 && line.recordNumber > 0 && quotedRows++ == 0)
        firstQuotedLine = line.lineNumber;
    if (line.cutAtLengthBound) {
        add(line.lineNumber, code, QStringLiteral("line-too-long"),
            QStringLiteral("the line is longer than %1 characters: only its first %1 are read, "
                           "the rest of the line is ignored")
                .arg(MenuFileReader::MaxLineLength),
            {{QStringLiteral("limit"), qint64(MenuFileReader::MaxLineLength)}});
    }
    // Old spreadsheet exports end lines in CR alone; the file format ends a
    // line at LF only, so all such "lines" read as one.
    if (const qsizetype carriageReturns = line.text.count(u'\r')) {
        add(line.lineNumber, code, QStringLiteral("cr-line-ends"),
            QStringLiteral("%1 CR without LF in this line: the editor ends lines at LF only, "
                           "so lines that end in CR alone read as this one line")
                .arg(carriageReturns),
            {{QStringLiteral("count"), qint64(carriageReturns)}});
    }

    // Bytes outside the name are not explained by any other finding.
    const qsizetype inName = line.columns[0].count(QChar::ReplacementCharacter);
    if (line.undecodable > inName) {
        add(line.lineNumber, code, QStringLiteral("not-utf8"),
            QStringLiteral("the line holds bytes that are not UTF-8"),
            {{QStringLiteral("count"), line.undecodable}});
    }
}

void BookChecker::rowRead(const MenuFileReader::LineFinding &line, const QString &code)
{
    nameRead(line, code);
    valuesRead(line, code);
    if (line.failedRowCheck)
        stagesBroken(line, code);
    if (line.reservedRecord && line.stagesRead != std::array<MenuStage, 3>{}) {
        QStringList stages;
        for (const MenuStage &stage : line.stagesRead)
            stages.append(stageText(stage));
        add(line.lineNumber, code, QStringLiteral("reserved-row-stages"),
            QStringLiteral("reserved row %1 has stages (%2); they always read as 0")
                .arg(code, stages.join(QStringLiteral(", "))));
    }
    // A comma in the name already explains the shifted and surplus columns.
    if (line.numberField <= 1 && !line.ignoredText.isNull() && !isBlank(line.ignoredText)) {
        add(line.lineNumber, code, QStringLiteral("columns-ignored"),
            QStringLiteral("text after the ninth stage value is ignored: %1")
                .arg(quoted(line.ignoredText)),
            {{QStringLiteral("text"), line.ignoredText.toString()}});
    }
}

void BookChecker::nameRead(const MenuFileReader::LineFinding &line, const QString &code)
{
    if (!line.hasNameColumn)
        return;
    const QStringView name = line.columns[0];
    if (line.numberField > 1) {
        const QString marker = line.separator + QStringLiteral("#0");
        const QStringView whole = line.text.left(line.text.indexOf(marker)).trimmed();
        add(line.lineNumber, code, QStringLiteral("name-comma"),
            QStringLiteral("name %1 holds a comma: the name ends there and every later column "
                           "shifts by %2")
                .arg(quoted(whole))
                .arg(line.numberField - 1),
            {{QStringLiteral("name"), whole.toString()}});
    }
    if (line.nameRejected) {
        const auto [reason, keys] = nameReasons(line.nameFaults);
        add(line.lineNumber, code, QStringLiteral("name-emptied"),
            QStringLiteral("name %1 reads as empty: it holds %2").arg(quoted(name), reason),
            {{QStringLiteral("name"), name.toString()}, {QStringLiteral("reasons"), keys}});
    } else if (name.size() > NameFieldLength) {
        add(line.lineNumber, code, QStringLiteral("name-too-long"),
            QStringLiteral("name %1 has %2 characters; a name typed in the edit dialog "
                           "holds at most %3 (this one is kept whole)")
                .arg(quoted(name))
                .arg(name.size())
                .arg(NameFieldLength),
            {{QStringLiteral("name"), name.toString()},
             {QStringLiteral("length"), int(name.size())}});
    }
}

void BookChecker::valuesRead(const MenuFileReader::LineFinding &line, const QString &code)
{
    for (int column = 2; column <= MenuFileReader::LastColumn; ++column) {
        const QStringView text = line.columns[std::size_t(column)];
        // An empty cell means 0 to whoever left it empty; nothing is lost.
        if (!(line.unreadableColumns & (1u << column)) || text.isEmpty())
            continue;
        const int stage = (column - 2) / 3 + 1;
        const QString field = QString::fromLatin1(FieldNames[(column - 2) % 3]);
        add(line.lineNumber, code, QStringLiteral("value-unreadable"),
            QStringLiteral("stage %1 %2 %3 is no whole number of 32 bits; it reads as 0")
                .arg(stage)
                .arg(field, quoted(text)),
            {{QStringLiteral("stage"), stage},
             {QStringLiteral("field"), field},
             {QStringLiteral("text"), text.toString()}});
    }
}

void BookChecker::stagesBroken(const MenuFileReader::LineFinding &line, const QString &code)
{
    static const int Ranges[][2] = {{0, 10}, {0, 60}, {0, 99}};
    const MenuFileReader::RowCheck &check = line.rowCheck;
    for (int s = 0; s < 3; ++s) {
        const MenuStage &stage = line.stagesRead[std::size_t(s)];
        const int breaks = check.stageBreaks[std::size_t(s)];
        for (int field = 0; field < 3; ++field) {
            if (!(breaks & (MenuFileReader::PowerOutOfRange << field)))
                continue;
            const int value = valueOf(stage, field);
            add(line.lineNumber, code, QStringLiteral("value-out-of-range"),
                QStringLiteral("stage %1 %2 %3 is outside %4-%5")
                        .arg(s + 1)
                        .arg(QString::fromLatin1(FieldNames[field]))
                        .arg(value)
                        .arg(Ranges[field][0])
                        .arg(Ranges[field][1]) +
                    QString::fromLatin1(ZeroedNote),
                {{QStringLiteral("stage"), s + 1},
                 {QStringLiteral("field"), QString::fromLatin1(FieldNames[field])},
                 {QStringLiteral("value"), value}});
        }
        const bool fullPower = breaks & MenuFileReader::FullPowerStageTooLong;
        if (fullPower || (breaks & MenuFileReader::StageTooLong)) {
            const int limit =
                fullPower ? OvenLimits::FullPowerStageSeconds : OvenLimits::StageSeconds;
            add(line.lineNumber, code,
                fullPower ? QStringLiteral("p10-stage-over-15min")
                          : QStringLiteral("stage-over-60min"),
                QStringLiteral("stage %1 at P%2 runs %3, over %4")
                        .arg(s + 1)
                        .arg(stage.power, 2, 10, QLatin1Char('0'))
                        .arg(duration(stage.stageTime()), duration(limit)) +
                    QString::fromLatin1(ZeroedNote),
                {{QStringLiteral("stage"), s + 1},
                 {QStringLiteral("seconds"), stage.stageTime()},
                 {QStringLiteral("limit"), limit}});
        }
    }
    if (check.fullPowerTotalTooLong) {
        add(line.lineNumber, code, QStringLiteral("p10-menu-over-25min"),
            QStringLiteral("the P10 stages run %1 together, over 25:00")
                    .arg(duration(check.fullPowerTime)) +
                QString::fromLatin1(ZeroedNote),
            {{QStringLiteral("seconds"), check.fullPowerTime},
             {QStringLiteral("limit"), OvenLimits::FullPowerMenuSeconds}});
    }
}

void BookChecker::lineSkipped(const MenuFileReader::LineFinding &line)
{
    // The editor's own header is skipped by design, also as a spreadsheet
    // saves it: semicolons, the first title in quotes, the empty cell after
    // the last title dropped.
    const qint64 index = line.lineNumber - 1;
    if (line.kind == LineKind::SkippedWithoutMarker && index < headerLines.size() - 1) {
        QString text = line.text.toString();
        text.replace(line.separator, u',');
        if (index == 0 && text.startsWith(QLatin1String("\"MenuName\"")))
            text.remove(9, 1).remove(0, 1);
        const QString &expected = headerLines[index];
        if (text == expected || (index == headerLines.size() - 2 && text + u',' == expected))
            return;
    }
    add(line.lineNumber, QString(), QStringLiteral("line-skipped"),
        QStringLiteral("line skipped: no row number (#0...) in %1").arg(quoted(line.text)),
        {{QStringLiteral("reason"), QStringLiteral("no-row-number")},
         {QStringLiteral("text"), line.text.toString()}});
}

void BookChecker::add(qint64 line, const QString &code, const QString &kind, const QString &message,
                      const QJsonObject &details)
{
    findings.append({line, code, kind, message, details});
}
