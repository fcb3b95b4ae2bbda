// A long session in a few seconds: random edits through the edit dialog,
// clears, saves, Save As and re-opens through the book. After every save
// each written file must read back as exactly what the user entered (within
// the file's rules), and nothing may pile up in memory.

#include "editdialog.h"
#include "menutext.h"
#include "scriptedchooser.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <malloc.h>

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define MORVEX_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVEX_ADDRESS_SANITIZER 1
#endif
#endif
#ifdef MORVEX_ADDRESS_SANITIZER
// From the sanitizer runtime; not every compiler ships its header.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#define MORVEX_ADDRESS_SANITIZER 0
#endif

using namespace MenuText;

namespace {

constexpr int OperationCount = 2000;
constexpr quint32 Seed = 20261208;

// What the user has in the book, menu by menu, as typed.
using Shadow = QList<MenuRecord>;

// The book a file holding the shadow reads back as: names trimmed, since
// the reader trims every field. The dialog lets through only letters and
// spaces and only stages within the rules, so nothing else changes.
QList<MenuRecord> asRead(const Shadow &shadow)
{
    QList<MenuRecord> records = shadow;
    for (MenuRecord &menu : records)
        menu.name = menu.name.trimmed();
    return records;
}

QList<MenuRecord> readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    MenuBook book;
    book.readMenuFile(file);
    return book.menus;
}

bool withinRules(const Stages &stages)
{
    int fullPower = 0;
    for (const MenuStage &stage : stages) {
        const int time = stage.stageTime();
        if (stage.power == 10) {
            if (time > 900)
                return false;
            fullPower += time;
        } else if (time > 3600) {
            return false;
        }
    }
    return fullPower <= 1500;
}

// Bytes the heap hands out right now; 0 where the allocator cannot say.
qint64 heapInUse()
{
#if MORVEX_ADDRESS_SANITIZER
    // Its own allocator; freed blocks waiting in quarantine do not count.
    return qint64(__sanitizer_get_current_allocated_bytes());
#elif defined(__GLIBC__) && (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 33)
    return qint64(mallinfo2().uordblks);
#else
    return 0;
#endif
}

} // namespace

class tst_Soak : public QObject
{
    Q_OBJECT

private slots:
    void randomOperations();

private:
    void editInDialog(int menuIndex);
    void typeInto(QLineEdit *field, const QString &text);
    void choosePower(QComboBox *combo, int power);
    QString randomName();
    MenuStage randomStage();
    void checkSaved(const QString &path, int operation);

    QRandomGenerator random{Seed};
    MenuBook book;
    ScriptedChooser chooser;
    Shadow shadow;
    // What each file was last saved with.
    QHash<QString, QList<MenuRecord>> savedBooks;
};

void tst_Soak::typeInto(QLineEdit *field, const QString &text)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

void tst_Soak::choosePower(QComboBox *combo, int power)
{
    // The list runs from P10 down to P00; the user starts from the nearer end.
    combo->setFocus();
    const bool fromTop = power >= 5;
    QTest::keyClick(combo, fromTop ? Qt::Key_Home : Qt::Key_End);
    for (int step = 0; step < (fromTop ? 10 - power : power); ++step)
        QTest::keyClick(combo, fromTop ? Qt::Key_Down : Qt::Key_Up);
}

QString tst_Soak::randomName()
{
    static const QString letters =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ  ");
    QString name;
    const int length = random.bounded(17);
    for (int i = 0; i < length; ++i)
        name += letters[random.bounded(int(letters.size()))];
    return name;
}

MenuStage tst_Soak::randomStage()
{
    MenuStage stage;
    stage.power = random.bounded(11);
    // Mostly short stages, now and then one that breaks a rule.
    stage.minutes = random.bounded(6) == 0 ? random.bounded(100) : random.bounded(16);
    stage.seconds = random.bounded(100);
    return stage;
}

