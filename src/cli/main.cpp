#include "menubooktool.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace {

// The library logs failed writes for the editor's debug log; this program
// reports them itself, so only warnings and worse get through. A missing
// runtime folder is the normal state of a terminal without a desktop session
// and tells the user of a PDF nothing; nor does a per-monitor DPI mode that
// Windows before 10 (and Wine) refuse: a PDF has no monitor.
void quietDebug(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg ||
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")) ||
        message.startsWith(QLatin1String("SetProcessDpiAwarenessContext(")))
        return;
    QTextStream(stderr) << message << '\n';
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(quietDebug);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    std::unique_ptr<QCoreApplication> application;
    if (MenuBookTool::needsGui(arguments)) {
        // A PDF needs fonts, not a screen: run the same with or without a
        // display. Windows' own platform needs no display and, unlike the
        // offscreen one there, finds the system's fonts.
#ifndef Q_OS_WIN
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("menubook"));
#ifdef Q_OS_WIN
    // Windows hands argv over in its ANSI code page, which cannot hold every
    // name a book may have (Chinese ones outside a Chinese Windows); Qt reads
    // the command line itself, in full.
    arguments = QCoreApplication::arguments().mid(1);
#endif

    QTextStream out(stdout);
    QTextStream err(stderr);
    const int exitCode = MenuBookTool(out, err).run(arguments);
    out.flush();
    err.flush();
    return exitCode;
}
