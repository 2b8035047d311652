// Prints the performance table: each row the median ratio of alternating runs of the editor's
// side and its baseline, so a busy machine slows both alike. Runs to their end are timed by
// their processor time; the launch row, which waits on other processes, by the clock. Run it under
// an X server (the launch row starts a window manager there); see scripts/bench.
//     bench_table BIN_DIR
// BIN_DIR holds stepwright, stepwright-check and the bench programs.
#include "bench_support.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace {

using Command = std::vector<std::string>;

struct Run
{
    double seconds = 0;
    double peakKilobytes = 0;
};

double now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "bench_table: %s\n", what.c_str());
    std::exit(2);
}

// Starts the command with standard output into a pipe (returned) and the given platform.
pid_t start(const Command& command, const char* platform, int* output)
{
    int fds[2];
    if (pipe(fds) != 0)
        fail("no pipe");
    const pid_t pid = fork();
    if (pid < 0)
        fail("no fork");
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        setenv("QT_QPA_PLATFORM", platform, 1);
        std::vector<char*> argv;
        for (const std::string& arg : command)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    *output = fds[0];
    return pid;
}

std::string drain(int fd)
{
    std::string text;
    char buffer[65536];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) != 0;) {
        if (n > 0)
            text.append(buffer, std::size_t(n));
    }
    close(fd);
    return text;
}

double seconds(const timeval& time)
{
    return double(time.tv_sec) + double(time.tv_usec) / 1e6;
}

// The processor time of the ended run, its own and the system's for it: on a shared machine
// the time spent waiting for a processor would only measure the neighbours.
Run finish(pid_t pid, const Command& command)
{
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail("failed: " + command[0]);
    return {seconds(usage.ru_utime) + seconds(usage.ru_stime), double(usage.ru_maxrss)};
}

// A run to its end, its output read through the pipe.
Run runToEnd(const Command& command, const char* platform = "offscreen",
             std::string* text = nullptr)
{
    int output = -1;
    const pid_t pid = start(command, platform, &output);
    const std::string out = drain(output);
    if (text)
        *text = out;
    return finish(pid, command);
}

// Watches the X server for top-level windows being mapped (frames, under a window manager).
class MapWatch
{
public:
    MapWatch()
    {
        m_connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_connection))
            fail("no X display");
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
    }
    ~MapWatch() { xcb_disconnect(m_connection); }
    MapWatch(const MapWatch&) = delete;
    MapWatch& operator=(const MapWatch&) = delete;

    void discardEvents()
    {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection))
            std::free(event);
    }

    // Waits up to timeout seconds for the next map of a window on the root.
    bool waitForMap(double timeout)
    {
        const double end = now() + timeout;
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
                std::free(event);
                if (mapped)
                    return true;
            }
            const double left = end - now();
            if (left <= 0)
                return false;
            pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            poll(&fd, 1, int(left * 1000) + 1);
        }
    }

private:
    xcb_connection_t* m_connection = nullptr;
};

// From launch until the program's first window is mapped, on the clock: the X server and the
// window manager work for it too. The program is then ended.
double launchToMapped(MapWatch& watch, const Command& command)
{
    watch.discardEvents();
    int output = -1;
    const double started = now();
    const pid_t pid = start(command, "xcb", &output);
    if (!watch.waitForMap(20))
        fail("no window mapped: " + command[0]);
    const double seconds = now() - started;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    drain(output);
    return seconds;
}

