#pragma once

#include "checkfinding.h"
#include "menufilereader.h"

#include <QList>
#include <QStringList>

class QIODevice;

// Reads a menu file with the editor's own reader and turns what the reader
// did to each line into findings: names emptied, stages zeroed, rows dropped
// or never reached, lines skipped. Nothing here decides what the editor
// holds; it only explains it.
class BookChecker
{
public:
    // Longest name the edit dialog's name field holds.
    static constexpr int NameFieldLength = 16;

    BookChecker();

    // Every finding of the device's content, in line order.
    QList<CheckFinding> check(QIODevice &device);

private:
    void lineRead(const MenuFileReader::LineFinding &line);
    void rowRead(const MenuFileReader::LineFinding &line, const QString &code);
    void nameRead(const MenuFileReader::LineFinding &line, const QString &code);
    void valuesRead(const MenuFileReader::LineFinding &line, const QString &code);
    void stagesBroken(const MenuFileReader::LineFinding &line, const QString &code);
    void lineSkipped(const MenuFileReader::LineFinding &line);
    void add(qint64 line, const QString &code, const QString &kind, const QString &message,
             const QJsonObject &details = {});

    QStringList headerLines;
    QList<CheckFinding> findings;
    // What a spreadsheet did to the file: semicolons, rows with quoted cells.
    bool semicolons = false;
    int quotedRows = 0;
    qint64 firstQuotedLine = 0;
    // Where and why reading stopped, and how many rows the stop cost.
    MenuFileReader::LineKind stopKind = MenuFileReader::LineKind::Accepted;
    qint64 stopLine = 0;
    int rowsAfterStop = 0;
};
