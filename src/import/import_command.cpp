#include "import/import_command.h"

#include "base/data/app_error.h"
#include "base/data/input_file.h"
#include "base/data/safe_file.h"
#include "base/data/scope_guard.h"
#include "base/data/study_location.h"
#include "base/data/system_error.h"
#include "import/study_check.h"
#include "import/study_import.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ImportCommand {
namespace {

const QString kProgram = QStringLiteral("solvane-import: ");

void say(const QString &text) {
    std::fprintf(stderr, "%s\n", (kProgram + text).toUtf8().constData());
    std::fflush(stderr);
}

// The signals that cancel an import: held back in this process, which
// waits for them beside the child's end, and left to their default in the
// child.
sigset_t cancelSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&set, signal);
    return set;
}

void checkSource(const QString &source) {
    const QString kind = InputFile::notRegular(source);
    if (!kind.isEmpty())
        throw AppError(QStringLiteral("Não foi possível ler o estudo publicado \"%1\": %2").arg(source, kind));
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Não foi possível ler o estudo publicado \"%1\": %2")
                           .arg(source, SystemError::text(errno ? errno : ENOENT)));
}

bool sameFile(const QString &a, const QString &b) {
    struct stat first {}, second {};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

// A file of the importer's own beside the target, named as the program's
// other temporary files are.
QString temporaryBeside(const QString &target) {
    QByteArray name = QFile::encodeName(QFileInfo(target).absolutePath()) + "/.solvane-XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        throw AppError(QStringLiteral("Não foi possível gravar o estudo \"%1\": %2")
                           .arg(target, SystemError::text(errno)));
    ::close(fd);
    return QFile::decodeName(name);
}

// A failure the child has already written out.
struct ReportedByChild {};

// Waits for the child's end: returns when it copied everything, raises
// ReportedByChild when it failed and said why, AppError when it died or the
// import was cancelled.
void waitFor(pid_t child, const QString &source) {
    const sigset_t cancel = cancelSignals();
    for (;;) {
        int status = 0;
        const pid_t ended = ::waitpid(child, &status, WNOHANG);
        if (ended == child) {
            if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
                return;
            if (WIFEXITED(status))
                throw ReportedByChild{};
            throw AppError(QStringLiteral("Não foi possível ler o estudo publicado \"%1\": o arquivo está danificado (a "
                                  "leitura terminou com o sinal %2, %3)")
                .arg(source)
                .arg(WTERMSIG(status))
                               .arg(QString::fromLocal8Bit(::strsignal(WTERMSIG(status)))));
        }
        const timespec pause{0, 50'000'000};
        if (sigtimedwait(&cancel, nullptr, &pause) > 0) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            throw AppError(QStringLiteral("Importação cancelada; nenhum estudo foi gravado."));
        }
    }
}

// Reads the Access file into the temporary file in a child process.
void copyInChild(const QString &source, const QString &file, const QString &target) {
    const sigset_t cancel = cancelSignals();
    sigset_t previous;
    ::sigprocmask(SIG_BLOCK, &cancel, &previous);
    ScopeGuard restore([&] { ::sigprocmask(SIG_SETMASK, &previous, nullptr); });
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0)
        throw AppError(QStringLiteral("Não foi possível importar o estudo \"%1\": %2")
                           .arg(source, SystemError::text(errno)));
    if (child == 0) {
        ::sigprocmask(SIG_SETMASK, &previous, nullptr);
        int status = 0;
        try {
            StudyImport::copy(source, file, target, stderr);
        } catch (const AppError &error) {
            say(error.message());
            status = 1;
        } catch (const std::exception &error) {
            say(QStringLiteral("Não foi possível importar o estudo \"%1\": %2")
                    .arg(source, QString::fromLocal8Bit(error.what())));
            status = 1;
        }
        std::fflush(nullptr);
        ::_exit(status);
    }
    waitFor(child, source);
}

} // namespace

Options parse(const QStringList &arguments) {
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
            options.help = true;
        } else if (argument == QStringLiteral("--saida")) {
            if (i + 1 == arguments.size() || arguments.at(i + 1).isEmpty())
                throw BadInput(QStringLiteral("falta o arquivo depois de --saida"));
            options.target = arguments.at(++i);
        } else if (argument.startsWith(QStringLiteral("--saida="))) {
            options.target = argument.mid(8);
            if (options.target.isEmpty())
                throw BadInput(QStringLiteral("falta o arquivo depois de --saida"));
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            throw BadInput(QStringLiteral("opção desconhecida: %1").arg(argument));
        } else if (options.source.isEmpty()) {
            options.source = argument;
        } else {
            throw BadInput(QStringLiteral("sobra o argumento \"%1\"").arg(argument));
        }
    }
    if (options.source.isEmpty() && !options.help)
        throw BadInput(QStringLiteral("falta o arquivo do Access a importar"));
    return options;
}

QString usage() {
    return QStringLiteral("Uso: solvane-import ORIGEM.mdb [--saida DESTINO.db]\n"
                          "Converte o estudo publicado (arquivo do Access) num estudo que o Solvane lê.\n"
                          "Sem --saida, grava \"Solvane.db\" ao lado do arquivo do Access, ou na pasta de dados\n"
                          "do usuário quando aquela pasta não pode ser gravada.\n");
}

int run(const QStringList &arguments) {
    Options options;
    try {
        options = parse(arguments);
    } catch (const BadInput &bad) {
        say(bad.message());
        std::fputs(usage().toUtf8().constData(), stderr);
        return 2;
    }
    if (options.help) {
        std::fputs(usage().toUtf8().constData(), stdout);
        return 0;
    }
    const QString source = options.source;
    QString target = options.target.isEmpty() ? StudyLocation::importTarget(source) : options.target;
    if (sameFile(source, target)) {
        say(QStringLiteral("O estudo publicado \"%1\" e o estudo a gravar \"%2\" são o mesmo arquivo.")
                .arg(source, target));
        return 2;
    }
    QString temporary;
    ScopeGuard removeTemporary([&] {
        if (!temporary.isEmpty())
            QFile::remove(temporary);
    });
    try {
        checkSource(source);
        if (options.target.isEmpty())
            QDir().mkpath(QFileInfo(target).absolutePath());
        SafeFile::protectProgramInputs();
        SafeFile::protectFile(source);
        SafeFile::checkStudyTarget(target);
        temporary = temporaryBeside(target);
        copyInChild(source, temporary, target);
        StudyCheck::require(temporary, source);
        SafeFile::installStudy(temporary, target);
        temporary.clear();
    } catch (const AppError &error) {
        say(error.message());
        return 1;
    } catch (const ReportedByChild &) {
        return 1;
    }
    say(QStringLiteral("Estudo gravado em \"%1\".").arg(target));
    return 0;
}

} // namespace ImportCommand
