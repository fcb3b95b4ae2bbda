// Start-up of the main window: the working copy, the first page, the failed
// load, the clock and size lines, the titles and the tool tips.

#include "bookrecovery.h"
#include "editionrunner.h"
#include "editorfixture.h"

#include <QAccessible>
#include <QDateTime>
#include <QFile>

class TstMainWindowStartup : public QObject
{
    Q_OBJECT

private slots:
    void startsInEmptyFolder();
    void startsWithUnreadableWorkingCopy();
    void clockAndSizeLines();
    void windowIsFixedAndFrameless();
    void hiddenPicturesKeepTheirLook_data();
    void hiddenPicturesKeepTheirLook();
    void toolTips_data();
    void toolTips();
    void accessibleNames_data();
    void accessibleNames();
    void offersUnsavedMenus_data();
    void offersUnsavedMenus();
};

// Image-format plugins mapped into this process; 0 where the system does
// not tell.
static int imagePluginsMapped()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) ? int(maps.readAll().count("/imageformats/")) : 0;
}

void TstMainWindowStartup::startsInEmptyFolder()
{
    EditorFixture editor;
    const int pluginsBefore = imagePluginsMapped();
    editor.start();

    QFile workingCopy(editor.path(QStringLiteral("menufile.hex")));
    QVERIFY(workingCopy.open(QIODevice::ReadOnly));
    QCOMPARE(workingCopy.readAll(), MenuBook::defaultText().toLatin1());
    QCOMPARE(editor.book.menus.size(), 299);

    QStringList firstPage;
    for (int menu = 1; menu <= 15; ++menu)
        firstPage.append(QStringLiteral("A-%1").arg(menu, 2, 10, QLatin1Char('0')));
    QCOMPARE(editor.shownCodes(), firstPage);
    QCOMPARE(editor.rowWidget("labelTag_", 1)->text(), QStringLiteral(" A-01"));

    ELabel *name = editor.rowWidget("labelValue_", 1);
    QCOMPARE(name->text(), inEdition("NO NAME", "未命名"));
    QCOMPARE(name->palette().color(QPalette::WindowText), QColor(Qt::darkGray));
    const QString emptyStage = inEdition("P00, 0 min 0 s", "P00, 0 分 0 秒");
    QCOMPARE(editor.rowWidget("labelSoftMinNum_", 1)->text(), emptyStage);
    QCOMPARE(editor.rowWidget("labelSoftMaxNum_", 1)->text(), emptyStage);
    QCOMPARE(editor.rowWidget("labelHardMaxNum_", 1)->text(), emptyStage);
    QCOMPARE(editor.rowWidget("labelTimeTag_", 1)->text(), inEdition("0 min 0 s", "0 分 0 秒"));
    QCOMPARE(editor.widget<QLabel>(QStringLiteral("labelTitleStage01"))->text(),
             inEdition("Stage[#01]", "第 1 阶段"));

    QCOMPARE(editor.selectedRow(), 1);
    QCOMPARE(editor.selectedMenu(), 0);
    QCOMPARE(editor.commandStates(), QList<bool>(9, true));

    // The slider appears with the next poll tick, its handle at the top.
    QVERIFY(!editor.slider()->isVisible());
    editor.window->on_highTimerEventProcess();
    QVERIFY(editor.slider()->isVisible());
    QCOMPARE(editor.slider()->maximum(), 282);
    QCOMPARE(editor.slider()->value(), 282);
    QCOMPARE(editor.shownCodes().first(), QStringLiteral("A-01"));

    QCOMPARE(editor.takeHints(), QList<int>());

    // The window read its pictures itself, before its first polish: no
    // image-format plugin is loaded, and the background is drawn from its
    // three-byte copy with the picture's own pixels.
    QCOMPARE(imagePluginsMapped(), pluginsBefore);
    const QString background = QStringLiteral(":/image/bgp.png");
    QCOMPARE(QPixmap(background).toImage().format(), QImage::Format_RGB888);
    const QImage drawn = editor.widget<QLabel>(QStringLiteral("labelBackground"))->grab().toImage();
    QCOMPARE(drawn, QImage(background).convertToFormat(drawn.format()));
}

