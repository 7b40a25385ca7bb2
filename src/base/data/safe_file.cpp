#include "base/data/safe_file.h"

#include "base/data/program_folder.h"
#include "base/data/scope_guard.h"
#include "base/data/system_error.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <pthread.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace SafeFile {
namespace {

struct Protected {
    enum Kind { File, Program, Folder, AllowedFolder };
    QByteArray path;
    Kind kind;
};

std::vector<Protected> &protectedPaths() {
    static std::vector<Protected> paths;
    return paths;
}

QString failure(const QString &path, const QString &reason) {
    return QStringLiteral("Não foi possível gravar o arquivo \"%1\": %2").arg(path, reason);
}

[[noreturn]] void fail(const QString &path, int errorNumber) {
    throw AppError(failure(path, SystemError::text(errorNumber)));
}

[[noreturn]] void refuse(const QString &path, const QString &reason) { throw Refused(failure(path, reason)); }

bool sameFile(const struct stat &a, const struct stat &b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

QByteArray canonical(const QByteArray &path) {
    char resolved[PATH_MAX];
    return ::realpath(path.constData(), resolved) ? QByteArray(resolved) : QByteArray();
}

QByteArray parentOf(const QByteArray &path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// Whom a check serves: every writer, or the importer putting the study it
// built in place, for which the study database itself is no protected input.
enum class Writer { Output, StudyImport };

bool isStudy(const QByteArray &target) {
    const QByteArray study = QFile::encodeName(ProgramFolder::studyFile());
    const QByteArray folder = canonical(parentOf(study));
    return !folder.isEmpty() && target == folder + '/' + study.mid(study.lastIndexOf('/') + 1);
}

// Refuses a path that reaches a protected file, or whose entry lies under a
// protected folder with no allowed folder nearer to it. holder is the
// canonical folder the entry lives in, empty when it has none (a pipe).
// target is the canonical path written, empty for a stream.
void checkNotProtected(const QString &shown, const struct stat *target, const QByteArray &holder,
                       Writer writer = Writer::Output, const QByteArray &canonicalTarget = {}) {
    const bool studyAllowed = writer == Writer::StudyImport && isStudy(canonicalTarget);
    std::vector<std::pair<struct stat, const Protected *>> folders;
    for (const Protected &p : protectedPaths()) {
        struct stat guarded {};
        if (::stat(p.path.constData(), &guarded) != 0)
            continue;
        if (studyAllowed && p.kind == Protected::File && p.path == QFile::encodeName(ProgramFolder::studyFile()))
            continue;
        if (p.kind == Protected::Folder || p.kind == Protected::AllowedFolder) {
            folders.emplace_back(guarded, &p);
            continue;
        }
        if (target && sameFile(*target, guarded)) {
            const QString name = QFile::decodeName(p.path);
            QString reason = p.kind == Protected::Program
                                 ? QStringLiteral("é um programa do Solvane e não pode ser substituído")
                                 : QStringLiteral("é um arquivo que o programa lê e não pode ser substituído");
            if (QFileInfo(shown).absoluteFilePath() != QFileInfo(name).absoluteFilePath())
                reason += QStringLiteral(" (é o mesmo arquivo que \"%1\")").arg(name);
            refuse(shown, reason);
        }
    }
    if (folders.empty() || holder.isEmpty() || studyAllowed)
        return;
    for (QByteArray folder = holder;; folder = parentOf(folder)) {
        struct stat here {};
        if (::stat(folder.constData(), &here) == 0) {
            for (const auto &[guarded, p] : folders) {
                if (!sameFile(here, guarded))
                    continue;
                if (p->kind == Protected::AllowedFolder)
                    return;
                refuse(shown, QStringLiteral("fica na pasta de dados \"%1\" do programa, que não pode ser alterada")
                                  .arg(QFile::decodeName(p->path)));
            }
        }
        if (folder == "/" || folder == ".")
            return;
    }
}

// Writes every byte, going on after a partial write or an interruption.
bool writeAll(int fd, QByteArrayView bytes) {
    const char *data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A pipe is opened without waiting for a reader: with none, the open fails
// (ENXIO) instead of hanging. A reader started beside the program (a shell's
// "cat tubo &") gets half a second to open its end. The writes then wait as
// usual.
int openStream(const QByteArray &path, const struct stat &info) {
    if (!S_ISSOCK(info.st_mode)) {
        for (int attempt = 0;; ++attempt) {
            const int fd = ::open(path.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
            if (fd >= 0) {
                (void)::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
                return fd;
            }
            if (errno != ENXIO || !S_ISFIFO(info.st_mode) || attempt == 10)
                return -1;
            const timespec pause{0, 50'000'000};
            ::nanosleep(&pause, nullptr);
        }
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof(address.sun_path)) {
        errno = ENAMETOOLONG;
        return -1;
    }
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

// Writes the bytes to an open descriptor. A reader that closes a pipe early
// is a failure of this write, not the end of the program, so SIGPIPE is
// held back meanwhile.
void writeThrough(const QString &shown, int fd, QByteArrayView contents) {
    sigset_t pipeSignal, previous;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    sigset_t pendingBefore;
    sigpending(&pendingBefore);
    const bool wasPending = sigismember(&pendingBefore, SIGPIPE) == 1;
    ScopeGuard restore([&] {
        if (!wasPending) {
            const timespec now{0, 0};
            while (sigtimedwait(&pipeSignal, nullptr, &now) == SIGPIPE) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    });
    if (!writeAll(fd, contents))
        fail(shown, errno);
}

// The descriptor a path names by its form alone: /dev/stdout, /dev/stderr,
// /dev/fd/N and /proc/self/fd/N are the process's own descriptors, which the
// caller opened (a shell's "> x" or ">> x"); -1 for any other path.
int ownDescriptor(const QByteArray &path) {
    if (path == "/dev/stdout")
        return STDOUT_FILENO;
    if (path == "/dev/stderr")
        return STDERR_FILENO;
    for (const char *folder : {"/dev/fd/", "/proc/self/fd/"}) {
        if (!path.startsWith(folder))
            continue;
        const QByteArray number = path.mid(qsizetype(std::strlen(folder)));
        bool ok = false;
        const int fd = number.toInt(&ok);
        const bool digitsOnly = std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
        return ok && digitsOnly ? fd : -1;
    }
    return -1;
}

// Where write() puts the bytes, found and checked before anything is written.
struct Destination {
    enum Kind { Descriptor, NewFile, Regular, Stream };
    Kind kind = Regular;
    int fd = -1;         // Descriptor
    QByteArray target;   // the canonical path, or the new file's in its canonical folder
    struct stat info {}; // what exists: the descriptor's, the file's or the stream's
};

// A descriptor of the process, written through as it was opened: a file
// opened for appending is appended to, never replaced, and the descriptor
// stays open for whoever writes next.
Destination ownDestination(const QString &shown, int fd) {
    Destination d;
    d.kind = Destination::Descriptor;
    d.fd = fd;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0)
        fail(shown, errno);
    if ((flags & O_ACCMODE) == O_RDONLY)
        fail(shown, EBADF);
    if (::fstat(fd, &d.info) != 0)
        fail(shown, errno);
    QByteArray holder;
    if (S_ISREG(d.info.st_mode))
        holder = parentOf(canonical(QByteArrayLiteral("/proc/self/fd/") + QByteArray::number(fd)));
    checkNotProtected(shown, &d.info, holder);
    return d;
}

// Raises Refused or AppError for a path that cannot or must not be written.
Destination destination(const QString &path, Writer writer = Writer::Output) {
    if (path.isEmpty())
        throw AppError(failure(path, QStringLiteral("falta o nome do arquivo")));
    const QByteArray name = QFile::encodeName(path);
    if (const int fd = ownDescriptor(name); fd >= 0)
        return ownDestination(path, fd);

    struct stat link {};
    if (::lstat(name.constData(), &link) != 0) {
        if (errno != ENOENT)
            fail(path, errno);
        // A new file: its folder must exist and must not be one of the
        // program's data folders.
        const QByteArray folder = canonical(parentOf(name));
        if (folder.isEmpty())
            throw AppError(failure(path, QStringLiteral("a pasta \"%1\" não existe")
                                             .arg(QFile::decodeName(parentOf(name)))));
        Destination d;
        d.kind = Destination::NewFile;
        d.target = folder + '/' + name.mid(name.lastIndexOf('/') + 1);
        checkNotProtected(path, nullptr, folder, writer, d.target);
        return d;
    }

    Destination d;
    if (::stat(name.constData(), &d.info) != 0) {
        if (errno == ENOENT)
            refuse(path, QStringLiteral("é um atalho para um caminho que não existe"));
        fail(path, errno);
    }
    if (S_ISDIR(d.info.st_mode))
        refuse(path, SystemError::text(EISDIR));
    d.target = canonical(name);
    if (d.target.isEmpty())
        fail(path, errno);
    checkNotProtected(path, &d.info, parentOf(d.target), writer, d.target);
    if (!S_ISREG(d.info.st_mode)) {
        d.kind = Destination::Stream;
        return d;
    }
    // The rename would replace a file whatever its own permissions; like the
    // shell's ">", a file the user may not write is left as it is.
    if (::faccessat(AT_FDCWD, d.target.constData(), W_OK, AT_EACCESS) != 0)
        fail(path, errno);
    return d;
}

} // namespace

void check(const QString &path) { (void)destination(path); }

void write(const QString &path, const QByteArray &contents) {
    Output output(path);
    output.append(contents);
    output.commit();
}

Output::Output(const QString &path) : m_path(path) {
    const Destination d = destination(path);
    switch (d.kind) {
    case Destination::Descriptor:
        m_kind = Kind::Descriptor;
        m_fd = d.fd;
        break;
    case Destination::Stream:
        // A device, pipe or socket takes the bytes as they are: it is never
        // renamed over or truncated.
        m_kind = Kind::Stream;
        m_fd = openStream(d.target, d.info);
        if (m_fd < 0 && errno == ENXIO && S_ISFIFO(d.info.st_mode))
            throw AppError(failure(path, QStringLiteral("é um tubo (FIFO) que nenhum programa está lendo")));
        if (m_fd < 0)
            fail(path, errno);
        break;
    case Destination::NewFile:
    case Destination::Regular: {
        // The parts go to a temporary file beside the target, renamed over
        // it once complete and flushed to the disk: readers see the old file
        // or the new one, never a part.
        m_kind = Kind::Temporary;
        m_target = d.target;
        m_temporary = parentOf(d.target) + "/.solvane-XXXXXX";
        m_fd = ::mkostemp(m_temporary.data(), O_CLOEXEC);
        if (m_fd < 0)
            fail(path, errno);
        // The new file keeps the old one's permissions and, where allowed,
        // its owner; a file system without them (a memory card) keeps its
        // own.
        if (d.kind == Destination::Regular) {
            (void)::fchmod(m_fd, d.info.st_mode & 07777);
            (void)::fchown(m_fd, d.info.st_uid, d.info.st_gid);
        } else {
            (void)::fchmod(m_fd, newFileMode());
        }
        break;
    }
    }
    m_open = true;
}

Output::~Output() { abandon(); }

// Closes what is still open and removes an unfinished temporary file.
void Output::abandon() {
    m_open = false;
    if (m_fd >= 0 && m_kind != Kind::Descriptor)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
    m_temporary.clear();
}

void Output::append(QByteArrayView bytes) {
    Q_ASSERT(m_open);
    // A failed part leaves nothing to finish: the old file stays as it was.
    ScopeGuard abandonOnFailure([this] { abandon(); });
    if (m_kind == Kind::Temporary) {
        if (!writeAll(m_fd, bytes))
            fail(m_path, errno);
    } else {
        writeThrough(m_path, m_fd, bytes);
    }
    abandonOnFailure.dismiss();
}

void Output::commit() {
    Q_ASSERT(m_open);
    ScopeGuard abandonOnFailure([this] { abandon(); });
    m_open = false;
    const int fd = std::exchange(m_fd, -1);
    switch (m_kind) {
    case Kind::Descriptor:
        // The process's own descriptor stays open for whoever writes next.
        break;
    case Kind::Stream:
        if (::close(fd) != 0)
            fail(m_path, errno);
        break;
    case Kind::Temporary:
        if (::fsync(fd) != 0 && errno != EINVAL) {
            const int error = errno;
            ::close(fd);
            fail(m_path, error);
        }
        if (::close(fd) != 0)
            fail(m_path, errno);
        if (::rename(m_temporary.constData(), m_target.constData()) != 0)
            fail(m_path, errno);
        m_temporary.clear();
        break;
    }
    abandonOnFailure.dismiss();
}

namespace {
// The study is a database file: a device or pipe cannot hold one, and a
// descriptor of the process cannot be renamed over.
Destination studyDestination(const QString &path) {
    Destination d = destination(path, Writer::StudyImport);
    if (d.kind == Destination::Descriptor || d.kind == Destination::Stream)
        refuse(path, QStringLiteral("não é um arquivo comum, onde se possa gravar um estudo"));
    return d;
}
} // namespace

void checkStudyTarget(const QString &path) { (void)studyDestination(path); }

void installStudy(const QString &finished, const QString &path) {
    const Destination d = studyDestination(path);
    const QByteArray source = QFile::encodeName(finished);
    if (parentOf(canonical(source)) != parentOf(d.target))
        throw AppError(failure(path, QStringLiteral("o estudo novo não foi feito na pasta do arquivo")));
    const int fd = ::open(source.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        fail(path, errno);
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    const int syncError = errno;
    ::close(fd);
    if (!synced)
        fail(path, syncError);
    if (d.kind == Destination::Regular) {
        (void)::chmod(source.constData(), d.info.st_mode & 07777);
    } else {
        (void)::chmod(source.constData(), newFileMode());
    }
    if (::rename(source.constData(), d.target.constData()) != 0)
        fail(path, errno);
}

void protectFile(const QString &path) { protectedPaths().push_back({QFile::encodeName(path), Protected::File}); }

void protectFolder(const QString &path) {
    protectedPaths().push_back({QFile::encodeName(path), Protected::Folder});
}

void allowFolder(const QString &path) {
    protectedPaths().push_back({QFile::encodeName(path), Protected::AllowedFolder});
}

void protectProgramInputs() {
    protectFile(ProgramFolder::studyFile());
    // A program overwritten would leave every later map, chart or workbook
    // failing.
    // They are looked for beside the running executable and in the program's
    // folder, which a study folder given on the command line replaces.
    for (const QString &folder : {ProgramFolder::programsPath(), ProgramFolder::path()})
        for (const char *program :
             {"solvane", "solvane-export", "solvane-export-desenho", "solvane-export-planilha", "solvane-import"})
            protectedPaths().push_back({QFile::encodeName(folder + QString::fromLatin1(program)), Protected::Program});
    // The helper programs where an installed exporter finds them.
    for (const char *helper : {"solvane-export-desenho", "solvane-export-planilha"})
        protectedPaths().push_back(
            {QFile::encodeName(ProgramFolder::helperProgram(QString::fromLatin1(helper))), Protected::Program});
    for (const char *folder : {"Dados", "Mapas", "Imagens", "Anexos", "Ajuda"})
        protectFolder(ProgramFolder::file(QString::fromLatin1(folder)));
    allowFolder(ProgramFolder::file(QStringLiteral("Mapas/Legendas")));
}

void clearProtection() { protectedPaths().clear(); }

void failWritesBeyondSizeLimit() { std::signal(SIGXFSZ, SIG_IGN); }

} // namespace SafeFile
