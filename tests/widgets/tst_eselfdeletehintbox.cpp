#include "edition.h"
#include "eselfdeletehintbox.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(Edition)

namespace {

const QString noHintsZh = QStringLiteral("无提醒！");

// One tick of the box's 10 ms timer.
void tick(ESelfDeleteHintBox *box)
{
    QVERIFY(QMetaObject::invokeMethod(box, "auto_refresh_disp"));
}

void tick(ESelfDeleteHintBox *box, int count)
{
    for (int i = 0; i < count; ++i)
        tick(box);
}

// The window keeps its opacity in steps of 1/255.
bool near(double opacity, double expected)
{
    return qAbs(opacity - expected) < 0.003;
}

bool deletedNow(QPointer<ESelfDeleteHintBox> &box)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return box.isNull();
}

} // namespace

class tst_ESelfDeleteHintBox : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void catalogue_data();
    void catalogue();
    void looks();
    void firstHintHoldsThenFades();
    void laterHintIsShorter();
    void twoBoxesShareTheCounter();
    void dropsWithItsParent();
    void iniTexts_data();
    void iniTexts();

private:
    ESelfDeleteHintBox *raise(int hintId);
    void writeIni(const QByteArray &content);

    QWidget *window = nullptr;
    QTemporaryDir dir;
    QString previousDir;
};

void tst_ESelfDeleteHintBox::init()
{
    QVERIFY(dir.isValid());
    previousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    QFile::remove(QStringLiteral("language.ini"));
    ESelfDeleteHintBox::resetSharedTicks();
    window = new QWidget;
    window->setGeometry(100, 100, 700, 300);
    window->show();
}

void tst_ESelfDeleteHintBox::cleanup()
{
    delete window;
    setEdition(Edition::English);
    QDir::setCurrent(previousDir);
}

ESelfDeleteHintBox *tst_ESelfDeleteHintBox::raise(int hintId)
{
    auto *box = new ESelfDeleteHintBox(window, hintId);
    // The test drives the ticks itself.
    box->findChild<QTimer *>()->stop();
    box->show();
    return box;
}

void tst_ESelfDeleteHintBox::writeIni(const QByteArray &content)
{
    QFile file(QStringLiteral("language.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void tst_ESelfDeleteHintBox::catalogue_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<int>("hintId");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");

    const struct
    {
        int id;
        const char *english;
        const char *chinese;
        int widthEn;
        int widthZh;
    } rows[] = {
        {LHINT_DRUG_BASE_INFO_INVALID, "MENU Information invalid!", "菜谱信息错误！", 380, 380},
        {LHINT_FILE_PATH_INVALID, "File Path Invalid!", "文件路径错误！", 380, 380},
        {LHINT_FILE_OPEN_FAILED_BAD_DATAS, "File Open Failed!", "文件打开失败！", 380, 380},
        {LHINT_FILE_NOT_CREATED, "File not Created!", "文件未创建！", 380, 380},
        {LHINT_FILE_NOT_SAVED, "File not Saved!", "文件未保存！", 380, 380},
        {LHINT_FILE_SAVED, "File Saved!", "文件已保存！", 380, 380},
        {LHINT_NO_DRUGS, "No MENU!", "菜谱为空！", 380, 380},
        {LHINT_NOT_FIND_PRINTER, "No Valid Printer!", "没有发现可用的打印机！", 380, 380},
        {LHINT_DRUG_DELETE, "MENU Cleared!", "菜单数据已清除！", 380, 380},
        {LHINT_FILE_NOT_CHANGED, "File not Changed!", "文件未改变！", 380, 380},
        {LHINT_NO_HINTS, "NO HINTS!", "无提醒！", 380, 380},
        {11, "NO HINTS!", "无提醒！", 380, 380},
        {LHINT_P10_STAGE_OVER_15MIN, "P10 Should not Work Over 15min in a Single Stage!",
         "P10档位单个工作阶段时长不可超过15分钟！", 540, 640},
        {LHINT_P10_MENU_OVER_25MIN, "P10 Should not Work Over 25min in a MENU!",
         "P10档位单个菜谱总体工作时长不可超过25分钟！", 500, 640},
        {LHINT_STAGE_OVER_60MIN, "All Power Levels Should not Work Over 60min in a Single Stage!",
         "任意档位单个工作阶段时长不可超过60分钟！", 640, 640},
        {LHINT_MENU_SIZE_OUT_OF_RANGE, "MENU Size is Out of Range!", "菜谱大小超出范围！", 380,
         380},
        {LHINT_WORKING_COPY_NOT_SAVED, "Working Copy not Saved!", "工作副本未保存！", 380, 380},
        {17, "NO HINTS!", "无提醒！", 380, 380},
        {-1, "NO HINTS!", "无提醒！", 380, 380},
        {1000, "NO HINTS!", "无提醒！", 380, 380},
    };
    for (const auto &row : rows) {
        QTest::addRow("en %d", row.id)
            << Edition::English << row.id << QString::fromUtf8(row.english) << row.widthEn;
        QTest::addRow("zh %d", row.id)
            << Edition::Chinese << row.id << QString::fromUtf8(row.chinese) << row.widthZh;
    }
}

void tst_ESelfDeleteHintBox::catalogue()
{
    QFETCH(Edition, edition);
    QFETCH(int, hintId);
    QFETCH(QString, text);
    QFETCH(int, width);

    QVERIFY(setEdition(edition));
    ESelfDeleteHintBox *box = raise(hintId);
    QCOMPARE(box->hintId(), hintId);
    QCOMPARE(box->text(), text);
    QCOMPARE(box->width(), width);
    QCOMPARE(box->findChild<QLabel *>(QStringLiteral("label"))->width(), width);
    // What a screen reader announces when the box appears.
    QCOMPARE(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name), text);
}

