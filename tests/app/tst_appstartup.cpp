// The real programs, started as a user would start them in an empty folder,
// on a virtual X display: the window comes up, the working copy is written
// and a screenshot shows the window.

#include "menubook.h"

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
    // Clicks Save once the window shows and waits for the working copy ($1)
    // to be rewritten; the program and its arguments follow.
    static const char SaveScript[] = R"(#!/bin/sh
watched=$1
shift
"$@" &
pid=$!
stamp=$(mktemp)
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Morvex Menu Editor$' | head -n 1)
# A busy machine may lose a click to a window still settling: Save again.
for try in 1 2 3 4 5 6 7 8 9 10; do
    [ "$watched" -nt "$stamp" ] && break
    xdotool mousemove --window "$window" 102 554 click 1
    sleep 1
done
kill "$pid"
wait "$pid"
exit 0
)";
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(),
             "xdotool is missing; scripts/deps.sh installs it");
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
    const QString script = home.filePath(QStringLiteral("save.sh"));
    QVERIFY(write(script, SaveScript));

    QProcess run;
    run.setWorkingDirectory(work.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QStringLiteral("timeout"),
              QStringList{QStringLiteral("--kill-after=5"), QStringLiteral("80"),
                          QStringLiteral("xvfb-run"), QStringLiteral("-a"), QStringLiteral("-s"),
                          QStringLiteral("-screen 0 1280x800x24"), QStringLiteral("sh"), script,
                          workingCopy} +
                  command + QStringList{book});
    QVERIFY(run.waitForFinished(RunLimitMs));
    QVERIFY2(run.exitCode() == 0, run.readAll().constData());

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
