// The editors' answers to their arguments that need no window: the usage,
// the version, and status 2 for arguments they do not understand.

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TstCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
};

void TstCommandLine::answers_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output"); // pattern for standard output
    QTest::addColumn<QString>("errors"); // pattern for standard error

    const QString en = QStringLiteral(MENU_EDITOR_EN);
    const QString zh = QStringLiteral(MENU_EDITOR_ZH);
    const QString usage = QStringLiteral("^Usage: menu_editor_%1 \\[options\\] \\[BOOK.hex\\]\n");
    const QString version = QStringLiteral("^menu_editor_%1 " MORVEX_VERSION "\n$");
    QTest::newRow("en --help") << en << QStringList{"--help"} << 0 << usage.arg("en") << "^$";
    QTest::newRow("zh -h") << zh << QStringList{"-h"} << 0 << usage.arg("zh") << "^$";
    QTest::newRow("en --version") << en << QStringList{"--version"} << 0 << version.arg("en")
                                  << "^$";
    QTest::newRow("zh -v") << zh << QStringList{"-v"} << 0 << version.arg("zh") << "^$";
    QTest::newRow("Qt's own option") << en << QStringList{"-platform", "offscreen", "--version"}
                                     << 0 << version.arg("en") << "^$";
    QTest::newRow("unknown option")
        << en << QStringList{"--frobnicate", "book.hex"} << 2 << "^$"
        << "menu_editor_en: Unknown option 'frobnicate'.\nUsage: menu_editor_en ";
    QTest::newRow("two books") << zh << QStringList{"a.hex", "b.hex"} << 2 << "^$"
                               << "menu_editor_zh: Only one book can be opened.\nUsage: ";
}

void TstCommandLine::answers()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QString, errors);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());

    QProcess run;
    run.setWorkingDirectory(folder.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Help and version are read in a terminal without a display too.
    if (status == 0) {
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QLatin1String(name));
    }
    run.setProcessEnvironment(environment);
    run.start(program, arguments);
    QVERIFY(run.waitForFinished(30000));

    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.exitCode(), status);
    const QString printed = QString::fromLocal8Bit(run.readAllStandardOutput());
    QVERIFY2(printed.contains(QRegularExpression(output)), qPrintable(printed));
    // Qt's own warnings may come first.
    const QString complaints = QString::fromLocal8Bit(run.readAllStandardError());
    QVERIFY2(status == 0 ? !complaints.contains(QLatin1String("Usage"))
                         : complaints.contains(QRegularExpression(errors)),
             qPrintable(complaints));
    // Nothing was started: no working copy was written.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
}

QTEST_GUILESS_MAIN(TstCommandLine)

#include "tst_commandline.moc"
