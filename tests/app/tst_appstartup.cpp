// The real programs, started as a user would start them in an empty folder,
// on a virtual X display: the window comes up, the working copy is written
// and a screenshot shows the window.

#include "menubook.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Shell helpers every run on the virtual display starts with. start runs the
// program (and its arguments) in the background once the display answers; wait_for prints the
// absolute X and Y of the first window of a size once it is there; every
// wait is bounded.
const char Preamble[] = R"sh(#!/bin/sh
start() {
    tries=0
    until xdpyinfo > /dev/null 2>&1 || [ "$tries" -gt 50 ]; do
        tries=$((tries + 1))
        sleep 0.1
    done
    "$@" &
    pid=$!
}
place() {
    xwininfo -root -tree 2>/dev/null |
        sed -n "s/.* $1+[-0-9]*+[-0-9]* *+\([-0-9]*\)+\([-0-9]*\)\$/\1 \2/p" | head -n 1
}
wait_for() {
    tries=0
    until [ -n "$(place "$1")" ]; do
        tries=$((tries + 1))
        if [ "$tries" -gt 200 ] || ! kill -0 "$pid" 2>/dev/null; then
            echo "no $1 window" >&2
            kill "$pid" 2>/dev/null
            exit 4
        fi
        sleep 0.1
    done
    sleep 0.5
    place "$1"
}
click() {
    xdotool mousemove "$1" "$2" click 1
    sleep 0.4
}
gone() { [ -z "$(place "$1")" ]; }
# Runs the command after $1 and $2 (a click, a key) until the file $1 no
# longer holds what the copy $2 holds, trying again every two seconds: a
# busy machine may lose an event to a window still settling.
until_changed() {
    changed=$1 copy=$2
    shift 2
    for try in 1 2 3 4 5 6 7 8 9 10; do
        "$@"
        polls=0
        while cmp -s "$changed" "$copy" && [ "$polls" -lt 20 ]; do
            polls=$((polls + 1))
            sleep 0.1
        done
        cmp -s "$changed" "$copy" || return 0
    done
    echo "$changed was not rewritten" >&2
    return 1
}
wait_until() {
    tries=0
    until "$@"; do
        tries=$((tries + 1))
        [ "$tries" -gt 150 ] && { echo "never: $*" >&2; finish 5; }
        sleep 0.1
    done
}
finish() {
    kill "$pid"
    wait "$pid"
    exit "${1:-0}"
}
)sh";

// Let the window paint, take the screenshot, end the program.
const char StartScript[] = R"sh(
screenshot=$1 geometry=$2
shift 2
start "$@"
wait_for 955x590 > /dev/null || exit 4
sleep 0.5
xwininfo -name "Morvex Menu Editor" > "$geometry"
import -window root "$screenshot"
finish $?
)sh";

// Drives the window as a user would, with real pointer and key events: clear
// A-01 and turn the wheel while the question is open, then edit the menu
// now highlighted (A-02) and save. Window places come from the display.
const char EditScript[] = R"sh(
before=$(mktemp)
cp menufile.hex "$before"
start "$@"
found=$(wait_for 955x590) || exit 4
set -- $found
wx=$1 wy=$2
sleep 0.5
click $((wx + 200)) $((wy + 80))
click $((wx + 852)) $((wy + 554))
found=$(wait_for 300x150) || exit 4
set -- $found
xdotool mousemove $((wx + 200)) $((wy + 300)) click 5
sleep 0.4
click $(($1 + 187)) $(($2 + 117))
click $((wx + 917)) $((wy + 554))
found=$(wait_for 500x361) || exit 4
set -- $found
click $(($1 + 330)) $(($2 + 149))
xdotool key ctrl+a type 7
sleep 0.4
click $(($1 + 457)) $(($2 + 327))
wait_until gone 500x361
until_changed menufile.hex "$before" click $((wx + 102)) $((wy + 554)) || finish 5
finish
)sh";

