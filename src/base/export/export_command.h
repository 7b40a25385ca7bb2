#pragma once

#include "base/export/export_options.h"

#include <QByteArray>
#include <QStringList>
#include <functional>

class Database;
class QIODevice;
class CurrentResult;

// The command-line exporter: a topic and filters given as options run the
// same query as the data page and write its table as the delimited text
// file of the export dialog.
namespace ExportCommand {

enum ExitStatus { kOk = 0, kDatabaseError = 1, kBadInput = 2 };

// The step that writes what a run draws (map, chart, workbook) and returns
// whether it wrote a file; warn takes its notes. A program that draws
// nothing passes none and never reaches it (see drawing()).
using DrawStep = bool (*)(Database &db, const CurrentResult &result, const Options &options,
                          const std::function<void(const QString &)> &warn);

// Runs the topic on the study in the program's folder and writes what the
// options ask for: what draw writes (the map, chart and workbooks), the
// table to --saida or, when nothing else is written, to out. Two outputs on
// one file, and an output path the writer would refuse, stop the run before
// anything is written. A topic that
// does not exist or is not a table, or a territory code the study does not
// hold, raises BadInput; the database's and the files' own errors raise
// AppError, as does a drawing asked of a run without a draw step. Notes on
// the way go to err.
void run(const Options &options, QIODevice &out, QIODevice &err, DrawStep draw);

// What the arguments ask to be drawn besides the delimited text, which
// needs no graphical library and starts sooner without one: a workbook of
// the table needs Qt's pictures (its logo) but no fonts; a map or a chart
// (and a workbook of either) is drawn with fonts, which need a graphical
// application. Arguments that do not parse ask for nothing to be drawn.
enum class Drawing { kNothing, kWorkbook, kPictures };
Drawing drawing(const QStringList &arguments);

// The whole command: writes the text to out (or to the file of --saida,
// through SafeFile) and messages to err; returns the exit status: 2 also for
// an output path SafeFile refuses, 1 for any failure to write, and 1 with no
// message when the reader of out closed it early.
int execute(const QStringList &arguments, QIODevice &out, QIODevice &err, DrawStep draw);

} // namespace ExportCommand
