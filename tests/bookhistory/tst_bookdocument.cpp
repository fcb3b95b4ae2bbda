// Commands in sequence: what each leaves saved, what a crash right after
// offers back, and that a restored book saves the bytes it would have.

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

namespace {

// One editor run in the current folder, once it owns recovery.
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
    void settle() // until every scheduled write is on disk
    {
        for (int pass = 0; pass < 2; ++pass) {
            recovery.finish();
            QCoreApplication::processEvents();
        }
    }
    MenuBook book;
    ScriptedChooser chooser;
    BookDocument document{book};
    BookRecovery recovery{QDir::currentPath()};
    std::optional<RecoveredBook> left;
};

} // namespace

class TstBookDocument : public QObject
{
    Q_OBJECT

private slots:
    void sequences_data();
    void sequences();
};

void TstBookDocument::sequences_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("offer"); // after a crash: none, unsaved, older
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
    // next start loads what the menus hold.
    row("edit; savefail", false, "none");
    row("edit; open", true, "none");
    row("edit; open; undo", true, "none");
    row("edit; new", true, "none");
    row("new; add; add", false, "unsaved");
    row("new; add; save; add", false, "unsaved");
    row("edit; crash", false, "unsaved");
    row("edit; pending", false, "unsaved");
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
    QTemporaryDir folder, dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    const QString start = QDir::currentPath();
    QDir::setCurrent(folder.path());
    const auto back = qScopeGuard([&] { QDir::setCurrent(start); });
    {
        MenuBook other; // another book, for Open and for a save elsewhere
        QVERIFY(other.loadStartupFile());
        other.menus[3].name = QStringLiteral("Bread");
        QCOMPARE(other.saveFile(), FileCommandResult::Done);
        QVERIFY(QFile::rename(QStringLiteral("menufile.hex"), QStringLiteral("book.hex")));
    }
    auto run = std::make_unique<Run>();
    int edits = 0;
    const auto name = [&edits] {
        return QStringList{"Rice", "Soup", "Tea"}.at(edits++ % 3);
    };
    // Ends the run without a normal close (its recovery file cut short or
    // altered, if asked) and answers what the next one offers.
    const auto crash = [&run](const QString &how) {
        run->settle();
        QFile file(run->recovery.filePath());
        run.reset();
        if (how == QLatin1String("cut") || how == QLatin1String("alter")) {
            QVERIFY(file.open(QIODevice::ReadWrite));
            QByteArray bytes = file.readAll();
            how == QLatin1String("cut") ? bytes.chop(40) : void(bytes[bytes.size() - 10] = 'x');
            file.resize(0);
            file.write(bytes);
            file.close();
        }
        run = std::make_unique<Run>();
        run->settle(); // unanswered, the offer keeps its file, edits or not
        QVERIFY(!run->left || QFile::exists(run->recovery.filePath()));
        if (how == QLatin1String("pending")) {
            const QByteArray before = (file.open(QIODevice::ReadOnly), file.readAll());
            file.close();
            MenuRecord record = run->book.menus.at(1);
            record.name = QStringLiteral("Fig");
            QVERIFY(run->document.push(new ReplaceMenuCommand(run->book, record)));
            run->settle();
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), before);
        }
        if (run->left && how != QLatin1String("decline"))
            run->document.restore(*run->left);
        else if (run->left)
            run->document.declineRecovery();
        run->settle();
    };
    for (const QString &step : steps.split(QStringLiteral("; "))) {
        BookDocument &document = run->document;
        MenuBook &book = run->book;
        MenuRecord record = book.menus.value(0);
        if (step == QLatin1String("edit") || step == QLatin1String("same")) {
            record.name = step == QLatin1String("edit") ? name() : record.name;
            QCOMPARE(document.push(new ReplaceMenuCommand(book, record)), step == "edit");
        } else if (step == QLatin1String("clear empty")) {
            QVERIFY(!document.push(new ClearMenuCommand(book, 20)));
        } else if (step == QLatin1String("add")) {
            record = {0, QStringLiteral("A-0%1").arg(book.menus.size() + 1), name(), {}};
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
        } else if (step.startsWith(QLatin1String("saveas"))) {
            run->chooser.answers = QStringList{step.mid(7)}.filter(QStringLiteral("."));
            document.saveAs();
        } else if (step == QLatin1String("open") || step == QLatin1String("new")) {
            run->chooser.answers = QStringList{step == "open" ? "book.hex" : "new.hex"};
            QCOMPARE(step == "open" ? document.open() : document.create(), FileCommandResult::Done);
        } else if (step == QLatin1String("saved elsewhere")) {
            QFile::remove(QStringLiteral("menufile.hex"));
            QVERIFY(QFile::copy(QStringLiteral("book.hex"), QStringLiteral("menufile.hex")));
        } else {
            crash(step);
        }
    }
    QCOMPARE(run->document.isSaved(), saved);
    QCOMPARE(run->document.history().canRedo(), redo);

    const QByteArray bytes = MenuBook::fileBytes(run->book.menuFileText());
    run->settle();
    run.reset();
    run = std::make_unique<Run>();
    const bool older = run->left && BookDocument::savedSince(*run->left);
    QCOMPARE(QString(!run->left ? "none" : older ? "older" : "unsaved"), offer);
    if (run->left) {
        run->document.restore(*run->left);
        QCOMPARE(MenuBook::fileBytes(run->book.menuFileText()), bytes);
        QVERIFY(!run->document.isSaved());
    }
}

QTEST_GUILESS_MAIN(TstBookDocument)

#include "tst_bookdocument.moc"
