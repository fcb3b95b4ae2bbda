// The open book's editing state through whole sequences of commands: what
// each leaves "saved", what a crash right after it would offer back, and
// that an offered book, restored, saves the bytes a save before the crash
// would have written.

#include "appendmenucommand.h"
#include "bookdocument.h"
#include "clearmenucommand.h"
#include "menubook.h"
#include "replacemenucommand.h"
#include "scriptedchooser.h"

#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// One editor run in the current folder, up to the moment it owns recovery.
struct Run
{
    Run()
    {
        book.setFileChooser(&chooser);
        QObject::connect(&document, &BookDocument::recoveryFound,
                         [this](const RecoveredBook &found) { left = found; });
        document.loadStartupFile();
        document.keepRecovery(recovery);
        settle();
    }
    // Until every scheduled recovery write is on disk.
    void settle()
    {
        recovery.finish();
        QCoreApplication::processEvents();
        recovery.finish();
    }

    MenuBook book;
    ScriptedChooser chooser;
    BookDocument document{book};
    BookRecovery recovery{QDir::currentPath()};
    std::optional<RecoveredBook> left;
};

void changeRecoveryFile(const QString &path, bool cut)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    if (cut)
        bytes.chop(40);
    else
        bytes[bytes.size() - 10] = 'x';
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TstBookDocument : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sequences_data();
    void sequences();

private:
    QTemporaryDir dataHome;
};

void TstBookDocument::initTestCase()
{
    // Recovery files of this test only, never the user's.
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
}

void TstBookDocument::sequences_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<bool>("saved");
    // What a crash right after the steps offers: none, unsaved or older
    // (the book's file was saved after the menus were left).
    QTest::addColumn<QString>("offer");
    QTest::addColumn<bool>("redo");
    const auto row = [](const char *steps, bool saved, const char *offer, bool redo = false) {
        QTest::newRow(steps) << steps << saved << offer << redo;
    };
    row("edit", false, "unsaved");
    row("edit; save", true, "none");
    row("edit; undo", true, "none", true);
    row("edit; save; undo", false, "unsaved", true);
    row("edit; save; edit; undo", true, "none", true);
    row("edit; saveas other.hex", true, "none");
    row("edit; saveas", false, "unsaved");
    // The medium took the bytes but gives back others: unsaved, though the
    // next start loads what the menus hold and so has nothing to offer.
    row("edit; savefail", false, "none");
    row("edit; saveas other.hex; edit; savefail", false, "none");
    row("edit; open", true, "none");
    row("edit; open; undo", true, "none");
    row("edit; new", true, "none");
    row("new; add; add", false, "unsaved");
    row("new; add; save; add", false, "unsaved");
    row("edit; crash", false, "unsaved");
    row("edit; crash; open", true, "none");
    row("edit; crash; new", true, "none");
    row("edit; crash; save", true, "none");
    row("edit; decline", true, "none");
    row("edit; cut", true, "none");
    row("edit; alter", true, "none");
    row("edit; saved elsewhere", false, "older");
    row("edit; saved elsewhere; crash", false, "older");
    row("edit; undo; clear empty", true, "none", true);
    row("edit; undo; same", true, "none", true);
}

