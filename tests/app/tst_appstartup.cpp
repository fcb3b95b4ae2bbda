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

// Runs on the virtual display: start the program, wait for its window, let
// it paint, take the screenshot, end the program. Every wait is bounded.
const char StartScript[] = R"(#!/bin/sh
program=$1 screenshot=$2 geometry=$3
"$program" &
pid=$!
tries=0
until xwininfo -root -tree 2>/dev/null | grep -q '"Morvex Menu Editor"'; do
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "the program ended before showing its window" >&2
        exit 3
    fi
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ]; then
        echo "no window after 20 s" >&2
        kill "$pid"
        exit 4
    fi
    sleep 0.1
done
sleep 1
xwininfo -name "Morvex Menu Editor" > "$geometry"
import -window root "$screenshot"
status=$?
kill "$pid"
wait "$pid"
exit $status
)";

constexpr int RunLimitMs = 90000;

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
    for (const char *tool : {"xvfb-run", "xwininfo", "import", "timeout"}) {
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                 qPrintable(QStringLiteral("%1 is missing; scripts/deps.sh installs it")
                                .arg(QLatin1String(tool))));
    }
    QVERIFY2(QFile::exists(program), qPrintable(program + QStringLiteral(" is not built")));

    QTemporaryDir workFolder;
    QTemporaryDir scratch;
    QVERIFY(workFolder.isValid() && scratch.isValid());
    const QString script = scratch.filePath(QStringLiteral("start.sh"));
    const QString screenshot = scratch.filePath(QStringLiteral("screen.png"));
    const QString geometryFile = scratch.filePath(QStringLiteral("geometry.txt"));
    QFile scriptFile(script);
    QVERIFY(scriptFile.open(QIODevice::WriteOnly));
    scriptFile.write(StartScript);
    scriptFile.close();

    QProcess run;
    run.setWorkingDirectory(workFolder.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::MergedChannels);
    // timeout signals its whole process group (display server, script and
    // program) should anything in the run hang.
    run.start(QStringLiteral("timeout"),
              {QStringLiteral("--kill-after=5"), QStringLiteral("80"), QStringLiteral("xvfb-run"),
               QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x800x24"),
               QStringLiteral("sh"), script, program, screenshot, geometryFile});
    if (!run.waitForFinished(RunLimitMs)) {
        run.kill();
        run.waitForFinished();
        QFAIL("the program run did not end in time");
    }
    const QByteArray output = run.readAll();
    QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0, output.constData());

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

void TstAppStartup::savesBookNamedOnCommandLine_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<QString>("book");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("menuFolder"); // under the home folder; empty: the working folder

    const QString launcher = QFileInfo(QStringLiteral(MENU_EDITOR_EN))
                                 .dir()
                                 .filePath(QStringLiteral("menu-editor-start"));
    QTest::newRow("en") << QStringList{QStringLiteral(MENU_EDITOR_EN)} << "book.hex" << true
                        << QString();
    QTest::newRow("zh, unreadable book")
        << QStringList{QStringLiteral(MENU_EDITOR_ZH)} << "missing.hex" << false << QString();
    // The launcher changes the folder: the book must reach the editor by its full path.
    QTest::newRow("zh through the desktop launcher")
        << QStringList{launcher, QStringLiteral("menu_editor_zh")} << "book.hex" << true
        << "Documents/Morvex Menus";
}

