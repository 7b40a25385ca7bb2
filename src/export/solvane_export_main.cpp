// solvane-export: the indicator table of a topic as delimited text, or the
// map of one of its columns as a picture, from a shell. It reads the study
// beside the executable, like the program.
#include "data/safe_file.h"
#include "export/export_command.h"

#include <QFile>
#include <QGuiApplication>
#include <QLocale>

#include <cstdio>
#include <memory>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Qt's own notes (a runtime folder it had to choose, say) are not the
// command's messages, which reach stderr through the command; only a fatal
// one, before Qt ends the process, is shown.
void dropQtNotes(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char **argv) {
    // A closed standard output or error is held by a read-only stand-in: no
    // file the run opens takes its number, and a write to it fails as it
    // should instead of landing in that file.
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO})
        if (::fcntl(fd, F_GETFD) == -1)
            ::open("/dev/null", O_RDONLY);
    qInstallMessageHandler(dropQtNotes);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // The map picture is drawn with fonts but never shown: the headless
    // platform serves, whether or not the shell has a display. A delimited
    // text is written without any platform, whose start-up (its plugin, the
    // fonts) would cost more than a small table.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app = ExportCommand::draws(arguments)
                                                      ? std::make_unique<QGuiApplication>(argc, argv)
                                                      : std::make_unique<QCoreApplication>(argc, argv);
    // Figures and workbook number formats follow the user's number format; a
    // machine with no locale set gets the Brazilian one, as in the program.
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    SafeFile::protectProgramInputs();
    QFile out, err;
    if (!out.open(stdout, QIODevice::WriteOnly) || !err.open(stderr, QIODevice::WriteOnly))
        return ExportCommand::kDatabaseError;
    return ExportCommand::execute(app->arguments().mid(1), out, err);
}
