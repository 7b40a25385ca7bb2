#include "page_file.h"

#include "jet_format.h"

#include "base/data/app_error.h"
#include "base/data/system_error.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

PageFile::PageFile(const QString &target) : m_target(target) {
    const QFileInfo info(target);
    m_temporary =
        QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    m_fd = ::mkstemp(m_temporary.data());
    if (m_fd < 0)
        fail(QStringLiteral("criar"), errno);
    // mkstemp keeps the file to its owner; the result is an ordinary file.
    if (::fchmod(m_fd, 0644) != 0) {
        const int error = errno;
        ::close(m_fd);
        ::unlink(m_temporary.constData());
        fail(QStringLiteral("criar"), error);
    }
}

PageFile::~PageFile() {
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_committed)
        ::unlink(m_temporary.constData());
}

quint32 PageFile::reserve() {
    m_written.push_back(false);
    return quint32(m_written.size() - 1);
}

quint32 PageFile::append(const QByteArray &page) {
    const quint32 number = reserve();
    write(number, page);
    return number;
}

void PageFile::write(quint32 page, const QByteArray &bytes) {
    Q_ASSERT(bytes.size() == JetFormat::kPageSize && page < m_written.size());
    const off_t at = off_t(page) * JetFormat::kPageSize;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(m_fd, bytes.constData() + done, size_t(bytes.size() - done), at + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail(QStringLiteral("gravar"), n < 0 ? errno : EIO);
        done += n;
    }
    m_written[page] = true;
}

void PageFile::commit() {
    // A page reserved and never written would read as zeros: a damaged file.
    const auto missing = std::find(m_written.begin(), m_written.end(), false);
    if (missing != m_written.end())
        throw AppError(QStringLiteral("Não foi possível gravar o arquivo \"%1\": a página %2 ficou sem conteúdo")
                           .arg(m_target)
                           .arg(missing - m_written.begin()));
    if (::fsync(m_fd) != 0)
        fail(QStringLiteral("gravar"), errno);
    const int closed = ::close(m_fd);
    m_fd = -1;
    if (closed != 0)
        fail(QStringLiteral("gravar"), errno);
    if (::rename(m_temporary.constData(), QFile::encodeName(m_target).constData()) != 0)
        fail(QStringLiteral("substituir"), errno);
    m_committed = true;
}

void PageFile::fail(const QString &doing, int errorNumber) const {
    throw AppError(QStringLiteral("Não foi possível %1 o arquivo \"%2\": %3")
                       .arg(doing, m_target, SystemError::text(errorNumber)));
}
