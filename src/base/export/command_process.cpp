#include "base/export/command_process.h"

#include "base/data/figure_locale.h"
#include "base/data/program_folder.h"
#include "base/data/safe_file.h"
#include "base/data/system_error.h"

#include <QCoreApplication>
#include <QFile>
#include <QThreadPool>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fcntl.h>
#include <iterator>
#include <malloc.h>
#include <new>
#include <pthread.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace CommandProcess {
namespace {

// Qt's own notes (a runtime folder it had to choose, say) are not the
// command's messages, which reach stderr through the command; only a fatal
// one, before Qt ends the process, is shown.
void dropQtNotes(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// The stack of the thread that runs the parts of Qt's image work: a part
// needs a few buffers of pixels.
constexpr uint kImageThreadStack = 1024 * 1024;

void *doNothing(void *) { return nullptr; }

// Whether a thread with a stack of that size can start: the pool starts its
// threads without saying when one fails (its work then never runs). A
// thread joined here leaves its stack at hand for the next of its size.
bool canStartThread(uint stackSize) {
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0)
        return false;
    pthread_t thread;
    const bool started = pthread_attr_setstacksize(&attributes, stackSize) == 0 &&
                         pthread_create(&thread, &attributes, doNothing, nullptr) == 0;
    pthread_attr_destroy(&attributes);
    if (started)
        pthread_join(thread, nullptr);
    return started;
}

// The helper program while it runs, and the signals that ask the command to
// stop: they are passed on to it.
pid_t helperProcess = 0;
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

void forwardSignal(int signal) {
    if (helperProcess > 0)
        ::kill(helperProcess, signal);
}

// An exception that leaves a library built without them (out of memory
// inside Qt's painting, say) ends the program; for want of memory it says
// so in words, instead of the runtime's English abort message. The words
// are made beforehand: by then there may be no memory to make them.
QByteArray outOfMemoryMessage;

[[noreturn]] void onTerminate() {
    if (const std::exception_ptr escaped = std::current_exception()) {
        try {
            std::rethrow_exception(escaped);
        } catch (const std::bad_alloc &) {
            const ssize_t written =
                ::write(STDERR_FILENO, outOfMemoryMessage.constData(), size_t(outOfMemoryMessage.size()));
            static_cast<void>(written);
            std::_Exit(ExportCommand::kDatabaseError);
        } catch (...) {
        }
    }
    std::abort();
}

} // namespace

const Helper kDrawingProgram = {"solvane-export-desenho", "o programa de desenho", "o desenho"};
const Helper kWorkbookProgram = {"solvane-export-planilha", "o programa de planilhas", "a planilha"};

void prepare() {
    // A closed standard output or error is held by a read-only stand-in: no
    // file the run opens takes its number, and a write to it fails as it
    // should instead of landing in that file.
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO})
        if (::fcntl(fd, F_GETFD) == -1)
            ::open("/dev/null", O_RDONLY);
    qInstallMessageHandler(dropQtNotes);
    SafeFile::failWritesBeyondSizeLimit();
    outOfMemoryMessage = QByteArrayLiteral("solvane-export: ") + SystemError::text(ENOMEM).toUtf8() + '\n';
    std::set_terminate(onTerminate);
    // The map picture is drawn with fonts but never shown: the headless
    // platform serves, whether or not the shell has a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A command matches its patterns against a few statements and names:
    // compiling each pattern to machine code (Qt compiles it three times
    // over, for its kinds of partial match) costs more than the matches
    // gain. Qt reads the switch when it compiles its first pattern.
    qputenv("QT_ENABLE_REGEXP_JIT", "0");
    // Qt's own event dispatcher instead of GLib's: a command runs no event
    // loop that needs GLib, and GLib short of memory writes a line of its
    // own without its end, which the command's message then continued.
    qputenv("QT_NO_GLIB", "1");
}

int run(const QCoreApplication &app, ExportCommand::DrawStep draw) {
    // Figures are written as the program shows them.
    QLocale::setDefault(FigureLocale::forFigures());
    QFile out, err;
    if (!out.open(stdout, QIODevice::WriteOnly) || !err.open(stderr, QIODevice::WriteOnly))
        return ExportCommand::kDatabaseError;
    return ExportCommand::execute(app.arguments().mid(1), out, err, draw);
}

int runDrawing(const QCoreApplication &app, ExportCommand::DrawStep draw) {
#ifdef __GLIBC__
    // One memory arena for both threads: the image thread's own arena would
    // take 64 MB of address space at its first allocation.
    mallopt(M_ARENA_MAX, 1);
#endif
    QThreadPool *pool = QThreadPool::globalInstance();
    pool->setMaxThreadCount(1);
    pool->setExpiryTimeout(-1);
    pool->setStackSize(kImageThreadStack);
    if (!canStartThread(kImageThreadStack)) {
        std::fprintf(stderr, "solvane-export: não foi possível iniciar o desenho: %s\n",
                     qPrintable(SystemError::text(ENOMEM)));
        return ExportCommand::kDatabaseError;
    }
    pool->start([] {});
    return run(app, draw);
}

int handOver(char **argv, const Helper &helper) {
    const QByteArray program = QFile::encodeName(ProgramFolder::helperProgram(QLatin1String(helper.program)));
    argv[0] = const_cast<char *>(program.constData());
    const int error = ::posix_spawn(&helperProcess, program.constData(), nullptr, nullptr, argv, environ);
    if (error != 0) {
        std::fprintf(stderr, "solvane-export: não foi possível iniciar %s \"%s\": %s\n", helper.name,
                     program.constData(), qPrintable(SystemError::text(error)));
        return ExportCommand::kDatabaseError;
    }
    // A request to stop this process stops the helper too.
    struct sigaction forward {};
    forward.sa_handler = forwardSignal;
    for (const int signal : kStopSignals)
        ::sigaction(signal, &forward, nullptr);
    int status = 0;
    pid_t ended = 0;
    while ((ended = ::waitpid(helperProcess, &status, 0)) < 0 && errno == EINTR) {
    }
    if (ended < 0) {
        std::fprintf(stderr, "solvane-export: não foi possível acompanhar %s \"%s\": %s\n", helper.name,
                     program.constData(), qPrintable(SystemError::text(errno)));
        return ExportCommand::kDatabaseError;
    }
    // The system's loader ends a program whose libraries it cannot load
    // with status 127 (it says why in its own words); the helper itself
    // ends with 0, 1 or 2.
    constexpr int kNotLoaded = 127;
    if (WIFEXITED(status) && WEXITSTATUS(status) == kNotLoaded) {
        std::fprintf(stderr,
                     "solvane-export: não foi possível carregar %s \"%s\" com as suas bibliotecas; "
                     "a causa mais comum é a falta de memória\n",
                     helper.name, program.constData());
        return ExportCommand::kDatabaseError;
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    const int signal = WTERMSIG(status);
    if (std::find(std::begin(kStopSignals), std::end(kStopSignals), signal) != std::end(kStopSignals) ||
        signal == SIGPIPE) {
        // Stopped from outside: this process ends the same way, as the
        // shell expects of a command it stopped.
        ::signal(signal, SIG_DFL);
        ::raise(signal);
    }
    std::fprintf(stderr,
                 "solvane-export: %s \"%s\" parou de repente (sinal %d) sem concluir %s; "
                 "a causa mais comum é a falta de memória\n",
                 helper.name, program.constData(), signal, helper.work);
    return ExportCommand::kDatabaseError;
}

} // namespace CommandProcess