void TstMainWindowStartup::startsWithUnreadableWorkingCopy()
{
    EditorFixture editor;
    // A folder of that name can be neither read nor replaced.
    QVERIFY(QDir(editor.folder.path()).mkdir(QStringLiteral("menufile.hex")));
    editor.start();

    QCOMPARE(editor.takeHints(), QList<int>{LHINT_FILE_OPEN_FAILED_BAD_DATAS});
    QVERIFY(editor.book.menus.isEmpty());
    QCOMPARE(editor.shownCodes(), QStringList());
    editor.window->on_highTimerEventProcess();
    QVERIFY(!editor.slider()->isVisible());
    // Edit, Add, Close, Min, Open, Create, Clear, Save, Save As.
    const QList<bool> onlyFileCommands{false, false, true, true, true, true, false, false, false};
    QCOMPARE(editor.commandStates(), onlyFileCommands);
    // The keys of disabled buttons do nothing.
    for (const char *key : {"Return", "Delete", "Ctrl+S", "Ctrl+Shift+S", "Down", "Ctrl+Z"})
        editor.pressKey(QLatin1String(key));
    QCOMPARE(editor.takeHints(), QList<int>());
    QVERIFY(!editor.questionBox() && !editor.editDialog());
    // No redraw yet: the start titles stand.
    QCOMPARE(editor.widget<QLabel>(QStringLiteral("labelTitleStage01"))->text(),
             inEdition("[#1]Stage", "第 1 阶段"));

    // A question box gives back exactly the buttons it took.
    editor.click("pushButtonClose");
    QCOMPARE(editor.commandStates(), QList<bool>(9, false));
    editor.answerQuestion(false);
    QCOMPARE(editor.commandStates(), onlyFileCommands);
    QVERIFY(editor.window->isVisible());
    QCOMPARE(editor.shownCodes(), QStringList());
}

void TstMainWindowStartup::clockAndSizeLines()
{
    EditorFixture editor;
    editor.start();
    auto *size = editor.widget<QLabel>(QStringLiteral("labelDrugLibSize"));
    auto *clock = editor.widget<QLabel>(QStringLiteral("labelDrugLibModifyTime"));

    QCOMPARE(size->text(), inEdition("SIZE: ---- MENUs", "菜谱大小: ---- 个菜单"));
    editor.window->on_updateTimerLabel();
    QCOMPARE(size->text(), inEdition("SIZE: 297 MENUs", "菜谱大小: 297 个菜单"));
    QVERIFY(clock->text().startsWith(inEdition("TIME: ", "时间: ")));

    const QDateTime moment(QDate(2026, 12, 7), QTime(4, 5, 41));
    QCOMPARE(MainWindow::clockText(moment),
             inEdition("TIME: 2026/12/07 04:05:41", "时间: 2026/12/07 04:05:41"));
}

void TstMainWindowStartup::windowIsFixedAndFrameless()
{
    EditorFixture editor;
    MainWindow &window = editor.start();
    QCOMPARE(window.size(), QSize(955, 590));
    QCOMPARE(window.minimumSize(), QSize(955, 590));
    QCOMPARE(window.maximumSize(), QSize(955, 590));
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(editor.widget<QLabel>(QStringLiteral("labelTitleCode"))->y(),
             currentEdition() == Edition::Chinese ? 37 : 35);
    // Add lies outside the window; Save lies exactly over Create.
    QVERIFY(!window.rect().intersects(editor.button("pushButtonEditAdd")->geometry()));
    QCOMPARE(editor.button("pushButtonSaveFile")->geometry(),
             editor.button("pushButtonCreateNewFile")->geometry());
    QCOMPARE(window.childAt(100, 550), editor.button("pushButtonSaveFile"));
}

// The widgets hidden for the whole run do not load their pictures; any of
// them shown looks as the form describes it.
void TstMainWindowStartup::hiddenPicturesKeepTheirLook_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("styleSheet");
    QTest::newRow("picture label") << "labelBackgroundPic"
                                   << "background-color: rgb(251, 251, 251);\n"
                                      "background-image: url(:/image/background_pic.png);";
    QTest::newRow("row picture") << "labelSoftMaxPic_7"
                                 << "background-image: url(:/image/soft_max_limit.png);";
    QTest::newRow("fold button") << "pushButtonLabelFoldOrNot_2"
                                 << "background-image: url(:/image/fold_gray.png);\n"
                                    "border-style:flat;";
    QTest::newRow("print button") << "pushButtonPrint"
                                  << "background-image: url(:/image/print_gray.png);\n"
                                     "border-style:flat;";
}

