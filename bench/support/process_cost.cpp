#include "process_cost.h"

#include <QElapsedTimer>
#include <QTemporaryFile>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

double seconds(const timeval &t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

} // namespace

ProcessCost runProcess(const QString &program, const QStringList &arguments, bool keepOutput) {
    ProcessCost cost;
    // A child's peak memory is at least its parent's resident size when it
    // was started (the kernel counts the parent's pages it shared until its
    // exec), so the program is started by GNU time, which is small, and
    // which writes the peak it reads for its own child. The CPU time comes
    // from the kernel: time's own, a millisecond, plus its child's.
    QTemporaryFile peakFile;
    if (!peakFile.open())
        return cost;
    std::vector<QByteArray> texts{"/usr/bin/time", "-f", "%M", "-o", peakFile.fileName().toLocal8Bit(),
                                  program.toLocal8Bit()};
    for (const QString &argument : arguments)
        texts.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    int pipeEnds[2] = {-1, -1};
    if (keepOutput && pipe(pipeEnds) != 0)
        return cost;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (keepOutput) {
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }

    QElapsedTimer wall;
    wall.start();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (keepOutput) {
        close(pipeEnds[1]);
        if (spawned == 0) {
            char buffer[65536];
            ssize_t n;
            while ((n = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
                cost.output.append(buffer, n);
        }
        close(pipeEnds[0]);
    }
    if (spawned != 0)
        return cost;

    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return cost;
    cost.wallSeconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    cost.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    cost.peakKB = peakFile.readAll().trimmed().toDouble();
    cost.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return cost;
}