void tst_ESelfDeleteHintBox::looks()
{
    ESelfDeleteHintBox *box = raise(LHINT_FILE_SAVED);
    QCOMPARE(box->objectName(), QStringLiteral("ESelfDeleteHintBox"));
    QVERIFY(box->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(!box->isModal());
    QCOMPARE(box->height(), 50);
    QVERIFY(near(box->windowOpacity(), 0.9));
    auto *label = box->findChild<QLabel *>(QStringLiteral("label"));
    QCOMPARE(label->textFormat(), Qt::RichText);
    QCOMPARE(label->alignment(), Qt::AlignCenter);
    QCOMPARE(box->findChild<QTimer *>()->interval(), 10);
}

void tst_ESelfDeleteHintBox::firstHintHoldsThenFades()
{
    QPointer<ESelfDeleteHintBox> box = raise(LHINT_FILE_SAVED);
    tick(box, 299);
    QCOMPARE(ESelfDeleteHintBox::sharedTicks(), 299);
    tick(box);
    QCOMPARE(ESelfDeleteHintBox::sharedTicks(), 0);
    QVERIFY(near(box->windowOpacity(), 0.9));

    // 89 fading steps of 1/80.
    tick(box);
    QVERIFY(near(box->windowOpacity(), 0.8875));
    tick(box, 70);
    QVERIFY(near(box->windowOpacity(), 0.9 - 71 / 80.0));
    tick(box);
    QCOMPARE(box->windowOpacity(), 0.0);
    tick(box, 17);
    QVERIFY(box->isVisible());
    QVERIFY(!deletedNow(box));

    tick(box); // the 390th
    QVERIFY(!box->isVisible());
    QVERIFY(deletedNow(box));
    QCOMPARE(ESelfDeleteHintBox::sharedTicks(), 90);
}

void tst_ESelfDeleteHintBox::laterHintIsShorter()
{
    QPointer<ESelfDeleteHintBox> first = raise(LHINT_FILE_SAVED);
    tick(first, 390);
    QVERIFY(deletedNow(first));

    QPointer<ESelfDeleteHintBox> box = raise(LHINT_DRUG_DELETE);
    tick(box, 210);
    QVERIFY(near(box->windowOpacity(), 0.9));
    tick(box);
    QVERIFY(box->windowOpacity() < 0.89);
    tick(box, 88);
    QVERIFY(box->isVisible());
    tick(box); // the 300th
    QVERIFY(deletedNow(box));
}

void tst_ESelfDeleteHintBox::twoBoxesShareTheCounter()
{
    QPointer<ESelfDeleteHintBox> a = raise(LHINT_FILE_SAVED);
    QPointer<ESelfDeleteHintBox> b = raise(LHINT_FILE_NOT_SAVED);
    int aTicks = 0;
    int bTicks = 0;
    int aFades = 0;
    int bFades = 0;
    while (a || b) {
        if (a) {
            const double before = a->windowOpacity();
            tick(a);
            ++aTicks;
            if (!aFades && a->windowOpacity() < before)
                aFades = aTicks;
            deletedNow(a);
        }
        if (b) {
            const double before = b->windowOpacity();
            tick(b);
            ++bTicks;
            if (!bFades && b->windowOpacity() < before)
                bFades = bTicks;
            deletedNow(b);
        }
        QVERIFY(aTicks < 1000);
    }
    // b's 150th tick brings the shared counter to 300; a, still holding, only
    // gets there again after b has faded: the counter is no per-box clock.
    QCOMPARE(bFades, 151);
    QCOMPARE(bTicks, 240);
    QCOMPARE(aFades, 361);
    QCOMPARE(aTicks, 450);
}

void tst_ESelfDeleteHintBox::dropsWithItsParent()
{
    QPointer<ESelfDeleteHintBox> box = raise(LHINT_FILE_SAVED);
    delete window;
    window = nullptr;
    QVERIFY(box.isNull());
}

void tst_ESelfDeleteHintBox::iniTexts_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("hintId");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");

    const QByteArray en = "[LANGUAGE]\nTYPE=EN\n";
    const QByteArray hints = "[LHINTS]\nLHINT_FILE_SAVED=Stored <b>safely</b>\n"
                             "LHINT_FILE_NOT_CHANGED=Nothing changed\n"
                             "LHINT_P10_MENU_OVER_25MIN=Too long at P10\n"
                             "LHINT_MENU_SIZE_OUT_OF_RANGE=\"Full, sorry\"\n";

    QTest::newRow("no file") << Edition::English << QByteArray() << 5
                             << QStringLiteral("File Saved!") << 380;
    QTest::newRow("en") << Edition::English << QByteArray("[LANGUAGE]\nTYPE=en\n" + hints) << 5
                        << QStringLiteral("File Saved!") << 380;
    QTest::newRow("' EN'") << Edition::English << QByteArray("[LANGUAGE]\nTYPE=\" EN\"\n" + hints)
                           << 5 << QStringLiteral("File Saved!") << 380;
    QTest::newRow("EN, no keys") << Edition::English << en << 5 << QString() << 540;
    QTest::newRow("EN, key with markup")
        << Edition::English << en + hints << 5 << QStringLiteral("Stored <b>safely</b>") << 540;
    QTest::newRow("EN, Chinese edition")
        << Edition::Chinese << en + hints << 5 << QStringLiteral("Stored <b>safely</b>") << 540;
    QTest::newRow("EN, 9") << Edition::English << en + hints << 9
                           << QStringLiteral("Nothing changed") << 540;
    QTest::newRow("EN, 10") << Edition::English << en + hints << 10 << QStringLiteral("NO HINTS!")
                            << 540;
    QTest::newRow("EN, 10, Chinese edition")
        << Edition::Chinese << en + hints << 10 << QStringLiteral("NO HINTS!") << 540;
    QTest::newRow("EN, -3") << Edition::English << en << -3 << QStringLiteral("NO HINTS!") << 540;
    QTest::newRow("EN, 13 own key")
        << Edition::English << en + hints << 13 << QStringLiteral("Too long at P10") << 540;
    QTest::newRow("EN, 15 own key")
        << Edition::English << en + hints << 15 << QStringLiteral("Full, sorry") << 540;
    // Id 12 never borrows the text of id 9; a missing key falls back to the
    // edition's text at its own width.
    QTest::newRow("EN, 12 without key")
        << Edition::English << en + hints << 12
        << QStringLiteral("P10 Should not Work Over 15min in a Single Stage!") << 540;
    QTest::newRow("EN, 14 without key")
        << Edition::English << en << 14
        << QStringLiteral("All Power Levels Should not Work Over 60min in a Single Stage!") << 640;
    QTest::newRow("EN, 13 without key, Chinese edition")
        << Edition::Chinese << en << 13
        << QStringLiteral("P10档位单个菜谱总体工作时长不可超过25分钟！") << 640;
    QTest::newRow("EN, 16 without key, Chinese edition")
        << Edition::Chinese << en + hints << 16 << QStringLiteral("工作副本未保存！") << 380;
    QTest::newRow("EN, 15 without key")
        << Edition::English << en << 15 << QStringLiteral("MENU Size is Out of Range!") << 380;
}

void tst_ESelfDeleteHintBox::iniTexts()
{
    QFETCH(Edition, edition);
    QFETCH(QByteArray, ini);
    QFETCH(int, hintId);
    QFETCH(QString, text);
    QFETCH(int, width);

    QVERIFY(setEdition(edition));
    if (!ini.isEmpty())
        writeIni(ini);
    ESelfDeleteHintBox *box = raise(hintId);
    QCOMPARE(box->text(), text);
    QCOMPARE(box->width(), width);
    QCOMPARE(box->findChild<QLabel *>(QStringLiteral("label"))->width(), width);
}

QTEST_MAIN(tst_ESelfDeleteHintBox)
#include "tst_eselfdeletehintbox.moc"
