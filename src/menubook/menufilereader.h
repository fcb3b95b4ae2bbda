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
    // Far above any real row (about 60 characters); a longer line is skipped
    // without being kept, so no input can make the reader hold more than this.
    static constexpr qsizetype MaxLineLength = 64 * 1024;

    enum class LineKind
    {
        Accepted,             // a complete row; it became record recordNumber
        SkippedWithoutMarker, // no "#0" in the line (the header lines, stray text)
        SkippedTooLong,       // longer than MaxLineLength characters
        DroppedShortRow,      // ended before column 10; its number goes to the next row
        StoppedAtEmptyLine,   // reading ended here; the rest of the file is ignored
        StoppedAtRowLimit,    // a row after the 299th; reading ended here
    };

    struct LineFinding
    {
        qint64 lineNumber = 0; // physical line, counted from 1
        LineKind kind = LineKind::Accepted;
        int recordNumber = 0;          // the number the row got or would have got
        int fieldCount = 0;            // comma-separated fields in the line
        bool hasNameColumn = true;     // false: the line had no ",#0" and starts at column 1
        bool nameRejected = false;     // a non-empty name field held more than letters and spaces
        quint16 unreadableColumns = 0; // bit c set: column c (2..10) was no 32-bit number
        bool failedRowCheck = false;   // the stages broke a limit and were zeroed
        bool reservedRecord = false;   // record 100 or 200, whose stages always read as 0
        int ignoredColumns = 0;        // fields after column 10
    };
    using FindingHandler = std::function<void(const LineFinding &)>;

    explicit MenuFileReader(FindingHandler handler = {});

    // Reads from the current position of an open device to the first stop
    // condition and returns exactly RecordCount records, filled up with empty
    // ones after a short file.
    QList<MenuRecord> read(QIODevice &device) const;

    // "A-01".."A-99", "b-00".."b-99", "C-00".."C-99" for the numbers 1..299.
    static QString codeOfNumber(int number);
    // Letters A-Z, a-z and spaces only (an empty name passes).
    static bool isAcceptedName(QStringView name);
    // A whole decimal number with an optional sign that fits 32 bits.
    static bool readNumber(QStringView field, int &value);
    // The oven's limits on ranges and stage times, inclusive.
    static bool passesRowCheck(const std::array<MenuStage, 3> &stages);

private:
    static QString codeText(int number);

    FindingHandler handler;
};
