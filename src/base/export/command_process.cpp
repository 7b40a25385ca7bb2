#include "base/export/command_process.h"

#include "base/data/figure_locale.h"
#include "base/data/program_folder.h"
#include "base/data/system_error.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
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

} // namespace

const char *const kDrawingProgram = "solvane-export-desenho";

void prepare() {
    // A closed standard output or error is held by a read-only stand-in: no
    // file the run opens takes its number, and a write to it fails as it
    // should instead of landing in that file.
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO})
        if (::fcntl(fd, F_GETFD) == -1)
            ::open("/dev/null", O_RDONLY);
    qInstallMessageHandler(dropQtNotes);
    // The map picture is drawn with fonts but never shown: the headless
    // platform serves, whether or not the shell has a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

int run(const QCoreApplication &app, ExportCommand::DrawStep draw) {
    // Figures are written as the program shows them.
    QLocale::setDefault(FigureLocale::forFigures());
    QFile out, err;
    if (!out.open(stdout, QIODevice::WriteOnly) || !err.open(stderr, QIODevice::WriteOnly))
        return ExportCommand::kDatabaseError;
    return ExportCommand::execute(app.arguments().mid(1), out, err, draw);
}

int handOver(char **argv) {
    const QByteArray program = QFile::encodeName(ProgramFolder::file(QLatin1String(kDrawingProgram)));
    argv[0] = const_cast<char *>(program.constData());
    ::execv(program.constData(), argv);
    const int error = errno;
    std::fprintf(stderr, "solvane-export: não foi possível iniciar o programa de desenho \"%s\": %s\n",
                 program.constData(), qPrintable(SystemError::text(error)));
    return ExportCommand::kDatabaseError;
}

} // namespace CommandProcess