// Starts openbox and waits until it manages the screen.
pid_t startWindowManager(MapWatch& watch)
{
    const pid_t pid = fork();
    if (pid == 0) {
        // Its complaints about a missing menu file are no part of the table.
        if (const int null = open("/dev/null", O_WRONLY); null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
        _exit(127);
    }
    // Openbox maps nothing of its own; give it time to take the screen over.
    watch.waitForMap(1.5);
    return pid;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2)
        fail("usage: bench_table BIN_DIR");
    const std::string bin = std::string(argv[1]) + "/";
    QTemporaryDir folder;
    if (!folder.isValid())
        fail("no temporary folder");
    // No user's settings or recovery copies are read or written, and Qt finds a runtime
    // folder of its own.
    const QByteArray home = folder.path().toLocal8Bit();
    setenv("XDG_CONFIG_HOME", home.constData(), 1);
    setenv("XDG_DATA_HOME", home.constData(), 1);
    setenv("HOME", home.constData(), 1);
    setenv("XDG_RUNTIME_DIR", home.constData(), 1);

    std::vector<std::string> scripts;
    const QByteArray script = bench::fullScript();
    for (int i = 0; i < 1000; ++i) {
        const QString path =
            folder.filePath(QStringLiteral("script%1.scp").arg(i, 4, 10, QLatin1Char('0')));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(script) != script.size())
            fail("cannot write the scripts");
        scripts.push_back(path.toStdString());
    }

    std::string size;
    runToEnd({bin + "bench_window", "editor", "--size"}, "offscreen", &size);
    const std::string width = size.substr(0, size.find(' '));
    const std::string height =
        size.substr(size.find(' ') + 1, size.find('\n') - size.find(' ') - 1);
    const Command editor{bin + "bench_window", "editor"};
    const Command bare{bin + "bench_window", "bare", width, height};
    const Command label{bin + "bench_window", "label", width, height};

    std::printf("| %-66s | %6s | %s |\n|---|---|---|\n", "Measure", "Now", "Goal");
    const std::vector<double> paint = bench::pairedRatios(21, [&](bool a) {
        const Run run = runToEnd(a ? editor : bare);
        return std::vector<double>{run.seconds, run.peakKilobytes};
    });
    bench::printRow("Start to end of first paint (offscreen) vs a bare QMainWindow", paint[0],
                    "<= 1.30x");
    const std::vector<double> labelled = bench::pairedRatios(
        21, [&](bool a) { return std::vector<double>{runToEnd(a ? editor : label).seconds}; });
    bench::printRow("First paint, as above, vs a QMainWindow with one label", labelled[0],
                    "(for reference)");

    {
        MapWatch watch;
        const pid_t windowManager = startWindowManager(watch);
        const Command program{bin + "stepwright"};
        const std::vector<double> launch = bench::pairedRatios(21, [&](bool a) {
            return std::vector<double>{launchToMapped(watch, a ? program : bare)};
        });
        kill(windowManager, SIGTERM);
        waitpid(windowManager, nullptr, 0);
        bench::printRow("Launch to window mapped (Xvfb + openbox) vs a bare Qt window", launch[0],
                        "<= 1.40x");
    }

    bench::printRow("Peak resident memory, offscreen pair above", paint[1], "<= 1.30x");

    Command check{bin + "stepwright-check"};
    Command cat{"cat"};
    check.insert(check.end(), scripts.begin(), scripts.end());
    cat.insert(cat.end(), scripts.begin(), scripts.end());
    const std::vector<double> many = bench::pairedRatios(
        7, [&](bool a) { return std::vector<double>{runToEnd(a ? check : cat).seconds}; });
    bench::printRow("stepwright-check over 1000 full scripts vs cat through a pipe", many[0],
                    "<= 1.30x");

    const Command checkOne{bin + "stepwright-check", scripts.front()};
    const Command emptyApp{bin + "bench_empty_app"};
    const std::vector<double> one = bench::pairedRatios(
        21, [&](bool a) { return std::vector<double>{runToEnd(a ? checkOne : emptyApp).seconds}; });
    bench::printRow("stepwright-check on one full script vs an empty QCoreApplication", one[0],
                    "<= 1.15x");

    std::fflush(stdout);
    std::string edits;
    runToEnd({bin + "bench_window_edits"}, "offscreen", &edits);
    std::fputs(edits.c_str(), stdout);
    return 0;
}
