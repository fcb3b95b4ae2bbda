#include "bookdocument.h"
#include "bookrecovery.h"
#include "commandline.h"
#include "edition.h"
#include "filedialogchooser.h"
#include "mainwindow.h"
#include "menubook.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QEvent>
#include <QFont>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <utility>

#ifdef __GLIBC__
#include <malloc.h>
#endif
#ifdef MORVEX_WARM_FONTCONFIG
#include <fontconfig/fontconfig.h>
#include <thread>
#endif
#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

int answer(const CommandLine &line)
{
    const bool refused = line.action == CommandLine::Action::Refuse;
    std::fputs(line.text.toLocal8Bit().constData(), refused ? stderr : stdout);
    return refused ? 2 : 0;
}

// Runs work once the window has drawn its first frame, so that what can
// wait does not delay what the user sees first; or after a second, should
// the window not be drawn (started minimised, on a hidden desktop).
class AfterFirstFrame : public QObject
{
public:
    AfterFirstFrame(QWidget *window, std::function<void()> work)
        : QObject(window), work(std::move(work))
    {
        window->installEventFilter(this);
        QTimer::singleShot(1000, this, [this] { run(); });
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            // After this paint and the rest of the frame.
            QTimer::singleShot(0, this, [this] { run(); });
        }
        return false;
    }

private:
    void run()
    {
        parent()->removeEventFilter(this);
        if (work)
            std::exchange(work, nullptr)();
    }

    std::function<void()> work;
};

#ifdef MORVEX_WARM_FONTCONFIG
// Reading the system's font configuration is about a fifth of the work
// before the first frame, and the first text drawn waits for it. It needs
// nothing of Qt: a second core reads it while the application object and
// the window are built, and Qt then finds it read.
class FontConfigWarmer
{
public:
    FontConfigWarmer() : reader([] { FcInit(); }) {}
    ~FontConfigWarmer() { reader.join(); }

private:
    std::thread reader;
};
#endif

} // namespace

int main(int argc, char *argv[])
{
#ifdef __GLIBC__
    // The display connection, the recovery writer and the font reader each
    // allocate little; a heap of their own each kept about 200 KiB more
    // resident than the one heap they now share.
    mallopt(M_ARENA_MAX, 1);
#endif
    const QString programName = QStringLiteral(MORVEX_PROGRAM_NAME);
    const QString version = QStringLiteral(MORVEX_VERSION);
    // --help, --version and refusals answer before the application object
    // exists, so that they work without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // Arguments refused for anything but one of Qt's own options are refused
    // here too: the application object would first demand a display.
    CommandLine line =
        CommandLine::parse(CommandLine::withoutQtOptions(arguments), programName, version);
    if (line.action != CommandLine::Action::Run)
        return answer(line);

#ifdef MORVEX_WARM_FONTCONFIG
    const FontConfigWarmer fontConfigWarmer;
#endif
    QApplication app(argc, argv);
    // The application object has taken out Qt's own options (-platform,
    // -style, ...), which the first reading refused.
    line = CommandLine::parse(QCoreApplication::arguments(), programName, version);
    if (line.action != CommandLine::Action::Run)
        return answer(line);
#ifdef Q_OS_WIN
    // Windows will not replace or delete a program or DLL that is running,
    // so an installer or uninstaller at work beside a running editor would
    // leave half an installation. Both editions hold this mutex while they
    // run; the installer and uninstaller wait until no one does. Windows
    // closes the handle when the process ends, however it ends.
    CreateMutexW(nullptr, FALSE, L"MorvexMenuEditorRunning");
#endif
#ifdef MORVEX_CHINESE_EDITION
    // The forms ask for "微软雅黑", which Linux systems lack. Left to itself,
    // Qt takes a CJK font by script and, outside a Chinese locale, with
    // Japanese glyph forms. The English edition shows Latin text only and
    // keeps the system's default font, without the cost of a CJK font.
    QFont::insertSubstitutions(QStringLiteral("微软雅黑"), {QStringLiteral("Noto Sans CJK SC"),
                                                            QStringLiteral("Source Han Sans SC"),
                                                            QStringLiteral("WenQuanYi Micro Hei")});
    if (!setEdition(Edition::Chinese))
        qWarning("The Chinese texts are missing from this build; showing English.");
#endif
#ifdef Q_OS_WIN
    // Outside a Chinese locale Windows may know the forms' font only by its
    // English name, and where it lacks the font (Wine, stripped systems)
    // Qt's last resort is a serif face. Windows' own sans faces keep the
    // look Linux gets from its sans default; under Wine, which may have none
    // of them, the Linux default itself.
    QFont::insertSubstitutions(QStringLiteral("微软雅黑"),
                               {QStringLiteral("Microsoft YaHei"), QStringLiteral("Segoe UI"),
                                QStringLiteral("Tahoma"), QStringLiteral("Arial"),
                                QStringLiteral("DejaVu Sans")});
#endif

    // The one book of the run: it outlives the window that shows it.
    MenuBook book;
    FileDialogChooser chooser;
    book.setFileChooser(&chooser);

    // The book as it is being edited: its history, saved state and recovery.
    BookDocument document(book);
    MainWindow window(document);
    // The taskbar marks a book with unsaved changes; the title band does not.
    window.setWindowTitle(QStringLiteral("Morvex Menu Editor[*]"));
    window.show();
    // Keys work at once, also where no window manager hands out the focus.
    window.activateWindow();
    if (!line.bookPath.isEmpty())
        window.openBook(line.bookPath);
    // Unsaved menus outlive a crash or a power cut, in the user's own data
    // folder, one file per working folder.
    BookRecovery recovery(QDir::currentPath());
    new AfterFirstFrame(&window, [&document, &recovery] { document.keepRecovery(recovery); });
    return app.exec();
}