void tst_Soak::editInDialog(int menuIndex)
{
    auto *dialog = new EditDialog(book);
    dialog->setMenu(menuIndex);
    dialog->show();
    // As a user does: now the name, now one stage, now both.
    MenuRecord wanted = shadow[MenuBook::positionOfMenu(menuIndex)];
    const int change = random.bounded(3);
    if (change != 1) {
        wanted.name = randomName();
        typeInto(dialog->findChild<QLineEdit *>(QStringLiteral("lineEditSubMenuName")),
                 wanted.name);
    }
    if (change != 0) {
        const int stage = random.bounded(3);
        wanted.stages[stage] = randomStage();
        const QString prefix = QStringLiteral("Stage%1").arg(stage + 1, 2, 10, QLatin1Char('0'));
        choosePower(
            dialog->findChild<QComboBox *>(QStringLiteral("comboBox%1PowerLevel").arg(prefix)),
            wanted.stages[stage].power);
        typeInto(dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit%1TimeMin").arg(prefix)),
                 QString::number(wanted.stages[stage].minutes));
        typeInto(dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit%1TimeSec").arg(prefix)),
                 QString::number(wanted.stages[stage].seconds));
    }
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("pushButtonApply")),
                      Qt::LeftButton);
    if (withinRules(wanted.stages)) {
        shadow[MenuBook::positionOfMenu(menuIndex)] = wanted;
    } else {
        // The dialog refused with a hint and stays open; the user gives up.
        QVERIFY(dialog->isVisible());
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("pushButtonClose")),
                          Qt::LeftButton);
    }
    // What the event loop would do next: repaint, lay out, delete the dialog.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void tst_Soak::checkSaved(const QString &path, int operation)
{
    const QList<MenuRecord> expected = asRead(shadow);
    const QList<MenuRecord> read = readFile(path);
    QVERIFY2(read == expected,
             qPrintable(QStringLiteral("operation %1: %2 does not read back as the book")
                            .arg(operation)
                            .arg(path)));
    savedBooks[path] = expected;
}

void tst_Soak::randomOperations()
{
    // Every save ends in an fsync; in memory the soak measures the editor,
    // not the disk.
    const QString shm = QStringLiteral("/dev/shm");
    QTemporaryDir dir(QFileInfo(shm).isWritable() ? shm + QStringLiteral("/tst_soak-XXXXXX")
                                                  : QString());
    QVERIFY(dir.isValid());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    book.setFileChooser(&chooser);
    QVERIFY(book.loadStartupFile());
    shadow = book.menus;
    savedBooks[book.currentPath] = book.menus;
    const int widgetsAtStart = int(QApplication::allWidgets().size());
    const QStringList names{QStringLiteral("menufile.hex"), QStringLiteral("kitchen.hex"),
                            QStringLiteral("backup.hex"), QStringLiteral("sub/shop.hex")};
    QVERIFY(QDir().mkdir(QStringLiteral("sub")));
    qint64 heapAfterWarmUp = 0;

    for (int operation = 0; operation < OperationCount; ++operation) {
        if (operation == 200)
            heapAfterWarmUp = heapInUse();
        const int menuIndex = random.bounded(MenuBook::MenusPerBook);
        const int kind = random.bounded(100);
        if (kind < 45) {
            editInDialog(menuIndex);
            if (QTest::currentTestFailed())
                return;
            QVERIFY2(book.menus == shadow, qPrintable(QString::number(operation)));
        } else if (kind < 60) {
            book.clearMenu(menuIndex);
            MenuRecord &menu = shadow[MenuBook::positionOfMenu(menuIndex)];
            menu.name.clear();
            menu.stages = {};
        } else if (kind < 78) {
            QCOMPARE(book.saveFile(), FileCommandResult::Done);
            checkSaved(book.currentPath, operation);
            checkSaved(MenuBook::WorkingCopyName, operation);
        } else if (kind < 88) {
            const QString name = names[random.bounded(int(names.size()))];
            chooser.answers = {name};
            QCOMPARE(book.saveFileAs(), FileCommandResult::Done);
            QCOMPARE(book.currentPath, name);
            checkSaved(name, operation);
            checkSaved(MenuBook::WorkingCopyName, operation);
        } else if (kind < 97) {
            const QList<QString> saved = savedBooks.keys();
            const QString name = saved[random.bounded(int(saved.size()))];
            chooser.answers = {name};
            QCOMPARE(book.openFile(), FileCommandResult::Done);
            shadow = savedBooks[name];
            QVERIFY2(book.menus == shadow, qPrintable(QString::number(operation)));
        } else {
            // The next run of the editor.
            book = MenuBook();
            book.setFileChooser(&chooser);
            QVERIFY(book.loadStartupFile());
            shadow = savedBooks[MenuBook::WorkingCopyName];
            QVERIFY2(book.menus == shadow, qPrintable(QString::number(operation)));
        }
        if (QTest::currentTestFailed())
            return;
        // Every dialog and hint box is gone again.
        QCOMPARE(int(QApplication::allWidgets().size()), widgetsAtStart);
    }

    const qint64 heapAtEnd = heapInUse();
    qInfo("heap %lld -> %lld", heapAfterWarmUp, heapAtEnd);
    QDir::setCurrent(previous);
    if (heapAfterWarmUp == 0 || heapAtEnd == 0)
        QSKIP("the allocator does not tell its heap size here");
    QVERIFY2(
        heapAtEnd - heapAfterWarmUp < 256 * 1024,
        qPrintable(
            QStringLiteral("heap grew from %1 to %2 bytes").arg(heapAfterWarmUp).arg(heapAtEnd)));
}

QTEST_MAIN(tst_Soak)
#include "tst_soak.moc"