// Starts the real program with a book argument on a virtual display, clicks
// Save and checks what the book and the working copy then hold.
void TstAppStartup::savesBookNamedOnCommandLine()
{
    QFETCH(QStringList, command);
    QFETCH(QString, book);
    QFETCH(bool, readable);
    QFETCH(QString, menuFolder);
    // Waits for the window, clicks Save and waits for the working copy
    // ($1) to be rewritten; the program and its arguments follow.
    static const char SaveScript[] = R"(#!/bin/sh
watched=$1
shift
"$@" &
pid=$!
tries=0
until xwininfo -name "Morvex Menu Editor" 2>/dev/null | grep -q IsViewable; do
    tries=$((tries + 1))
    if ! kill -0 "$pid" 2>/dev/null || [ "$tries" -gt 200 ]; then
        echo "no window" >&2
        kill "$pid" 2>/dev/null
        exit 3
    fi
    sleep 0.1
done
geometry=$(xwininfo -name "Morvex Menu Editor")
x=$(echo "$geometry" | sed -n 's/.*Absolute upper-left X: *//p')
y=$(echo "$geometry" | sed -n 's/.*Absolute upper-left Y: *//p')
stamp=$(mktemp)
# A busy machine may lose a click to a window still settling; Save again.
tries=0
until [ "$watched" -nt "$stamp" ] || [ "$tries" -gt 100 ]; do
    [ $((tries % 30)) -eq 0 ] && xdotool mousemove $((x + 102)) $((y + 554)) click 1
    tries=$((tries + 1))
    sleep 0.1
done
rm -f "$stamp"
kill "$pid"
wait "$pid"
exit 0
)";
    for (const char *tool : {"xvfb-run", "xwininfo", "xdotool", "timeout"}) {
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                 qPrintable(QStringLiteral("%1 is missing; scripts/deps.sh installs it")
                                .arg(QLatin1String(tool))));
    }
    QTemporaryDir workFolder;
    QTemporaryDir home;
    QVERIFY(workFolder.isValid() && home.isValid());
    const QDir work(workFolder.path());
    const QDir copyFolder(menuFolder.isEmpty() ? work.path()
                                               : QDir(home.path()).filePath(menuFolder));
    QVERIFY(copyFolder.mkpath(QStringLiteral(".")));

    // Both books as a spreadsheet might leave them: CR LF, blanks around a
    // name, rows missing. Save writes them as the editor's reader sees them.
    const QByteArray header = MenuBook::fileBytes(MenuBook::headerText());
    const QByteArray bookBytes = header + "  Popcorn  ,#0001,10,2,30,0,0,0,0,0,0\r\n";
    const QByteArray workingBytes = header + "Soup,#0001,5,10,0,3,1,0,0,0,0\r\n";
    const auto saved = [](const QByteArray &bytes) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        MenuBook read;
        read.readMenuFile(buffer);
        return MenuBook::fileBytes(read.menuFileText());
    };
    const auto contents = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    };
    const auto write = [](const QString &path, const QByteArray &bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    if (readable)
        QVERIFY(write(work.filePath(book), bookBytes));
    const QString workingCopy = copyFolder.filePath(QStringLiteral("menufile.hex"));
    QVERIFY(write(workingCopy, workingBytes));
    const QString script = QDir(home.path()).filePath(QStringLiteral("save.sh"));
    QVERIFY(write(script, SaveScript));

    QProcess run;
    run.setWorkingDirectory(work.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
    environment.remove(QStringLiteral("XDG_DATA_HOME"));
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QStringLiteral("timeout"),
              QStringList{QStringLiteral("--kill-after=5"), QStringLiteral("80"),
                          QStringLiteral("xvfb-run"), QStringLiteral("-a"), QStringLiteral("-s"),
                          QStringLiteral("-screen 0 1280x800x24"), QStringLiteral("sh"), script,
                          workingCopy} +
                  command + QStringList{book});
    if (!run.waitForFinished(RunLimitMs)) {
        run.kill();
        run.waitForFinished();
        QFAIL("the program run did not end in time");
    }
    const QByteArray output = run.readAll();
    QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0, output.constData());

    // An unreadable book leaves the working copy's book on screen, and Save
    // writes that one.
    const QByteArray expected = saved(readable ? bookBytes : workingBytes);
    QCOMPARE(contents(workingCopy), expected);
    if (readable)
        QCOMPARE(contents(work.filePath(book)), expected);
    else
        QVERIFY(!work.exists(book));
}

QTEST_GUILESS_MAIN(TstAppStartup)

#include "tst_appstartup.moc"
