#pragma once

#include "base/export/export_command.h"

class QCoreApplication;

// The process around the command-line exporter. solvane-export writes the
// delimited text itself, with no graphical library loaded, so a small table
// takes little more than the engine's own time; a map, chart or workbook it
// hands over to solvane-export-desenho beside it, which runs the same
// command with the drawing step.
namespace CommandProcess {

// The name of the program that draws, in the program's folder.
extern const char *const kDrawingProgram;

// Before the application object exists: a closed standard output or error
// is held by a read-only stand-in, Qt's own notes are dropped (only a fatal
// one is shown), and no display is asked for.
void prepare();

// After it: figures follow the user's number format (the Brazilian one on a
// machine with no locale set), and the command runs on the standard output
// and error (it finds the study and protects the program's inputs itself).
// Returns the exit status.
int run(const QCoreApplication &app, ExportCommand::DrawStep draw);

// Replaces this process with the drawing program, with the same arguments.
// Returns only when that fails, with the exit status, after a message on
// the standard error.
int handOver(char **argv);

} // namespace CommandProcess