void TstBookDocument::sequences()
{
    QFETCH(QString, steps);
    QFETCH(bool, saved);
    QFETCH(QString, offer);
    QFETCH(bool, redo);
    QTemporaryDir folder;
    const QString start = QDir::currentPath();
    QDir::setCurrent(folder.path());
    const auto back = qScopeGuard([&] { QDir::setCurrent(start); });
    {
        MenuBook other;
        QVERIFY(other.loadStartupFile());
        other.menus[3].name = QStringLiteral("Bread");
        QCOMPARE(other.saveFile(), FileCommandResult::Done);
        QVERIFY(QFile::rename(QStringLiteral("menufile.hex"), QStringLiteral("book.hex")));
    }

    auto run = std::make_unique<Run>();
    const QStringList names{QStringLiteral("Rice"), QStringLiteral("Soup"), QStringLiteral("Tea")};
    int edits = 0;
    // Ends this run without a normal close, starts the next, and answers
    // what it offers.
    const auto crash = [&](const char *change, bool restore) {
        run->settle();
        const QString recoveryPath = run->recovery.filePath();
        run.reset();
        if (qstrcmp(change, "cut") == 0 || qstrcmp(change, "alter") == 0)
            changeRecoveryFile(recoveryPath, qstrcmp(change, "cut") == 0);
        run = std::make_unique<Run>();
        // Unanswered, the offer keeps its file whatever the new run does.
        run->settle();
        QVERIFY(!run->left || QFile::exists(run->recovery.filePath()));
        if (run->left && restore)
            run->document.restore(*run->left);
        else if (run->left)
            run->document.declineRecovery();
        run->settle();
    };
    for (const QString &step : steps.split(QStringLiteral("; "))) {
        BookDocument &document = run->document;
        MenuBook &book = run->book;
        if (step == QLatin1String("edit")) {
            MenuRecord record = book.menus.at(0);
            record.name = names.at(edits++ % names.size());
            QVERIFY(document.push(new ReplaceMenuCommand(book, record)));
        } else if (step == QLatin1String("same")) {
            QVERIFY(!document.push(new ReplaceMenuCommand(book, book.menus.at(0))));
        } else if (step == QLatin1String("clear empty")) {
            QVERIFY(!document.push(new ClearMenuCommand(book, 20)));
        } else if (step == QLatin1String("add")) {
            MenuRecord record;
            record.code = QStringLiteral("A-0%1").arg(book.menus.size() + 1);
            record.name = names.at(edits++ % names.size());
            record.stages[0] = MenuStage{10, 1, 30};
            QVERIFY(document.push(new AppendMenuCommand(book, record)));
        } else if (step == QLatin1String("undo")) {
            document.history().undo();
        } else if (step == QLatin1String("save")) {
            QCOMPARE(document.save(), FileCommandResult::Done);
        } else if (step == QLatin1String("savefail")) {
            MenuFileWriter failing;
            failing.setReadBack([](const QString &) { return QByteArray(); });
            book.setFileWriter(failing);
            QCOMPARE(document.save(), FileCommandResult::Failed);
            book.setFileWriter(MenuFileWriter());
        } else if (step.startsWith(QLatin1String("saveas"))) {
            run->chooser.answers = QStringList{step.mid(7)}.filter(QStringLiteral("."));
            document.saveAs();
        } else if (step == QLatin1String("open")) {
            run->chooser.answers = QStringList{QStringLiteral("book.hex")};
            QCOMPARE(document.open(), FileCommandResult::Done);
        } else if (step == QLatin1String("new")) {
            run->chooser.answers = QStringList{QStringLiteral("new.hex")};
            QCOMPARE(document.create(), FileCommandResult::Done);
        } else if (step == QLatin1String("saved elsewhere")) {
            // Another editor saves the same book meanwhile.
            QFile::remove(QStringLiteral("menufile.hex"));
            QVERIFY(QFile::copy(QStringLiteral("book.hex"), QStringLiteral("menufile.hex")));
        } else {
            crash(qPrintable(step), step == QLatin1String("crash"));
        }
    }
    QCOMPARE(run->document.isSaved(), saved);
    QCOMPARE(run->document.history().canRedo(), redo);

    const QByteArray bytes = MenuBook::fileBytes(run->book.menuFileText());
    run->settle();
    run.reset();
    run = std::make_unique<Run>();
    QString offered = QStringLiteral("none");
    if (run->left)
        offered = BookDocument::savedSince(*run->left) ? QStringLiteral("older")
                                                       : QStringLiteral("unsaved");
    QCOMPARE(offered, offer);
    if (run->left) {
        run->document.restore(*run->left);
        QCOMPARE(MenuBook::fileBytes(run->book.menuFileText()), bytes);
        QVERIFY(!run->document.isSaved());
    }
}

QTEST_GUILESS_MAIN(TstBookDocument)

#include "tst_bookdocument.moc"
