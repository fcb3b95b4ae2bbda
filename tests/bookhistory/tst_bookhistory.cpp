// Changes to the book undone and redone in any order: every undo gives back
// the book exactly as it was before the change, every redo as after it.

#include "appendmenucommand.h"
#include "clearmenucommand.h"
#include "menubook.h"
#include "replacemenucommand.h"

#include <QBuffer>
#include <QTest>
#include <QUndoStack>

namespace {

// Menu index of a code as the oven labels it: A-01 is 0, b-01 99, C-01 198.
int menuOfCode(const QString &code)
{
    const int number = code.mid(2).toInt();
    const QChar group = code.at(0);
    return group == QLatin1Char('A')   ? number - 1
           : group == QLatin1Char('b') ? 98 + number
                                       : 197 + number;
}

// The records that are not empty, as "code=name/power.minutes.seconds"
// for the first stage, after the record count.
QString summary(const MenuBook &book)
{
    QStringList parts{QString::number(book.menus.size())};
    for (const MenuRecord &record : book.menus) {
        if (record.name.isEmpty() && record.stages == std::array<MenuStage, 3>{})
            continue;
        const MenuStage &first = record.stages[0];
        parts << QStringLiteral("%1=%2/%3.%4.%5")
                     .arg(record.code, record.name)
                     .arg(first.power)
                     .arg(first.minutes)
                     .arg(first.seconds);
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

class TstBookHistory : public QObject
{
    Q_OBJECT

private slots:
    void undoAndRedo_data();
    void undoAndRedo();
};

void TstBookHistory::undoAndRedo_data()
{
    // Steps, split at "; ": "edit CODE NAME POWER MINUTES SECONDS", "clear CODE",
    // "append NAME", "undo", "redo"; after each, the book as summary() gives it.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("books");

    QTest::newRow("edit twice")
        << "edit A-05 Soup 10 2 30; edit A-05 Rice 5 10 0; undo; undo; redo; redo"
        << "299 A-05=Soup/10.2.30; 299 A-05=Rice/5.10.0; 299 A-05=Soup/10.2.30; 299; "
           "299 A-05=Soup/10.2.30; 299 A-05=Rice/5.10.0";
    QTest::newRow("clear gives back name and stages")
        << "edit C-10 Soup 7 3 20; clear C-10; undo; redo; undo; undo"
        << "299 C-10=Soup/7.3.20; 299; 299 C-10=Soup/7.3.20; 299; 299 C-10=Soup/7.3.20; 299";
    QTest::newRow("either side of the reserved records")
        << "edit A-99 Tea 1 1 1; edit C-01 Jam 3 3 3; edit b-01 Pie 2 2 2; clear C-01; undo; "
           "undo; undo"
        << "299 A-99=Tea/1.1.1; 299 A-99=Tea/1.1.1 C-01=Jam/3.3.3; "
           "299 A-99=Tea/1.1.1 b-01=Pie/2.2.2 C-01=Jam/3.3.3; 299 A-99=Tea/1.1.1 b-01=Pie/2.2.2; "
           "299 A-99=Tea/1.1.1 b-01=Pie/2.2.2 C-01=Jam/3.3.3; 299 A-99=Tea/1.1.1 C-01=Jam/3.3.3; "
           "299 A-99=Tea/1.1.1";
    QTest::newRow("an unchanged apply and a clear of an empty menu are no steps")
        << "edit A-05 Soup 10 2 30; edit A-05 Soup 10 2 30; clear A-06; undo"
        << "299 A-05=Soup/10.2.30; 299 A-05=Soup/10.2.30; 299 A-05=Soup/10.2.30; 299";
    QTest::newRow("undone append removes the record")
        << "append Fish; undo; redo; undo"
        << "300 #0300=Fish/0.0.0; 299; 300 #0300=Fish/0.0.0; 299";
}

void TstBookHistory::undoAndRedo()
{
    QFETCH(QString, steps);
    QFETCH(QString, books);
    const QStringList stepList = steps.split(QStringLiteral("; "));
    const QStringList bookList = books.split(QStringLiteral("; "));
    QCOMPARE(bookList.size(), stepList.size());
    MenuBook book;
    QByteArray defaultText = MenuBook::fileBytes(MenuBook::defaultText());
    QBuffer file(&defaultText);
    QVERIFY(file.open(QIODevice::ReadOnly));
    book.readMenuFile(file);
    QUndoStack history;

    for (int step = 0; step < stepList.size(); ++step) {
        const QStringList words = stepList[step].split(QLatin1Char(' '));
        const QString &verb = words[0];
        if (verb == QLatin1String("undo")) {
            history.undo();
        } else if (verb == QLatin1String("redo")) {
            history.redo();
        } else if (verb == QLatin1String("clear")) {
            history.push(new ClearMenuCommand(book, menuOfCode(words[1])));
        } else if (verb == QLatin1String("append")) {
            MenuRecord record;
            record.code = QStringLiteral("#0300");
            record.name = words[1];
            history.push(new AppendMenuCommand(book, record));
        } else {
            // As the edit dialog hands it over: a copy of the record.
            MenuRecord record = book.menus[MenuBook::positionOfMenu(menuOfCode(words[1]))];
            record.name = words[2];
            record.stages[0] = {words[3].toInt(), words[4].toInt(), words[5].toInt()};
            history.push(new ReplaceMenuCommand(book, record));
        }
        QVERIFY2(summary(book) == bookList[step],
                 qPrintable(QStringLiteral("after \"%1\": %2").arg(stepList[step], summary(book))));
    }
}

QTEST_GUILESS_MAIN(TstBookHistory)

#include "tst_bookhistory.moc"