// Drives the window with real key presses under a window manager: Down
// three times to A-04, Delete, Return on the question, and Ctrl+Z while the
// hint shows. Then Ctrl+S after Ctrl+Y, after Ctrl+Z and after Ctrl+Y, each
// once the taskbar title marks the book unsaved, keeping the working copy
// once it is rewritten; the title unmarked after the last. Then two
// spreadsheet rows from the X clipboard pasted onto A-04 and A-05, A-05
// copied and read back, renamed Pie after a double-click on its row, and
// Duplicate picked from A-04's context menu; Shift+F10 then opens that menu
// on the highlighted row, and its first entry, Edit, the edit dialog. Then
// Ctrl+Z and a kill -9 once that is kept for recovery. The next start runs
// on a disk whose syncs take seconds: the edit dialog is open (A-01 named
// Fig) before the recovery is claimed, the restore question comes once it
// closes and takes Escape, a row pasted onto A-02, a kill -9 once both are
// kept. The last start restores with Return and saves; Alt+F4 then asks
// the close question, which Escape answers.
const char KeysScript[] = R"sh(
kept=$1 program=$2
start openbox
start "$program"
found=$(wait_for 955x590) || exit 4
set -- $found
wx=$1 wy=$2
window=$(xdotool search --pid "$pid" --name '^Morvex Menu Editor$' | head -n 1)
sleep 0.5
xdotool key Down Down Down Delete
wait_for 300x150 > /dev/null || exit 4
xdotool key Return
wait_for 380x50 > /dev/null || exit 4
xdotool key ctrl+z
wait_until sh -c "xdotool getwindowname $window | grep -q '[^*]$'"
previous="$kept/start.hex"
cp menufile.hex "$previous"
for step in cleared undone redone; do
    case $step in
        undone) xdotool key ctrl+z ;;
        *) xdotool key ctrl+y ;;
    esac
    wait_until sh -c "xdotool getwindowname $window | grep -q '[*]$'"
    until_changed menufile.hex "$previous" xdotool key ctrl+s || finish 5
    cp menufile.hex "$kept/$step.hex"
    previous="$kept/$step.hex"
done
wait_until sh -c "xdotool getwindowname $window | grep -q '[^*]$'"
printf 'Tea\t#0004\t10\t2\t30\t0\t0\t0\t0\t0\t0\n"Jam",1,0,9,0,0,0,0,0,0\n' |
    xclip -selection clipboard
xdotool key ctrl+v ctrl+s
wait_until grep -q '^Jam,#0005' menufile.hex
xdotool key ctrl+c
wait_until sh -c 'xclip -o -selection clipboard | grep -q "^Jam"'
xclip -o -selection clipboard > "$kept/copied.txt"
xdotool mousemove $((wx + 200)) $((wy + 200)) click --repeat 2 --delay 80 1
set -- $(wait_for 500x361) || exit 4
click $(($1 + 200)) $(($2 + 47))
xdotool key ctrl+a type Pie
xdotool key Return
wait_until gone 500x361
xdotool windowfocus --sync "$window"
xdotool mousemove $((wx + 200)) $((wy + 165)) click 3
wait_until sh -c "xwininfo -root -tree | grep -q ' +$((wx + 200))+$((wy + 165))\$'"
xdotool key Down Down Down Down Down Return ctrl+s
wait_until grep -q '^Tea,#0006' menufile.hex
cp menufile.hex "$kept/bulk.hex"
xdotool key shift+F10
wait_until sh -c "xwininfo -root -tree | grep -q ' +$((wx + 135))+$((wy + 245))\$'"
xdotool key Return
set -- $(wait_for 500x361) || exit 4
xdotool windowfocus --sync "$(xdotool search --name '^Dialog$' | tail -n 1)" key Escape
wait_until gone 500x361
xdotool windowfocus --sync "$window"
# The undone duplicate is kept for recovery once the file no longer holds it.
xdotool key ctrl+z
recovery='$(ls "$XDG_DATA_HOME"/*/recovery/*.recovery 2>/dev/null)'
wait_until sh -c "grep -q '^Pie,#0005' $recovery && ! grep -q '^Tea,#0006' $recovery"
kill -9 "$pid"
start strace -f --seccomp-bpf -o "$kept/syncs.log" -e trace=fdatasync,fsync \
    -y -e inject=fdatasync:delay_enter=3000000 -e inject=fsync:delay_enter=3000000 "$program"
