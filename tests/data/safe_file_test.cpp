#include "base/data/program_folder.h"
#include "base/data/safe_file.h"
#include "support/ordinary_user.h"
#include "support/pipe_reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray contentsOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<não lido>");
}

void put(const QString &path, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

mode_t typeOf(const QString &path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? (info.st_mode & S_IFMT) : 0;
}

// Everything in the folder, hidden temporary files included.
QStringList entries(const QString &folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

struct Outcome {
    bool refused = false;
    QString message; // empty: written
};

Outcome writeTo(const QString &path, const QByteArray &bytes) {
    try {
        SafeFile::write(path, bytes);
    } catch (const SafeFile::Refused &e) {
        return {true, e.message()};
    } catch (const AppError &e) {
        return {false, e.message()};
    }
    return {};
}

// A character device like the system's null (1, 3) or full (1, 7) device,
// made in the test's folder so a fault can never touch the system's own.
// Without the right to make one, the system's device serves.
QString characterDevice(const QTemporaryDir &dir, const char *name, unsigned minor) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    if (::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, minor)) == 0)
        return path;
    return QStringLiteral("/dev/") + QString::fromLatin1(name);
}

} // namespace

TEST(SafeFile, ARegularFileIsReplacedWholeKeepingItsPermissionsAndLinks) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tabela.txt"));
    put(path, "velho\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_EQ(::symlink("tabela.txt", QFile::encodeName(dir.filePath(QStringLiteral("atalho"))).constData()), 0);

    SafeFile::write(path, "novo\r\n");
    EXPECT_EQ(contentsOf(path), QByteArray("novo\r\n"));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    // Through a link the file it reaches is replaced; the link stays a link.
    SafeFile::write(dir.filePath(QStringLiteral("atalho")), "pelo atalho\r\n");
    EXPECT_EQ(typeOf(dir.filePath(QStringLiteral("atalho"))), mode_t(S_IFLNK));
    EXPECT_EQ(contentsOf(path), QByteArray("pelo atalho\r\n"));

    // A new file gets the permissions the user's mask allows.
    const mode_t mask = ::umask(022);
    SafeFile::write(dir.filePath(QStringLiteral("novo.txt")), "x");
    ::umask(mask);
    ASSERT_EQ(::stat(QFile::encodeName(dir.filePath(QStringLiteral("novo.txt"))).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
    EXPECT_EQ(entries(dir.path()), (QStringList{"atalho", "novo.txt", "tabela.txt"}));
}

// A write that fails halfway (here the file size limit) is reported naming
// the file, and leaves the old file whole with no temporary file behind.
TEST(SafeFile, AFailedWriteLeavesTheOldFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tabela.txt"));
    put(path, "velho\r\n");
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 4096;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const Outcome outcome = writeTo(path, QByteArray(65536, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(outcome.refused);
    EXPECT_TRUE(outcome.message.startsWith(QStringLiteral("Não foi possível gravar o arquivo \"%1\": ").arg(path)))
        << outcome.message.toStdString();
    EXPECT_EQ(contentsOf(path), QByteArray("velho\r\n"));
    EXPECT_EQ(entries(dir.path()), QStringList{"tabela.txt"});
}

// A file written in parts replaces the old one only at its commit, keeping
// its permissions. A writer that stops midway (an error of its own that
// leaves it, or a part the disk refuses, here beyond the file-size limit)
// leaves the old file whole and no temporary file; a failed part is
// reported naming the file.
TEST(SafeFileOutput, TheOldFileStaysWholeUntilTheCommit) {
    struct Stop {};
    enum class End { Commit, WriterFails, PartRefused };
    for (const End end : {End::Commit, End::WriterFails, End::PartRefused}) {
        SCOPED_TRACE(int(end));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tabela.txt"));
        put(path, "velho\r\n");
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
        rlimit previous{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        QString message;
        try {
            SafeFile::Output output(path);
            output.append("linha 1\r\n");
            output.append(QByteArray(3000, 'x'));
            EXPECT_EQ(contentsOf(path), QByteArray("velho\r\n"));
            EXPECT_EQ(entries(dir.path()).size(), 2); // the file and the one being written
            if (end == End::WriterFails)
                throw Stop{};
            if (end == End::PartRefused) {
                rlimit small = previous;
                small.rlim_cur = 4096;
                ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
                output.append(QByteArray(65536, 'y'));
            }
            output.commit();
        } catch (const Stop &) {
        } catch (const AppError &e) {
            message = e.message();
        }
        ::setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);

        EXPECT_EQ(entries(dir.path()), QStringList{"tabela.txt"});
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0640u);
        if (end == End::Commit) {
            EXPECT_EQ(contentsOf(path), "linha 1\r\n" + QByteArray(3000, 'x'));
            continue;
        }
        EXPECT_EQ(contentsOf(path), QByteArray("velho\r\n"));
        if (end == End::PartRefused) {
            EXPECT_TRUE(message.startsWith(
                QStringLiteral("Não foi possível gravar o arquivo \"%1\": arquivo grande demais").arg(path)))
                << message.toStdString();
        }
    }
}

// What write() refuses, a file written in parts refuses before it begins,
// leaving nothing behind; a pipe takes each part as it comes, before the
// commit, and stays a pipe.
TEST(SafeFileOutput, RefusedPathsAndStreams) {
    QTemporaryDir dir;
    for (const QString &path : {dir.path(), dir.filePath(QStringLiteral("falta/t.txt"))}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_THROW(SafeFile::Output{path}, AppError);
        EXPECT_EQ(entries(dir.path()), QStringList());
    }
    const QString study = dir.filePath(QStringLiteral("Dados/Solvane.db"));
    put(study, "estudo");
    SafeFile::protectFile(study);
    EXPECT_THROW(SafeFile::Output{study}, SafeFile::Refused);
    SafeFile::clearProtection();
    EXPECT_EQ(contentsOf(study), QByteArray("estudo"));
    EXPECT_EQ(entries(dir.filePath(QStringLiteral("Dados"))), QStringList{"Solvane.db"});

    const QString pipe = dir.filePath(QStringLiteral("tubo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const int end = ::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(end, 0);
    {
        SafeFile::Output output(pipe);
        output.append("primeira parte\r\n");
        char received[64] = {};
        EXPECT_EQ(::read(end, received, sizeof received), 16);
        EXPECT_STREQ(received, "primeira parte\r\n");
        output.append("segunda");
        output.commit();
    }
    char rest[16] = {};
    EXPECT_EQ(::read(end, rest, sizeof rest), 7);
    ::close(end);
    EXPECT_EQ(typeOf(pipe), mode_t(S_IFIFO));
}

TEST(SafeFile, DevicesPipesAndSocketsAreWrittenAsStreamsAndStayWhatTheyAre) {
    QTemporaryDir dir;

    const QString pipe = dir.filePath(QStringLiteral("tubo"));
    PipeReader reader(pipe);
    ASSERT_TRUE(reader.made());
    const Outcome toPipe = writeTo(pipe, "pelo tubo\r\n");
    const QByteArray piped = reader.finish();
    EXPECT_EQ(toPipe.message, QString());
    EXPECT_EQ(piped, QByteArray("pelo tubo\r\n"));
    EXPECT_EQ(typeOf(pipe), mode_t(S_IFIFO));

    const QString null = characterDevice(dir, "null", 3);
    EXPECT_EQ(writeTo(null, "descartado").message, QString());
    EXPECT_EQ(typeOf(null), mode_t(S_IFCHR));

    // A device that fails the write (a full disk) is a failure, not a success.
    const QString full = characterDevice(dir, "full", 7);
    const Outcome toFull = writeTo(full, "x");
    EXPECT_EQ(toFull.message, QStringLiteral("Não foi possível gravar o arquivo \"%1\": não há espaço livre no disco")
                                  .arg(full));
    EXPECT_EQ(typeOf(full), mode_t(S_IFCHR));

    const QString socketPath = dir.filePath(QStringLiteral("soquete"));
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray encoded = QFile::encodeName(socketPath);
    ASSERT_LT(size_t(encoded.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
    ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(server, 1), 0);
    EXPECT_EQ(writeTo(socketPath, "pelo soquete").message, QString());
    const int client = ::accept(server, nullptr, nullptr);
    char received[64] = {};
    EXPECT_EQ(::read(client, received, sizeof received), 12);
    EXPECT_STREQ(received, "pelo soquete");
    ::close(client);
    ::close(server);
    EXPECT_EQ(typeOf(socketPath), mode_t(S_IFSOCK));
}

// A reader that closes its pipe early makes the write fail; it does not end
// the program through the broken-pipe signal.
TEST(SafeFile, APipeClosedByItsReaderIsAFailureNotTheEndOfTheProgram) {
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("tubo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    // The read end is open before the write starts; the reader takes one
    // byte once it comes and closes.
    const int end = ::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(end, 0);
    std::thread reader([end] {
        pollfd waiting{end, POLLIN, 0};
        char byte;
        if (::poll(&waiting, 1, -1) > 0)
            (void)::read(end, &byte, 1);
        ::close(end);
    });
    const Outcome outcome = writeTo(pipe, QByteArray(4 << 20, 'x'));
    reader.join();
    EXPECT_EQ(outcome.message,
              QStringLiteral("Não foi possível gravar o arquivo \"%1\": quem lia a saída a fechou").arg(pipe));
}

TEST(SafeFile, TheProgramsInputsAndFoldersAreRefusedByAnyName) {
    QTemporaryDir dir;
    const QString study = dir.filePath(QStringLiteral("Dados/Solvane.db"));
    put(study, "estudo");
    put(dir.filePath(QStringLiteral("Mapas/BR.Bmp")), "mapa");
    put(dir.filePath(QStringLiteral("Mapas/Municipio/PE.Txt")), "áreas");
    put(dir.filePath(QStringLiteral("Anexos/Documentos/Relatorio.pdf")), "anexo");
    for (const char *program : {"solvane", "solvane-export", "solvane-export-desenho", "solvane-export-planilha"})
        put(dir.filePath(QString::fromLatin1(program)), "programa");
    QDir(dir.path()).mkpath(QStringLiteral("Mapas/Legendas"));
    QDir(dir.path()).mkpath(QStringLiteral("Exportado"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("solvane-export-desenho")),
                            dir.filePath(QStringLiteral("Exportado/desenho"))));
    const QByteArray studyName = QFile::encodeName(study);
    ASSERT_EQ(::symlink(studyName.constData(), QFile::encodeName(dir.filePath(QStringLiteral("atalho.db"))).constData()),
              0);
    ASSERT_EQ(::link(studyName.constData(), QFile::encodeName(dir.filePath(QStringLiteral("outro.db"))).constData()),
              0);
    ProgramFolder::setPath(dir.path());
    SafeFile::protectProgramInputs();

    const struct {
        const char *path;
        const char *reason; // empty: written
    } cases[] = {
        {"Dados/Solvane.db", "é um arquivo que o programa lê e não pode ser substituído"},
        {"Exportado/../Dados/Solvane.db", "é um arquivo que o programa lê"},
        {"atalho.db", "é o mesmo arquivo que"},
        {"outro.db", "é o mesmo arquivo que"},
        {"Dados/novo.txt", "fica na pasta de dados"},
        {"Mapas/BR.Bmp", "fica na pasta de dados"},
        {"Mapas/Novo.Txt", "fica na pasta de dados"},
        {"Mapas/Municipio/PE.Txt", "fica na pasta de dados"},
        {"Anexos/Documentos/Relatorio.pdf", "fica na pasta de dados"},
        {"Exportado", "é uma pasta, não um arquivo"},
        {"solvane", "é um programa do Solvane e não pode ser substituído"},
        {"solvane-export", "é um programa do Solvane"},
        {"solvane-export-desenho", "é um programa do Solvane"},
        {"solvane-export-planilha", "é um programa do Solvane"},
        {"Exportado/desenho", "é um programa do Solvane e não pode ser substituído (é o mesmo arquivo que"},
        {"Mapas/Legendas/LgA01_0.Ini", ""},
        {"Exportado/tabela.txt", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        const QString path = dir.filePath(QString::fromUtf8(c.path));
        const Outcome outcome = writeTo(path, "gravado");
        if (*c.reason) {
            EXPECT_TRUE(outcome.refused);
            EXPECT_TRUE(outcome.message.startsWith(QStringLiteral("Não foi possível gravar o arquivo \"%1\": ").arg(path)))
                << outcome.message.toStdString();
            EXPECT_TRUE(outcome.message.contains(QString::fromUtf8(c.reason))) << outcome.message.toStdString();
        } else {
            EXPECT_EQ(outcome.message, QString());
            EXPECT_EQ(contentsOf(path), QByteArray("gravado"));
        }
    }
    SafeFile::clearProtection();
    ProgramFolder::setPath(QString());
    EXPECT_EQ(contentsOf(study), QByteArray("estudo"));
    EXPECT_EQ(contentsOf(dir.filePath(QStringLiteral("Mapas/BR.Bmp"))), QByteArray("mapa"));
    EXPECT_EQ(contentsOf(dir.filePath(QStringLiteral("solvane-export-desenho"))), QByteArray("programa"));
    EXPECT_EQ(typeOf(dir.filePath(QStringLiteral("atalho.db"))), mode_t(S_IFLNK));
}

// The importer alone may put a study it built over the study database: the
// finished file it made beside the target is renamed into place. Every other
// input of the program stays refused to it, and the finished file is left
// for the importer to remove when the target is refused.
TEST(SafeFile, TheImporterMayReplaceTheStudyAndNothingElseThatIsProtected) {
    QTemporaryDir dir;
    put(dir.filePath(QStringLiteral("Dados/Solvane.db")), "estudo");
    put(dir.filePath(QStringLiteral("Dados/Solvane.Mdb")), "publicado");
    put(dir.filePath(QStringLiteral("Mapas/BR.Bmp")), "mapa");
    put(dir.filePath(QStringLiteral("solvane-import")), "programa");
    QDir(dir.path()).mkpath(QStringLiteral("Livre"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("Livre/tubo"))).constData(), 0600), 0);
    ProgramFolder::setPath(dir.path());
    SafeFile::protectProgramInputs();
    SafeFile::protectFile(dir.filePath(QStringLiteral("Dados/Solvane.Mdb")));

    const struct {
        const char *target;
        const char *reason; // empty: installed
    } cases[] = {
        {"Dados/Solvane.db", ""},
        {"Livre/novo.db", ""},
        {"Dados/Solvane.Mdb", "é um arquivo que o programa lê"},
        {"Dados/outro.db", "fica na pasta de dados"},
        {"Mapas/BR.Bmp", "fica na pasta de dados"},
        {"solvane-import", "é um programa do Solvane"},
        {"Livre/tubo", "não é um arquivo comum"},
        {"Livre", "é uma pasta"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.target);
        const QString target = dir.filePath(QString::fromUtf8(c.target));
        const QString finished = QFileInfo(target).absolutePath() + QStringLiteral("/.solvane-novo");
        put(finished, "estudo novo");
        QString message;
        try {
            SafeFile::installStudy(finished, target);
        } catch (const AppError &e) {
            message = e.message();
        }
        if (*c.reason) {
            EXPECT_TRUE(message.contains(QString::fromUtf8(c.reason))) << message.toStdString();
            EXPECT_TRUE(QFile::exists(finished));
            QFile::remove(finished);
        } else {
            EXPECT_EQ(message, QString());
            EXPECT_EQ(contentsOf(target), QByteArray("estudo novo"));
            EXPECT_FALSE(QFile::exists(finished));
        }
    }
    // Every other writer still finds the study refused.
    EXPECT_TRUE(writeTo(dir.filePath(QStringLiteral("Dados/Solvane.db")), "x").refused);
    SafeFile::clearProtection();
    ProgramFolder::setPath(QString());
    EXPECT_EQ(contentsOf(dir.filePath(QStringLiteral("Dados/Solvane.Mdb"))), QByteArray("publicado"));
    EXPECT_EQ(contentsOf(dir.filePath(QStringLiteral("solvane-import"))), QByteArray("programa"));
}

// A path that names one of the process's own descriptors writes through it
// as the caller opened it: a file opened for appending keeps its earlier
// lines and stays the same file, whatever the descriptor leads to.
TEST(SafeFile, TheProcesssOwnDescriptorsAreWrittenThroughNotReplaced) {
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("registro.txt"));
    const int spare = 57;
    const struct {
        QString path;
        int fd;
    } cases[] = {
        {QStringLiteral("/dev/stdout"), STDOUT_FILENO},
        {QStringLiteral("/dev/stderr"), STDERR_FILENO},
        {QStringLiteral("/dev/fd/%1").arg(spare), spare},
        {QStringLiteral("/proc/self/fd/%1").arg(spare), spare},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        put(log, "linha antiga\n");
        struct stat before {};
        ASSERT_EQ(::stat(QFile::encodeName(log).constData(), &before), 0);
        const int appending = ::open(QFile::encodeName(log).constData(), O_WRONLY | O_APPEND);
        ASSERT_GE(appending, 0);
        std::fflush(nullptr);
        const int saved = ::dup(c.fd);
        ::dup2(appending, c.fd);
        ::close(appending);
        const Outcome outcome = writeTo(c.path, "linha nova\n");
        if (saved >= 0) {
            ::dup2(saved, c.fd);
            ::close(saved);
        } else {
            ::close(c.fd);
        }
        EXPECT_EQ(outcome.message, QString());
        EXPECT_EQ(contentsOf(log), QByteArray("linha antiga\nlinha nova\n"));
        struct stat after {};
        ASSERT_EQ(::stat(QFile::encodeName(log).constData(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino) << "the file was replaced";
        EXPECT_EQ(entries(dir.path()), QStringList{"registro.txt"});
    }

    // A descriptor the process does not hold is a failure naming the path.
    ASSERT_EQ(::fcntl(spare, F_GETFD), -1);
    const QString closed = QStringLiteral("/dev/fd/%1").arg(spare);
    const Outcome outcome = writeTo(closed, "x");
    EXPECT_FALSE(outcome.refused);
    EXPECT_TRUE(outcome.message.startsWith(QStringLiteral("Não foi possível gravar o arquivo \"%1\": ").arg(closed)))
        << outcome.message.toStdString();
}

// The shell's ">" refuses a file its user may not write; so does the writer,
// with the system's reason. Root may write anything, so the cases run in a
// child process as an ordinary user.
TEST(SafeFile, AFileTheUserMayNotWriteIsLeftAsItIs) {
    QTemporaryDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    const struct {
        const char *name;
        mode_t mode;
        const char *reason; // empty: written
    } cases[] = {
        {"somente-leitura.txt", 0444, "permissão negada"},
        {"sem-permissao.txt", 0000, "permissão negada"},
        {"gravavel.txt", 0644, ""},
        {"somente-gravacao.txt", 0200, ""},
    };
    const UserRun run = runAsOrdinaryUser([&] {
        QString report;
        for (const auto &c : cases) {
            const QString path = dir.filePath(QString::fromLatin1(c.name));
            put(path, "anterior");
            ::chmod(QFile::encodeName(path).constData(), c.mode);
            const QString link = path + QStringLiteral(".atalho");
            ::symlink(QFile::encodeName(path).constData(), QFile::encodeName(link).constData());
            for (const QString &name : {path, link})
                report += name + QLatin1Char('|') + writeTo(name, "novo").message + QLatin1Char('\n');
        }
        return report;
    });
    if (run.skipped)
        GTEST_SKIP() << run.report.toStdString();
    QStringList lines = run.report.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.takeLast(), QString());
    ASSERT_EQ(lines.size(), 2 * qsizetype(std::size(cases))) << run.report.toStdString();
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto &c = cases[i];
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        SCOPED_TRACE(c.name);
        for (int viaLink : {0, 1}) {
            const QString name = viaLink ? path + QStringLiteral(".atalho") : path;
            const QString message = lines[qsizetype(2 * i) + viaLink].section(QLatin1Char('|'), 1);
            if (*c.reason)
                EXPECT_EQ(message, QStringLiteral("Não foi possível gravar o arquivo \"%1\": %2")
                                       .arg(name, QString::fromUtf8(c.reason)));
            else
                EXPECT_EQ(message, QString());
        }
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.mode);
        ::chmod(QFile::encodeName(path).constData(), 0600);
        EXPECT_EQ(contentsOf(path), QByteArray(*c.reason ? "anterior" : "novo"));
    }
    EXPECT_EQ(typeOf(dir.filePath(QStringLiteral("gravavel.txt.atalho"))), mode_t(S_IFLNK));
}

// A named pipe nobody reads is a failure at once, not a wait for a reader
// that never comes; the pipe stays a pipe.
TEST(SafeFile, APipeWithoutAReaderFailsAtOnce) {
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("tubo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    auto outcome = std::async(std::launch::async, [&] { return writeTo(pipe, "ninguém lê"); });
    if (outcome.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
        // Release the waiting writer so the test ends.
        const int reader = ::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK);
        outcome.wait();
        ::close(reader);
        FAIL() << "the write waited for a reader";
    }
    const Outcome result = outcome.get();
    EXPECT_FALSE(result.refused);
    EXPECT_EQ(result.message,
              QStringLiteral("Não foi possível gravar o arquivo \"%1\": é um tubo (FIFO) que nenhum programa está lendo")
                  .arg(pipe));
    EXPECT_EQ(typeOf(pipe), mode_t(S_IFIFO));
}