void TstMainWindowStartup::hiddenPicturesKeepTheirLook()
{
    QFETCH(QString, name);
    QFETCH(QString, styleSheet);
    EditorFixture editor;
    editor.start();
    auto *widget = editor.widget<QWidget>(name);
    QVERIFY(widget->isHidden());
    QVERIFY(!widget->styleSheet().contains(QLatin1String("url(")));

    widget->show();
    QCOMPARE(widget->styleSheet(), styleSheet);
    if (name == QLatin1String("labelBackgroundPic"))
        QCOMPARE(widget->grab().toImage().pixelColor(2, 2), QColor(251, 251, 251));
}

void TstMainWindowStartup::toolTips_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QStringList>(
        "tips"); // Open, New, Save, Save As, Clear, Edit, Add, Close, Hide

    const QStringList builtIn =
        currentEdition() == Edition::Chinese
            ? QStringList{QString::fromUtf8("打开"), QString::fromUtf8("新建"),
                          QString::fromUtf8("保存"), QString::fromUtf8("另存为"),
                          QString::fromUtf8("清除"), QString::fromUtf8("编辑"),
                          QString::fromUtf8("添加"), QString::fromUtf8("关闭"),
                          QString::fromUtf8("隐藏")}
            : QStringList{"Open", "New", "Save",  "Save As", "Clear",
                          "Edit", "Add", "Close", "Hide"};
    const QByteArray tips = "[HOVER_TIPS]\nOPEN=o\nCREATE=c\nSAVE=s\nSAVEAS=sa\nDELETE=d\n"
                            "ADD=a\nCLOSE=x\nHIDE=h\nSKIP=k\n";

    QTest::newRow("no file") << QByteArray() << builtIn;
    QTest::newRow("type en") << "[LANGUAGE]\nTYPE=en\n" + tips << builtIn;
    QTest::newRow("type EN") << "[LANGUAGE]\nTYPE=EN\n" + tips
                             << QStringList{"o", "c", "s", "sa", "d", "", "a", "x", "h"};
}