set -- $(wait_for 955x590) || exit 4
# Slowed by strace, the new window may not have the keys yet.
xdotool windowfocus --sync "$(xdotool search --name '^Morvex Menu Editor' | head -n 1)" key Return
set -- $(wait_for 500x361) || exit 4
# The recovery is claimed, its lock on disk, while the dialog is open.
wait_until grep -q 'recovery[.]lock>) = 0' "$kept/syncs.log"
click $(($1 + 200)) $(($2 + 47))
xdotool key ctrl+a type Fig
click $(($1 + 457)) $(($2 + 327))
wait_for 300x180 > /dev/null || exit 4
xdotool key Escape
wait_until gone 300x180
printf 'Rye\t#0002\t5\t1\t0\t0\t0\t0\t0\t0\t0\n' | xclip -selection clipboard
xdotool key Down ctrl+v
wait_until sh -c "grep -q '^Fig,#0001' $recovery && grep -q '^Rye,#0002' $recovery"
# The editor, not strace, which would let it run on.
kill -9 "$(pgrep -P "$pid")"
wait "$pid"
stamp=$(mktemp)
start "$program"
wait_for 300x180 > /dev/null || exit 4
xdotool key Return
wait_until gone 300x180
xdotool key ctrl+s
wait_until test menufile.hex -nt "$stamp"
xdotool key alt+F4
wait_for 300x150 > /dev/null || exit 4
xdotool key Escape
wait_until gone 300x150
kill -0 "$pid" || exit 6
finish
)sh";

// Clicks Save once the window shows, until the working copy ($1) has been
// rewritten: a busy machine may lose a click to a window still settling.
const char SaveScript[] = R"sh(
watched=$1
shift
stamp=$(mktemp)
start "$@"
found=$(wait_for 955x590) || exit 4
set -- $found
for try in 1 2 3 4 5 6 7 8 9 10; do
    [ "$watched" -nt "$stamp" ] && break
    click $(($1 + 102)) $(($2 + 554))
    sleep 0.6
done
finish
)sh";

constexpr int RunLimitMs = 90000;

