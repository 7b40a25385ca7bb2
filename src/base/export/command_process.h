#pragma once

#include "base/export/export_command.h"

class QCoreApplication;

// The process around the command-line exporter. solvane-export writes the
// delimited text itself, with no graphical library loaded, so a small table
// takes little more than the engine's own time. A workbook it hands over to
// solvane-export-planilha, which loads Qt's pictures for the logo but no
// graphical application; a map or chart (and a workbook asked with them) to
// solvane-export-desenho, which draws with fonts. Either runs the same
// command with its drawing step while solvane-export waits for it.
namespace CommandProcess {

// A program solvane-export hands a command over to, found among the
// helper programs (ProgramFolder::helperProgram), and its name and work in
// the messages about it.
struct Helper {
    const char *program; // "solvane-export-desenho"
    const char *name;    // "o programa de desenho"
    const char *work;    // "o desenho"
};
extern const Helper kDrawingProgram;
extern const Helper kWorkbookProgram;

// Before the application object exists: a closed standard output or error
// is held by a read-only stand-in, Qt's own notes are dropped (only a fatal
// one is shown), an exception for want of memory that escapes a library
// ends the program with a message, and no display is asked for.
void prepare();

// After it: figures follow the user's number format (the Brazilian one on a
// machine with no locale set), and the command runs on the standard output
// and error (it finds the study and protects the program's inputs itself).
// Returns the exit status.
int run(const QCoreApplication &app, ExportCommand::DrawStep draw);

// run for a helper program, with Qt's image work in one thread started
// before anything is drawn. Qt's image conversions and raster fills split a
// large picture into parts for its global thread pool and wait for them; a
// part whose thread could not start (under a memory limit) would be waited
// for forever, and one picture at a time gains little from the parts. So
// the pool keeps one thread, started here and never retired: no thread is
// started while a picture is drawn. When that thread cannot start, the
// command fails with a message instead.
int runDrawing(const QCoreApplication &app, ExportCommand::DrawStep draw);

// Runs the helper with the same arguments and waits for it, passing on a
// request to stop; returns its exit status. The helper's libraries end the
// process on some failures (out of memory inside Qt's painting or the
// workbook writer): a helper ended by a signal is reported on the standard
// error with status 1, so that every run ends with a status and a message,
// unless this process was asked to stop, which then ends the same way. A
// helper that cannot start, or whose libraries the system cannot load, is
// reported likewise.
int handOver(char **argv, const Helper &helper);

} // namespace CommandProcess
