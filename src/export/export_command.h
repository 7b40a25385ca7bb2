#pragma once

#include "selection/selection_state.h"

#include <QStringList>
#include <stdexcept>

class QIODevice;

// The command-line exporter: a topic and filters given as options run the
// same query as the data page and write its table as the delimited text
// file of the export dialog.
namespace ExportCommand {

enum ExitStatus { kOk = 0, kDatabaseError = 1, kBadInput = 2 };

struct Options {
    QString topic;
    SelectionState selection;
    QChar separator = QLatin1Char(';');
    QString output; // empty: standard output
    bool utf8 = false;
    bool help = false;
};

// Input the command cannot run with; its text is the one-line message.
class BadInput : public std::runtime_error {
  public:
    explicit BadInput(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

  private:
    QString m_message;
};

QString usage();

// Reads the options (arguments without the program name); raises BadInput.
Options parse(const QStringList &arguments);

// Runs the topic on the study in the program's folder and returns the file's
// bytes. A topic that does not exist or is not a table raises BadInput; the
// database's own errors raise AppError.
QByteArray run(const Options &options);

// The whole command: writes the text to out (or to the file of --saida,
// replacing it only when complete) and messages to err; returns the exit
// status.
int execute(const QStringList &arguments, QIODevice &out, QIODevice &err);

} // namespace ExportCommand
