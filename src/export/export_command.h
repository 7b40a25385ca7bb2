#pragma once

#include "export/export_options.h"

#include <QByteArray>
#include <QStringList>

class QIODevice;

// The command-line exporter: a topic and filters given as options run the
// same query as the data page and write its table as the delimited text
// file of the export dialog.
namespace ExportCommand {

enum ExitStatus { kOk = 0, kDatabaseError = 1, kBadInput = 2 };

// Runs the topic on the study in the program's folder and returns the file's
// bytes. A topic that does not exist or is not a table raises BadInput; the
// database's own errors raise AppError.
QByteArray run(const Options &options);

// The whole command: writes the text to out (or to the file of --saida,
// replacing it only when complete) and messages to err; returns the exit
// status.
int execute(const QStringList &arguments, QIODevice &out, QIODevice &err);

} // namespace ExportCommand
