#include "support/pipe_reader.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

PipeReader::PipeReader(const QString &path) : m_path(path) {
    m_made = ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    if (!m_made)
        return;
    m_reader = std::thread([this] {
        QFile end(m_path);
        if (end.open(QIODevice::ReadOnly))
            m_read = end.readAll();
    });
}

PipeReader::~PipeReader() {
    if (!m_reader.joinable())
        return;
    // Opening the write end lets a reader still blocked in its open go on.
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
