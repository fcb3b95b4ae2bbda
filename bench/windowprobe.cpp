// Watches a real program on an X display (normally Xvfb) from outside:
// how long it takes until its window is mapped and first painted, how
// much memory it peaked at, and how much CPU it burns while nobody touches
// it. Nothing is linked into the program, so what is measured is exactly
// what a user starts.
//
// usage: bench_window_probe --reference PROGRAM --subject PROGRAM [--runs N]
//                           [--idle SECONDS] [--size WxH] [--workdir DIR]
//
// Prints key=value lines for both programs: medians over the runs of the
// time to the mapped window (map_ms) and to its first painted frame
// (frame_ms), of the peak resident memory (hwm_kib), and with --idle the
// subject's CPU share of one core while it sits idle (idle_cpu_percent);
// and the ratios subject / reference of each pair of runs, their median and
// their spread (ratio_map, ratio_frame, ratio_hwm and _min, _max).

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <csignal>
#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Options
{
    int runs = 5;
    int idleSeconds = 0;
    int width = 955;
    int height = 590;
    std::string workdir = ".";
    std::string reference;
    std::string subject;
};

struct RunResult
{
    double mapMs = 0;
    double frameMs = 0;
    double frameCpuMs = 0;
    long hwmKib = 0;
    double idleCpuPercent = -1;
};

[[noreturn]] void die(const std::string &message)
{
    std::fprintf(stderr, "bench_window_probe: %s\n", message.c_str());
    std::exit(1);
}

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// CPU time of all the process's threads so far, in nanoseconds; finer
// than the clock ticks of /proc/<pid>/stat, for short start-ups.
double cpuMsAllThreads(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    struct CloseDir
    {
        void operator()(DIR *dir) const { closedir(dir); }
    };
    std::unique_ptr<DIR, CloseDir> dir(opendir(tasks.c_str()));
    if (!dir)
        return -1;
    double ns = 0;
    while (const dirent *entry = readdir(dir.get())) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream schedstat(tasks + "/" + entry->d_name + "/schedstat");
        double onCpu = 0;
        if (schedstat >> onCpu)
            ns += onCpu;
    }
    return ns / 1e6;
}

long peakResidentKib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

class Display
{
public:
    Display()
    {
        connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection))
            die("cannot connect to the X display");
        root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection);
    }
    ~Display() { xcb_disconnect(connection); }
    Display(const Display &) = delete;
    Display &operator=(const Display &) = delete;

    // Forgets what earlier runs left in the queue.
    void drainEvents()
    {
        xcb_flush(connection);
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection))
            std::free(event);
    }

    // The next top-level window of the given size that gets mapped.
    xcb_window_t waitForMap(int width, int height, pid_t pid, Clock::time_point deadline)
    {
        while (Clock::now() < deadline) {
            std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(
                xcb_poll_for_event(connection), &std::free);
            if (!event) {
                if (xcb_connection_has_error(connection))
                    die("lost the X display");
                if (waitpid(pid, nullptr, WNOHANG) == pid)
                    die("the program exited before showing its window");
                std::this_thread::sleep_for(std::chrono::microseconds(200));
                continue;
            }
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
                continue;
            const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event.get());
            if (hasSize(map->window, width, height))
                return map->window;
        }
        die("no window was shown in time");
    }

    // Waits until the window's content differs from what it showed when it
    // was mapped: the program has drawn and flushed its first frame.
    void waitForFirstFrame(xcb_window_t window, int width, int height, Clock::time_point deadline)
    {
        const std::vector<uint32_t> before = samples(window, width, height);
        while (Clock::now() < deadline) {
            if (samples(window, width, height) != before)
                return;
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
        die("the window was never painted");
    }

private:
    bool hasSize(xcb_window_t window, int width, int height)
    {
        std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
            xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr),
            &std::free);
        return geometry && geometry->width == width && geometry->height == height;
    }

    // A few pixels spread over the window; any of them changes on the
    // first paint of a window that is not all black.
    std::vector<uint32_t> samples(xcb_window_t window, int width, int height)
    {
        std::vector<uint32_t> values;
        for (int yi = 1; yi <= 3; ++yi) {
            for (int xi = 1; xi <= 3; ++xi) {
                const auto x = static_cast<int16_t>(width * xi / 4);
                const auto y = static_cast<int16_t>(height * yi / 4);
                std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> image(
                    xcb_get_image_reply(connection,
                                        xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window,
                                                      x, y, 1, 1, ~0u),
                                        nullptr),
                    &std::free);
                uint32_t value = 0;
                if (image && xcb_get_image_data_length(image.get()) >= 4)
                    std::memcpy(&value, xcb_get_image_data(image.get()), 4);
                values.push_back(value);
            }
        }
        return values;
    }

    xcb_connection_t *connection = nullptr;
    xcb_window_t root = 0;
};

