// CPU cost of paging the main window with the mouse wheel: 300 wheel steps
// through a full book of named menus, each step delivered like a real
// wheel turn over a row and followed by the repaint it causes, on the
// offscreen platform. Also writes that book as menufile.hex into the
// folder it runs in, so the start-up benchmark loads the same book.
//
// usage: bench_page_steps [folder [steps]]
// (default: a temporary folder, 300 steps; 0 steps profiles start-up alone)

#include "bookdocument.h"
#include "framepacer.h"
#include "mainwindow.h"
#include "menubook.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// A book as a user keeps it: every menu named (letters and blanks only, as
// the file keeps them), two stages set, within the oven's timing rules.
bool writeNamedBook()
{
    const QStringList dishes = {QStringLiteral("Popcorn"),    QStringLiteral("Baked Potato"),
                                QStringLiteral("Rice"),       QStringLiteral("Frozen Pizza"),
                                QStringLiteral("Soup"),       QStringLiteral("Steamed Fish"),
                                QStringLiteral("Vegetables"), QStringLiteral("Defrost Meat")};
    const QStringList sizes = {QStringLiteral("Small"), QStringLiteral("Medium"),
                               QStringLiteral("Large"), QStringLiteral("Family")};
    MenuBook book;
    if (!book.loadStartupFile())
        return false;
    for (int menu = 0; menu < book.menuCount(); ++menu) {
        MenuRecord &record = book.menus[MenuBook::positionOfMenu(menu)];
        record.name = dishes[menu % dishes.size()] + QLatin1Char(' ') + sizes[menu / 8 % 4];
        record.stages[0] = MenuStage{10 - menu % 11, menu % 10, menu % 60};
        record.stages[1] = MenuStage{5, 2, 30};
    }
    return book.saveFile() == FileCommandResult::Done;
}

// Counts paint events, to tell how much of the window one step redraws.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// One wheel step and the repaint it causes. Kept out of line so that a
// profiler can collect this alone: valgrind --tool=callgrind
// --toggle-collect='*pageStep*' bench_page_steps
[[gnu::noinline]] void pageStep(QWidget *target, int angle)
{
    const QPointF local(400, 200);
    QWheelEvent event(local, target->mapToGlobal(local), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
    QApplication::processEvents();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir scratch;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.path();
    if (!QDir().mkpath(folder) || !QDir::setCurrent(folder) || !writeNamedBook()) {
        std::fprintf(stderr, "cannot write the book into %s\n", qPrintable(folder));
        return 1;
    }

    MenuBook book;
    BookDocument document(book);
    MainWindow window(document);
    window.show();
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();

    // A real wheel turn over a row travels from the row's label up to the
    // window; Qt lets only spontaneous wheel events travel, so this one is
    // handed to the window directly, at the place of a row.
    auto *firstCode = window.findChild<QLabel *>(QStringLiteral("labelTag_1"));
    if (!firstCode || !firstCode->isVisible()) {
        std::fprintf(stderr, "the window has no rows to page\n");
        return 1;
    }

    // Every step is measured with its own repaint, as a wheel turned slower
    // than the screen's frames meets it; the window's pacing of faster
    // turns shows in the X11 measure.
    delete window.findChild<FramePacer *>();

    PaintCounter counter;
    app.installEventFilter(&counter);

    const int Steps = argc > 2 ? std::max(0, QString::fromLocal8Bit(argv[2]).toInt()) : 300;
    constexpr int LastFirstShown = 282;
    std::vector<double> stepMs;
    int firstShown = 0;
    int direction = -120; // towards the user: later menus
    int stuck = 0;
    const double start = processCpuMs();
    for (int step = 0; step < Steps; ++step) {
        if (firstShown == LastFirstShown)
            direction = 120;
        else if (firstShown == 0)
            direction = -120;
        const QString before = firstCode->text();
        const double t0 = processCpuMs();
        pageStep(&window, direction);
        stepMs.push_back(processCpuMs() - t0);
        firstShown += direction < 0 ? 1 : -1;
        if (firstCode->text() == before)
            ++stuck;
    }
    const double total = processCpuMs() - start;

    if (Steps == 0)
        return 0;
    std::sort(stepMs.begin(), stepMs.end());
    std::printf("steps=%d\n", Steps);
    std::printf("step_cpu_ms_mean=%.3f\n", total / Steps);
    std::printf("step_cpu_ms_median=%.3f\n", stepMs[Steps / 2]);
    std::printf("step_cpu_ms_max=%.3f\n", stepMs.back());
    std::printf("paints_per_step=%.1f\n", double(counter.paints) / Steps);
    if (stuck) {
        std::fprintf(stderr, "%d of %d wheel steps did not move the page\n", stuck, Steps);
        return 1;
    }
    return 0;
}
