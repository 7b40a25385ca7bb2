#include "support/pipe_reader.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

PipeReader::PipeReader(const QString &path) : m_path(path) {
    m_made = ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    if (!m_made)
        return;
    // The read end is open before the constructor returns, so a writer that
    // does not wait for a reader finds one. Until a writer comes, poll waits
    // (a read would see the end of a pipe no writer has opened yet).
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    m_made = fd >= 0;
    if (!m_made)
        return;
    m_reader = std::thread([this, fd] {
        char buffer[65536];
        for (;;) {
            pollfd waiting{fd, POLLIN, 0};
            if (::poll(&waiting, 1, -1) < 0 && errno != EINTR)
                break;
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got > 0)
                m_read.append(buffer, got);
            else if (got == 0 || (errno != EAGAIN && errno != EINTR))
                break;
        }
        ::close(fd);
    });
}

PipeReader::~PipeReader() {
    if (!m_reader.joinable())
        return;
    // A writer that opens and closes the pipe ends a reader still waiting.
    const int writer = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0)
        ::close(writer);
    m_reader.join();
}

QByteArray PipeReader::finish() {
    if (m_reader.joinable())
        m_reader.join();
    return m_read;
}