pid_t launch(const Options &options, const std::string &program)
{
    const pid_t pid = fork();
    if (pid < 0)
        die("fork failed");
    if (pid == 0) {
        if (chdir(options.workdir.c_str()) != 0)
            _exit(126);
        execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    return pid;
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

RunResult measureOnce(Display &display, const Options &options, const std::string &program,
                      bool idle)
{
    display.drainEvents();
    const auto start = Clock::now();
    const pid_t pid = launch(options, program);
    const auto deadline = start + std::chrono::seconds(60);
    RunResult result;
    const xcb_window_t window = display.waitForMap(options.width, options.height, pid, deadline);
    result.mapMs = msSince(start);
    display.waitForFirstFrame(window, options.width, options.height, deadline);
    result.frameMs = msSince(start);
    result.frameCpuMs = cpuMsAllThreads(pid);

    // Let start-up work that follows the first frame finish before
    // measuring what the window costs while it just sits there.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    if (idle) {
        // The scheduler's nanoseconds, not the 10 ms ticks of /proc/PID/stat:
        // over 20 s one tick more or less moved the figure by 0.05 points.
        const double cpuBefore = cpuMsAllThreads(pid);
        const auto idleStart = Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(options.idleSeconds));
        const double cpuMs = cpuMsAllThreads(pid) - cpuBefore;
        result.idleCpuPercent = 100.0 * cpuMs / msSince(idleStart);
    }
    result.hwmKib = peakResidentKib(pid);
    stop(pid);
    return result;
}

template <typename T, typename F> double median(const std::vector<T> &runs, F value)
{
    std::vector<double> values;
    for (const auto &run : runs)
        values.push_back(value(run));
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

Options parse(int argc, char **argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            die("missing value for " + arg);
        const std::string value = argv[++i];
        if (arg == "--runs")
            options.runs = std::max(1, std::stoi(value));
        else if (arg == "--idle")
            options.idleSeconds = std::max(0, std::stoi(value));
        else if (arg == "--workdir")
            options.workdir = value;
        else if (arg == "--reference")
            options.reference = value;
        else if (arg == "--subject")
            options.subject = value;
        else if (arg == "--size") {
            if (std::sscanf(value.c_str(), "%dx%d", &options.width, &options.height) != 2)
                die("--size wants WIDTHxHEIGHT");
        } else
            die("unknown option " + arg);
    }
    if (options.reference.empty() || options.subject.empty())
        die("--reference and --subject are both needed");
    // The programs start in --workdir: a relative name would no longer point at them.
    for (std::string *program : {&options.reference, &options.subject}) {
        std::unique_ptr<char, decltype(&std::free)> absolute(realpath(program->c_str(), nullptr),
                                                             &std::free);
        if (!absolute)
            die("no such program: " + *program);
        *program = absolute.get();
    }
    return options;
}

// The subject's runs against the reference's, pair by pair (they took
// turns): the median ratio and the spread of the ratios.
template <typename F>
void reportRatio(const char *name, const std::vector<RunResult> &reference,
                 const std::vector<RunResult> &subject, F value)
{
    std::vector<double> ratios;
    for (size_t run = 0; run < subject.size(); ++run)
        ratios.push_back(value(subject[run]) / value(reference[run]));
    std::sort(ratios.begin(), ratios.end());
    const auto same = [](double ratio) {
        return ratio;
    };
    std::printf("ratio_%s=%.3f\nratio_%s_min=%.3f\nratio_%s_max=%.3f\n", name, median(ratios, same),
                name, ratios.front(), name, ratios.back());
}

void report(const char *name, const std::vector<RunResult> &runs)
{
    std::printf("%s_map_ms=%.1f\n", name, median(runs, [](const RunResult &r) { return r.mapMs; }));
    std::printf("%s_frame_ms=%.1f\n", name,
                median(runs, [](const RunResult &r) { return r.frameMs; }));
    std::printf("%s_frame_cpu_ms=%.1f\n", name,
                median(runs, [](const RunResult &r) { return r.frameCpuMs; }));
    std::printf("%s_hwm_kib=%.0f\n", name,
                median(runs, [](const RunResult &r) { return double(r.hwmKib); }));
}

} // namespace

int main(int argc, char **argv)
{
    const Options options = parse(argc, argv);
    // One connection for all runs: an X server may reset whenever its last
    // client leaves, and would then refuse the next run's connection.
    Display display;
    // One unmeasured start of each warms the file cache, as for a user who
    // has started the program before; then the two take turns, so a busy
    // moment of the machine hits both alike.
    measureOnce(display, options, options.reference, false);
    measureOnce(display, options, options.subject, false);
    std::vector<RunResult> reference, subject;
    for (int run = 0; run < options.runs; ++run) {
        reference.push_back(measureOnce(display, options, options.reference, false));
        subject.push_back(measureOnce(display, options, options.subject, false));
    }
    report("reference", reference);
    report("subject", subject);
    reportRatio("map", reference, subject, [](const RunResult &r) { return r.mapMs; });
    reportRatio("frame", reference, subject, [](const RunResult &r) { return r.frameMs; });
    reportRatio("hwm", reference, subject, [](const RunResult &r) { return double(r.hwmKib); });
    if (options.idleSeconds > 0) {
        std::vector<RunResult> idle;
        for (int run = 0; run < 3; ++run)
            idle.push_back(measureOnce(display, options, options.subject, true));
        const auto share = [](const RunResult &r) { return r.idleCpuPercent; };
        std::printf("subject_idle_cpu_percent=%.3f\n", median(idle, share));
        const auto [low, high] = std::minmax_element(
            idle.begin(), idle.end(),
            [](const RunResult &a, const RunResult &b) { return a.idleCpuPercent < b.idleCpuPercent; });
        std::printf("subject_idle_cpu_percent_min=%.3f\nsubject_idle_cpu_percent_max=%.3f\n",
                    low->idleCpuPercent, high->idleCpuPercent);
    }
    return 0;
}
