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

// Runs the topic on the study in the program's folder and writes what the
// options ask for: the map picture or chart of --mapa and --grafico (or, for a
// ".xlsx" name, the workbook the export dialog writes on that page), the
// workbook of --planilha, the table to --saida or, when nothing else is
// written, to out. A topic that does not exist or is not a table, lacks the
// column of --coluna, or a territory code the study does not hold, raises
// BadInput; a grouping without a map raises
// MapRefusal; the database's and the files' own errors raise AppError. Notes
// on the way (a saved legend that could not be used) go to err.
void run(const Options &options, QIODevice &out, QIODevice &err);

// Whether the arguments ask for a map, a chart or a workbook: those are
// drawn with fonts, which need a graphical application; a delimited text
// does not, and starts sooner without one. Arguments that do not parse ask
// for nothing to be drawn.
bool draws(const QStringList &arguments);

// The whole command: writes the text to out (or to the file of --saida,
// through SafeFile) and messages to err; returns the exit status: 2 also for
// an output path SafeFile refuses, 1 for any failure to write, and 1 with no
// message when the reader of out closed it early.
int execute(const QStringList &arguments, QIODevice &out, QIODevice &err);

} // namespace ExportCommand
