#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

extern char **environ;

// The window's start-up as the user meets it: from launching the program to
// the map of its main window on an X display, side by side with a bare Qt
// Widgets program showing a maximised main window. Both run under a virtual
// display of their own; the benchmark is a client of that display and hears
// the map from the X server itself, so nothing in the programs is changed or
// polled. Runs alternate between the two programs, and the medians compare.
namespace {

const QString kProgramDir = QStringLiteral(SOLVANE_PROGRAM_DIR);
// The title of both main windows; the program's splash has another.
const QByteArray kTitle = QByteArrayLiteral("Solvane");
constexpr int kTimeoutMs = 30000;

pid_t spawn(const std::vector<QByteArray> &arguments, const std::vector<QByteArray> &environment,
            posix_spawn_file_actions_t *actions) {
    std::vector<char *> argv;
    for (const QByteArray &a : arguments)
        argv.push_back(const_cast<char *>(a.constData()));
    argv.push_back(nullptr);
    std::vector<char *> envp;
    for (const QByteArray &e : environment)
        envp.push_back(const_cast<char *>(e.constData()));
    envp.push_back(nullptr);
    pid_t pid = 0;
    return posix_spawnp(&pid, argv[0], actions, nullptr, argv.data(), envp.data()) == 0 ? pid : -1;
}

void end(pid_t pid, int signal = SIGKILL) {
    if (pid <= 0)
        return;
    kill(pid, signal);
    waitpid(pid, nullptr, 0);
}

// Xvfb on the first free display number, which it writes on a pipe once it
// takes clients.
class VirtualDisplay {
  public:
    VirtualDisplay() {
        int ends[2];
        if (pipe(ends) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addclose(&actions, ends[0]);
        std::vector<QByteArray> environment;
        for (char **e = environ; *e; ++e)
            environment.emplace_back(*e);
        m_pid = spawn({"Xvfb", "-displayfd", QByteArray::number(ends[1]), "-screen", "0", "1920x1080x24", "-nolisten",
                       "tcp"},
                      environment, &actions);
        posix_spawn_file_actions_destroy(&actions);
        close(ends[1]);
        // The number comes with its line end, which may follow in a second
        // write: the pipe is read up to it, as Xvfb ends on a write into a
        // pipe already closed.
        QByteArray number;
        pollfd ready{ends[0], POLLIN, 0};
        while (m_pid > 0 && !number.contains('\n') && poll(&ready, 1, kTimeoutMs) == 1) {
            char text[32];
            const ssize_t n = read(ends[0], text, sizeof text);
            if (n <= 0)
                break;
            number.append(text, static_cast<int>(n));
        }
        close(ends[0]);
        if (number.contains('\n'))
            m_name = ':' + number.trimmed();
    }
    // Ended politely, so that it removes its lock file and socket.
    ~VirtualDisplay() { end(m_pid, SIGTERM); }
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    bool isValid() const { return m_name.size() > 1; }
    const QByteArray &name() const { return m_name; }

  private:
    pid_t m_pid = -1;
    QByteArray m_name;
};

// A client of the display that hears every window mapped on its root, the
// top-level windows of every program.
class MapWatcher {
  public:
    explicit MapWatcher(const QByteArray &display) {
        m_connection = xcb_connect(display.constData(), nullptr);
        if (xcb_connection_has_error(m_connection))
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
    }
    ~MapWatcher() { xcb_disconnect(m_connection); }
    MapWatcher(const MapWatcher &) = delete;
    MapWatcher &operator=(const MapWatcher &) = delete;

    bool isValid() const { return m_root != 0; }

    // Waits for a top-level window titled title to be mapped; false when
    // none is within the time limit.
    bool waitForMap(const QByteArray &title) {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < kTimeoutMs) {
            while (auto *event = xcb_poll_for_event(m_connection)) {
                std::unique_ptr<xcb_generic_event_t, decltype(&free)> owned(event, &free);
                if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                    titleOf(reinterpret_cast<xcb_map_notify_event_t *>(event)->window) == title)
                    return true;
            }
            if (xcb_connection_has_error(m_connection))
                return false;
            pollfd ready{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            poll(&ready, 1, 100);
        }
        return false;
    }

