#pragma once

#include "menurecord.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <functional>

class QIODevice;

// Turns the text of a menu file into the 299 records of a book. The reader is
// forgiving by design: it never fails, it skips what it does not understand
// and zeroes stages that break the oven's timing rules. Whoever wants to know
// what happened to each line (a file checker, say) passes a finding handler and
// gets one finding per line the reader looked at, from the very same rules.
class MenuFileReader
{
public:
    static constexpr int RecordCount = 299;
    static constexpr int LastColumn = 10;
    // Far above any real row (about 60 characters); a longer line is read as
    // its first MaxLineLength characters and the rest is thrown away unkept,
    // so no input can make the reader hold more than this.
    static constexpr qsizetype MaxLineLength = 64 * 1024;

    enum class LineKind
    {
        Accepted,             // a complete row; it became record recordNumber
        SkippedWithoutMarker, // no "#0" in the line (the header lines, stray text)
        DroppedShortRow,      // ended before column 10; its number goes to the next row
        StoppedAtEmptyLine,   // reading ended here; the rest of the file is ignored
        StoppedAtRowLimit,    // a row after the 299th; reading ended here
        IgnoredAfterStop,     // a line after the stop, reported only on request
    };

    // Why a name field was refused; several can hold at once.
    enum NameFault
    {
        NameHoldsDigit = 0x01,
        NameHoldsPunctuation = 0x02, // punctuation and symbols, emoji among them
        NameHoldsOtherLetter = 0x04, // accented and non-Latin letters
        NameHoldsControl = 0x08,     // tabs and other control or spacing characters
        NameHoldsUndecodable = 0x10, // bytes that were not UTF-8
    };

    // Which limit one stage broke; several can hold at once.
    enum StageBreak
    {
        PowerOutOfRange = 0x01,
        MinutesOutOfRange = 0x02,
        SecondsOutOfRange = 0x04,
        FullPowerStageTooLong = 0x08, // power 10 for more than 15 minutes
        StageTooLong = 0x10,          // another power for more than 60 minutes
    };

    // Every limit a row's stages broke. A stage with a value out of range
    // has no meaningful time, so its time limits are not judged.
    struct RowCheck
    {
        std::array<int, 3> stageBreaks{};   // StageBreak bits per stage
        bool fullPowerTotalTooLong = false; // power-10 stages over 25 minutes together
        int fullPowerTime = 0;              // seconds at power 10 of the stages in range

        bool passed() const
        {
            return !fullPowerTotalTooLong && stageBreaks[0] == 0 && stageBreaks[1] == 0 &&
                   stageBreaks[2] == 0;
        }
    };

    // The views point into the reader's line buffer and are valid only during
    // the call to the handler; everything else may be kept.
    struct LineFinding
    {
        qint64 lineNumber = 0; // physical line, counted from 1
        LineKind kind = LineKind::Accepted;
        int recordNumber = 0;          // the number the row got or would have got
        int fieldCount = 0;            // fields in the line
        bool hasNameColumn = true;     // false: no later field begins "#0"; starts at column 1
        bool nameRejected = false;     // a non-empty name field held more than letters and spaces
        quint16 unreadableColumns = 0; // bit c set: column c (2..10) was no 32-bit number
        bool failedRowCheck = false;   // the stages broke a limit and were zeroed
        bool reservedRecord = false;   // record 100 or 200, whose stages always read as 0
        int ignoredColumns = 0;        // fields after column 10
        bool cutAtLengthBound = false; // longer than MaxLineLength; only that much was read
        QChar separator = u',';        // ';' for the whole file when its header says so
        quint16 quotedColumns = 0;     // bit c set: column c was wholly in double quotes

        int nameFaults = 0;  // NameFault bits of a rejected name
        int numberField = 0; // field holding "#0" after a name; above 1: separators split the name
        int undecodable = 0; // characters that stand for bytes that were not UTF-8
        std::array<MenuStage, 3> stagesRead{}; // the values as read, before any zeroing
        RowCheck rowCheck;                     // what the stages broke, when they did

        QStringView text;                                  // the line without its end
        std::array<QStringView, LastColumn + 1> columns{}; // trimmed field of each column
        QStringView ignoredText; // everything after column 10, its comma excluded
    };
    using FindingHandler = std::function<void(const LineFinding &)>;

    // What happens to the lines after reading stopped: skipped unseen, or
    // reported one by one as IgnoredAfterStop for whoever counts what was lost.
    enum class AfterStop
    {
        Skip,
        Report,
    };

    explicit MenuFileReader(FindingHandler handler = {}, AfterStop afterStop = AfterStop::Skip);

    // Reads from the current position of an open device to the first stop
    // condition and returns exactly RecordCount records, filled up with empty
    // ones after a short file.
    QList<MenuRecord> read(QIODevice &device) const;

    // "A-01".."A-99", "b-00".."b-99", "C-00".."C-99" for the numbers 1..299.
    static QString codeOfNumber(int number);
    // Letters A-Z, a-z and spaces only (an empty name passes).
    static bool isAcceptedName(QStringView name);
    // NameFault bits for every character isAcceptedName refuses; 0 for a good name.
    static int nameFaultsOf(QStringView name);
    // A whole decimal number with an optional sign that fits 32 bits.
    static bool readNumber(QStringView field, int &value);
    // The oven's limits on ranges and stage times, inclusive.
    static RowCheck checkRow(const std::array<MenuStage, 3> &stages);

private:
    static QString codeText(int number);

    FindingHandler handler;
    AfterStop afterStop = AfterStop::Skip;
};
