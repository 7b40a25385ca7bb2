#pragma once

#include <QString>
#include <QStringList>

// solvane-import ORIGEM.mdb [--saida DESTINO.db]: the published study (an
// Access file) as a new SQLite study. The Access file is read, and the new
// study written into a temporary file beside the target, by a child process:
// a crash of the library that reads the Access file ends that child only,
// and becomes a message naming the file. The new study is then checked (the
// tables and columns the program reads) and renamed over the target; a
// failure, a refusal or a cancellation (SIGINT, SIGTERM, SIGHUP) leaves no
// file behind and the target and the Access file as they were.
namespace ImportCommand {

struct Options {
    QString source;
    QString target; // empty: StudyLocation::importTarget(source)
    bool help = false;
};

// Raises BadInput for arguments that make no command.
class BadInput : public std::exception {
  public:
    explicit BadInput(QString message) : m_message(std::move(message)) {}
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return "bad input"; }

  private:
    QString m_message;
};
Options parse(const QStringList &arguments);

QString usage();

// Runs the import; returns the exit status (0 done, 1 failed, 2 bad input),
// every message on the standard error.
int run(const QStringList &arguments);

} // namespace ImportCommand
