#include "support/ordinary_user.h"

#include <QByteArray>

#include <cerrno>
#include <cstdio>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

UserRun runAsOrdinaryUser(const std::function<QString()> &work) {
    if (::geteuid() != 0)
        return {false, work()};
    int ends[2];
    if (::pipe(ends) != 0)
        return {true, QStringLiteral("no pipe to a child process")};
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0)
        return {true, QStringLiteral("no child process")};
    if (child == 0) {
        ::close(ends[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        const QByteArray report = work().toUtf8();
        const bool sent = ::write(ends[1], report.constData(), size_t(report.size())) == report.size();
        ::_exit(sent ? 0 : 4);
    }
    ::close(ends[1]);
    QByteArray report;
    char buffer[4096];
    for (ssize_t got; (got = ::read(ends[0], buffer, sizeof buffer)) != 0;) {
        if (got > 0)
            report.append(buffer, got);
        else if (errno != EINTR)
            break;
    }
    ::close(ends[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 3)
        return {true, QStringLiteral("cannot drop to the unprivileged uid 65534 to test as an ordinary user")};
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {false, QStringLiteral("the child process failed: status %1").arg(status)};
    return {false, QString::fromUtf8(report)};
}