void TstMainWindowStartup::toolTips()
{
    QFETCH(QByteArray, ini);
    QFETCH(QStringList, tips);
    EditorFixture editor;
    if (!ini.isEmpty()) {
        QFile file(editor.path(QStringLiteral("language.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ini);
    }
    editor.start();

    QStringList shown;
    QStringList spoken; // a screen reader names the buttons by their tips
    for (const char *name : {"pushButtonOpenFile", "pushButtonCreateNewFile", "pushButtonSaveFile",
                             "pushButtonSaveNewFile", "pushButtonDelete", "pushButtonEdit",
                             "pushButtonEditAdd", "pushButtonClose", "pushButtonMin"}) {
        shown.append(editor.button(name)->toolTip());
        spoken.append(
            QAccessible::queryAccessibleInterface(editor.button(name))->text(QAccessible::Name));
    }
    QCOMPARE(shown, tips);
    QCOMPARE(spoken, tips);
}

// What a screen reader says for the picture buttons and the rows.
void TstMainWindowStartup::accessibleNames_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("chinese");

    QTest::newRow("Open") << "pushButtonOpenFile"
                          << "Open"
                          << "打开";
    QTest::newRow("edit dialog's Apply") << "pushButtonApply"
                                         << "Confirm"
                                         << "确认";
    QTest::newRow("named row")
        << "label_1"
        << "A-01, Pizza, P10 5 min 0 s, P05 10 min 30 s, P00 0 min 45 s, total 16 min 15 s"
        << "A-01，Pizza，P10 5 分 0 秒，P05 10 分 30 秒，P00 0 分 45 秒，总时间 16 分 15 秒";
    const auto row = [](const char *name, const char *widget, const char *english,
                        const char *chinese) {
        QTest::newRow(name) << widget << english << chinese;
    };
    row("rows", "menuRowList", "Menus", "菜单列表");
    row("slider", "verticalSlider", "Menu position", "菜单位置");
    row("edit dialog", "EditDialog", "Edit menu A-01", "编辑菜单 A-01");
    row("name field", "lineEditSubMenuName", "Name", "菜单名称");
    row("power box", "comboBoxStage02PowerLevel", "Stage 2 power", "第 2 阶段火力");
    row("seconds field", "lineEditStage03TimeSec", "Stage 3 seconds", "第 3 阶段秒数");
    QTest::newRow("empty row")
        << "label_2"
        << "A-02, NO NAME, P00 0 min 0 s, P00 0 min 0 s, P00 0 min 0 s, total 0 min 0 s"
        << "A-02，未命名，P00 0 分 0 秒，P00 0 分 0 秒，P00 0 分 0 秒，总时间 0 分 0 秒";
}

void TstMainWindowStartup::accessibleNames()
{
    QFETCH(QString, widget);
    QFETCH(QString, english);
    QFETCH(QString, chinese);
    EditorFixture editor;
    editor.start();
    editor.book.menus[0].name = QStringLiteral("Pizza");
    editor.book.menus[0].stages = {MenuStage{10, 5, 0}, MenuStage{5, 10, 30}, MenuStage{0, 0, 45}};
    editor.pressKey(QStringLiteral("Home")); // redraws the page
    editor.click("pushButtonEdit");

    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(editor.widget(widget));
    QVERIFY(reader);
    QCOMPARE(reader->text(QAccessible::Name),
             currentEdition() == Edition::Chinese ? chinese : english);
}

void TstMainWindowStartup::offersUnsavedMenus_data()
{
    QTest::addColumn<QString>("left"); // what the last run left in recovery
    QTest::addColumn<bool>("apply");   // the answer, when asked
    QTest::newRow("none") << "none" << false;
    QTest::newRow("stale, different, restored") << "different" << true;
    QTest::newRow("stale, different, declined") << "different" << false;
    QTest::newRow("stale, equal") << "equal" << false;
    QTest::newRow("held by a running editor") << "held" << false;
    QTest::newRow("damaged") << "damaged" << false;
}

void TstMainWindowStartup::offersUnsavedMenus()
{
    QFETCH(QString, left);
    QFETCH(bool, apply);
    EditorFixture editor;
    auto last = std::make_unique<BookRecovery>(QDir::currentPath());
    MenuBook lastBook;
    QVERIFY(lastBook.loadStartupFile());
    lastBook.menus[4].name = left == QLatin1String("equal") ? QString() : QStringLiteral("Soup");
    lastBook.currentPath = QStringLiteral("other.hex");
    if (left != QLatin1String("none")) {
        QVERIFY(last->claim());
        last->keep(lastBook, {});
        last->finish();
    }
    QFile file(last->filePath());
    if (left == QLatin1String("damaged") && file.open(QIODevice::ReadWrite))
        file.write("\n");
    file.close();
    if (left != QLatin1String("held"))
        last.reset(); // gone without removing its file

    editor.start();
    BookRecovery recovery(QDir::currentPath());
    editor.document.keepRecovery(recovery);
    recovery.finish();
    QCoreApplication::processEvents();
    QCOMPARE(editor.questionBox() != nullptr, left == QLatin1String("different"));
    if (!editor.questionBox()) {
        QTRY_COMPARE(QFile::exists(recovery.filePath()), left == QLatin1String("held"));
        return;
    }
    QCOMPARE(editor.questionBox()->findChild<QLabel *>("labelHint")->text(),
             inEdition("Restore unsaved menus?", "恢复未保存的菜单？"));
    editor.answerQuestion(apply);
    QCOMPARE(editor.book.menus[4].name, apply ? QStringLiteral("Soup") : QString());
    QCOMPARE(editor.window->isWindowModified(), apply);
    QCOMPARE(editor.commandStates(), QList<bool>(9, true));
    QTRY_COMPARE(QFile::exists(recovery.filePath()), apply);
    editor.click("pushButtonSaveFile");
    QTRY_VERIFY(!QFile::exists(recovery.filePath()));
    QCOMPARE(QFile::exists(editor.path(QStringLiteral("other.hex"))), apply);
}

int main(int argc, char *argv[])
{
    return runInBothEditions<TstMainWindowStartup>(argc, argv);
}

#include "tst_mainwindowstartup.moc"