// Runs a script on a virtual display of its own in the work folder; the
// output is the script's and the program's.
QByteArray runScript(const QString &script, const QString &workFolder, const QStringList &arguments,
                     const QString &home, bool &succeeded)
{
    QProcess run;
    run.setWorkingDirectory(workFolder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Recovery files of this run only, never the user's.
    environment.insert(QStringLiteral("XDG_DATA_HOME"), QFileInfo(script).path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    if (!home.isEmpty()) {
        // The desktop launcher finds its menu folder from these.
        environment.insert(QStringLiteral("HOME"), home);
        environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
    }
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::MergedChannels);
    // timeout signals its whole process group (display server, script and
    // program) should anything in the run hang.
    run.start(QStringLiteral("timeout"),
              QStringList{QStringLiteral("--kill-after=5"), QStringLiteral("80"),
                          QStringLiteral("xvfb-run"), QStringLiteral("-a"), QStringLiteral("-s"),
                          QStringLiteral("-screen 0 1280x800x24"), QStringLiteral("sh"), script} +
                  arguments);
    if (!run.waitForFinished(RunLimitMs)) {
        run.kill();
        run.waitForFinished();
        succeeded = false;
        return "the program run did not end in time";
    }
    succeeded = run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0;
    return run.readAll();
}

// The preamble and a script, run on a virtual display.
QByteArray runOnDisplay(const char *scriptText, const QString &workFolder,
                        const QStringList &arguments, bool &succeeded,
                        const QString &home = QString())
{
    QTemporaryDir scratch;
    const QString script = scratch.filePath(QStringLiteral("run.sh"));
    QFile scriptFile(script);
    succeeded = scratch.isValid() && scriptFile.open(QIODevice::WriteOnly) &&
                scriptFile.write(QByteArray(Preamble) + scriptText) > 0;
    scriptFile.close();
    if (!succeeded)
        return "cannot write the script";

    // A display server that fails to come up (another server took its number
    // meanwhile) is the machine's fault, not the program's: one more try.
    for (int attempt = 1;; ++attempt) {
        QByteArray output = runScript(script, workFolder, arguments, home, succeeded);
        if (succeeded || attempt == 2 || !output.contains("could not connect to display"))
            return output;
    }
}

bool toolsMissing()
{
    for (const char *tool : {"xvfb-run", "xwininfo", "import", "timeout", "xdotool", "xclip",
                             "openbox", "strace"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) {
            qWarning("%s is missing; scripts/deps.sh installs it", tool);
            return true;
        }
    }
    return false;
}

int geometryValue(const QString &geometry, const char *field)
{
    const QRegularExpression pattern(QLatin1String(field) + QLatin1String(":\\s*(-?\\d+)"));
    const QRegularExpressionMatch match = pattern.match(geometry);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace

class TstAppStartup : public QObject
{
    Q_OBJECT

private slots:
    void startsInEmptyFolder_data();
    void startsInEmptyFolder();
    void clearAndEditThroughTheWindow_data();
    void clearAndEditThroughTheWindow();
    void keysClearUndoAndRedo();
    void savesBookNamedOnCommandLine_data();
    void savesBookNamedOnCommandLine();
};

void TstAppStartup::startsInEmptyFolder_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("en") << QStringLiteral(MENU_EDITOR_EN);
    QTest::newRow("zh") << QStringLiteral(MENU_EDITOR_ZH);
}

void TstAppStartup::startsInEmptyFolder()
{
    QFETCH(QString, program);
    QVERIFY(!toolsMissing());
    QVERIFY2(QFile::exists(program), qPrintable(program + QStringLiteral(" is not built")));

    QTemporaryDir workFolder;
    QTemporaryDir scratch;
    QVERIFY(workFolder.isValid() && scratch.isValid());
    const QString screenshot = scratch.filePath(QStringLiteral("screen.png"));
    const QString geometryFile = scratch.filePath(QStringLiteral("geometry.txt"));
    bool succeeded = false;
    const QByteArray output = runOnDisplay(StartScript, workFolder.path(),
                                           {screenshot, geometryFile, program}, succeeded);
    QVERIFY2(succeeded, output.constData());

    // Start-up wrote the working copy: a default book.
    QFile workingCopy(QDir(workFolder.path()).filePath(QStringLiteral("menufile.hex")));
    QVERIFY(workingCopy.open(QIODevice::ReadOnly));
    QCOMPARE(workingCopy.readAll(), MenuBook::defaultText().toLatin1());

    QFile geometryText(geometryFile);
    QVERIFY(geometryText.open(QIODevice::ReadOnly));
    const QString geometry = QString::fromLatin1(geometryText.readAll());
    QCOMPARE(geometryValue(geometry, "Width"), 955);
    QCOMPARE(geometryValue(geometry, "Height"), 590);
    const int x = geometryValue(geometry, "Absolute upper-left X");
    const int y = geometryValue(geometry, "Absolute upper-left Y");

    // The dark title band is painted: the window is really on screen.
    const QImage image(screenshot);
    QVERIFY(!image.isNull());
    QCOMPARE(QColor(image.pixel(x + 500, y + 10)), QColor(89, 87, 87));

    const QString kept = QStringLiteral(MORVEX_SCREENSHOT_DIR "/menu_editor_%1.png")
                             .arg(QLatin1String(QTest::currentDataTag()));
    QFile::remove(kept);
    QVERIFY(QFile::copy(screenshot, kept));
}

void TstAppStartup::clearAndEditThroughTheWindow_data()
{
    startsInEmptyFolder_data();
}

void TstAppStartup::clearAndEditThroughTheWindow()
{
    QFETCH(QString, program);
    QVERIFY(!toolsMissing());
    QTemporaryDir workFolder;
    QVERIFY(workFolder.isValid());
    const QString bookPath = QDir(workFolder.path()).filePath(QStringLiteral("menufile.hex"));
    const auto withRows = [](const char *first, const char *second) {
        QByteArray bytes = MenuBook::defaultText().toLatin1();
        bytes.replace(",#0001,0,0,0,0,0,0,0,0,0\n", first);
        bytes.replace(",#0002,0,0,0,0,0,0,0,0,0\n", second);
        return bytes;
    };
    // A name longer than the 16 letters anyone may type in the dialog.
    QFile book(bookPath);
    QVERIFY(book.open(QIODevice::WriteOnly));
    book.write(withRows("Soup,#0001,5,1,0,0,0,0,0,0,0\n",
                        "Slow Roast Chicken Thighs,#0002,10,2,0,0,0,0,0,0,0\n"));
    book.close();

    bool succeeded = false;
    const QByteArray output = runOnDisplay(EditScript, workFolder.path(), {program}, succeeded);
    QVERIFY2(succeeded, output.constData());

    // The wheel step did not move the clear to A-02, and the long name came
    // back whole with its new stage time.
    QVERIFY(book.open(QIODevice::ReadOnly));
    QCOMPARE(book.readAll(), withRows(",#0001,0,0,0,0,0,0,0,0,0\n",
                                      "Slow Roast Chicken Thighs,#0002,10,7,0,0,0,0,0,0,0\n"));
}

void TstAppStartup::keysClearUndoAndRedo()
{
    QVERIFY(!toolsMissing());
    QTemporaryDir workFolder;
    QVERIFY(workFolder.isValid());
    MenuBook book;
    QByteArray defaultBook = MenuBook::defaultText().toLatin1();
    QBuffer defaultFile(&defaultBook);
    QVERIFY(defaultFile.open(QIODevice::ReadOnly));
    book.readMenuFile(defaultFile);
    book.menus[3].name = QStringLiteral("Soup");
    book.menus[3].stages[0] = {10, 2, 30};
    const QByteArray named = MenuBook::fileBytes(book.menuFileText());
    const QDir folder(workFolder.path());
    QFile workingCopy(folder.filePath(QStringLiteral("menufile.hex")));
    QVERIFY(workingCopy.open(QIODevice::WriteOnly));
    workingCopy.write(named);
    workingCopy.close();
    bool succeeded = false;
    const QByteArray output =
        runOnDisplay(KeysScript, workFolder.path(),
                     {workFolder.path(), QStringLiteral(MENU_EDITOR_EN)}, succeeded);
    QVERIFY2(succeeded, output.constData());

    const auto saved = [&folder](const char *step) {
        QFile file(folder.filePath(QLatin1String(step) + QLatin1String(".hex")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    book.clearMenu(3);
    const QByteArray cleared = MenuBook::fileBytes(book.menuFileText());
    QCOMPARE(saved("cleared"), cleared);
    QCOMPARE(saved("undone"), named);
    QCOMPARE(saved("redone"), cleared);
    QFile copied(folder.filePath(QStringLiteral("copied.txt")));
    QVERIFY(copied.open(QIODevice::ReadOnly));
    QCOMPARE(copied.readAll(), QByteArray("Jam\t#0005\t1\t0\t9\t0\t0\t0\t0\t0\t0\n"));
    book.menus[3] = {4, "A-04", "Tea", {{{10, 2, 30}}}};
    book.menus[4] = {5, "A-05", "Pie", {{{1, 0, 9}}}};
    book.menus[5] = {6, "A-06", "Tea", {{{10, 2, 30}}}};
    QCOMPARE(saved("bulk"), MenuBook::fileBytes(book.menuFileText()));
    // The saved book (the undone duplicate declined) with the slow disk's
    // edit and paste, restored after the second kill, saved.
    book.menus[0].name = QStringLiteral("Fig");
    book.menus[1] = {2, "A-02", "Rye", {{{5, 1, 0}}}};
    QCOMPARE(saved("menufile"), MenuBook::fileBytes(book.menuFileText()));
}

void TstAppStartup::savesBookNamedOnCommandLine_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<QString>("book");

    const QString launcher = QFileInfo(QStringLiteral(MENU_EDITOR_EN))
                                 .dir()
                                 .filePath(QStringLiteral("menu-editor-start"));
    QTest::newRow("en") << QStringList{QStringLiteral(MENU_EDITOR_EN)} << "book.hex";
    QTest::newRow("zh, unreadable book")
        << QStringList{QStringLiteral(MENU_EDITOR_ZH)} << "missing.hex";
    // The launcher changes the folder: the book must reach the editor by its full path.
    QTest::newRow("zh through the desktop launcher")
        << QStringList{launcher, QStringLiteral("menu_editor_zh")} << "book.hex";
}

// The real program started with a book argument on a virtual display; a
// click on Save, and what the book and the working copy then hold.
void TstAppStartup::savesBookNamedOnCommandLine()
{
    QFETCH(QStringList, command);
    QFETCH(QString, book);
    QVERIFY(!toolsMissing());
    QTemporaryDir work;
    QTemporaryDir home;
    QVERIFY(work.isValid() && home.isValid());
    const bool readable = book == QLatin1String("book.hex");
    const QDir menuFolder(
        command.size() > 1 ? home.filePath(QStringLiteral("Documents/Morvex Menus")) : work.path());
    QVERIFY(menuFolder.mkpath(QStringLiteral(".")));
    const QString workingCopy = menuFolder.filePath(QStringLiteral("menufile.hex"));
    const auto write = [](const QString &path, const QByteArray &bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    // Written as a spreadsheet might leave them (CR LF, blanks around a name,
    // rows missing); Save writes all 299 rows as the editor reads them.
    const QByteArray header = MenuBook::fileBytes(MenuBook::headerText());
    QVERIFY(!readable ||
            write(work.filePath(book), header + "  Popcorn  ,#0001,10,2,30,0,0,0,0,0,0\r\n"));
    QVERIFY(write(workingCopy, header + "Soup,#0001,5,10,0,3,1,0,0,0,0\r\n"));

    bool succeeded = false;
    const QByteArray output = runOnDisplay(SaveScript, work.path(),
                                           QStringList{workingCopy} + command + QStringList{book},
                                           succeeded, home.path());
    QVERIFY2(succeeded, output.constData());

    // An unreadable book leaves the working copy's book, and Save writes that.
    QString expected = MenuBook::defaultText();
    expected.replace(QLatin1String(",#0001,0,0,0,0,0,0,0,0,0"),
                     readable ? QLatin1String("Popcorn,#0001,10,2,30,0,0,0,0,0,0")
                              : QLatin1String("Soup,#0001,5,10,0,3,1,0,0,0,0"));
    QFile saved(workingCopy);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), expected.toLatin1());
    QFile bookFile(work.filePath(book));
    QCOMPARE(bookFile.open(QIODevice::ReadOnly) ? bookFile.readAll() : QByteArray(),
             readable ? expected.toLatin1() : QByteArray());
}

QTEST_GUILESS_MAIN(TstAppStartup)

#include "tst_appstartup.moc"