  private:
    QByteArray titleOf(xcb_window_t window) {
        const xcb_get_property_cookie_t cookie =
            xcb_get_property(m_connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
        std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
            xcb_get_property_reply(m_connection, cookie, nullptr), &free);
        if (!reply)
            return {};
        return QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())),
                          xcb_get_property_value_length(reply.get()));
    }

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
};

// The CPU every thread of a running process has used, in milliseconds.
double cpuMilliseconds(pid_t pid) {
    double total = 0;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(tasks.filePath(task + QStringLiteral("/schedstat")));
        if (stat.open(QIODevice::ReadOnly))
            total += stat.readAll().split(' ').value(0).toDouble() / 1e6;
    }
    return total;
}

struct Launch {
    bool ok = false;
    double wallMs = 0;
    double cpuMs = 0; // the program's own CPU up to the map
};

// Starts program on the display, waits for its main window to be mapped,
// reads the CPU it has used so far and ends it.
Launch launch(const QString &program, const VirtualDisplay &display, MapWatcher &watcher) {
    std::vector<QByteArray> environment;
    for (char **e = environ; *e; ++e) {
        const QByteArray variable(*e);
        if (!variable.startsWith("DISPLAY=") && !variable.startsWith("QT_QPA_PLATFORM="))
            environment.push_back(variable);
    }
    environment.push_back("DISPLAY=" + display.name());
    environment.push_back("QT_QPA_PLATFORM=xcb");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    Launch result;
    QElapsedTimer wall;
    wall.start();
    const pid_t pid = spawn({QFile::encodeName(program)}, environment, &actions);
    posix_spawn_file_actions_destroy(&actions);
    if (pid > 0 && watcher.waitForMap(kTitle)) {
        result.wallMs = static_cast<double>(wall.nsecsElapsed()) / 1e6;
        result.cpuMs = cpuMilliseconds(pid);
        result.ok = true;
    }
    end(pid);
    return result;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void LaunchToMainWindowMapped(benchmark::State &state) {
    const QString program = QDir(kProgramDir).filePath(QStringLiteral("solvane"));
    const QString bare = QDir(kProgramDir).filePath(QStringLiteral("../bench/bare_main_window"));
    VirtualDisplay display;
    if (!display.isValid()) {
        state.SkipWithError("Xvfb did not start");
        return;
    }
    MapWatcher watcher(display.name());
    if (!watcher.isValid()) {
        state.SkipWithError("no connection to the virtual display");
        return;
    }
    // One untimed launch of each loads their libraries into the file cache.
    if (!launch(program, display, watcher).ok || !launch(bare, display, watcher).ok) {
        state.SkipWithError("a program did not map its main window");
        return;
    }
    std::vector<double> ours, oursCpu, floor, floorCpu;
    for (auto _ : state) {
        const Launch o = launch(program, display, watcher);
        const Launch f = launch(bare, display, watcher);
        if (!o.ok || !f.ok) {
            state.SkipWithError("a program did not map its main window");
            return;
        }
        ours.push_back(o.wallMs);
        oursCpu.push_back(o.cpuMs);
        floor.push_back(f.wallMs);
        floorCpu.push_back(f.cpuMs);
        state.SetIterationTime(o.wallMs / 1e3);
    }
    state.counters["solvane_ms"] = median(ours);
    state.counters["bare_ms"] = median(floor);
    state.counters["ratio"] = median(ours) / median(floor);
    state.counters["solvane_cpu_ms"] = median(oursCpu);
    state.counters["bare_cpu_ms"] = median(floorCpu);
    state.counters["cpu_ratio"] = median(oursCpu) / median(floorCpu);
}
BENCHMARK(LaunchToMainWindowMapped)->Iterations(21)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
