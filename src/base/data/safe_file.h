#pragma once

#include "base/data/app_error.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The one writer of every file the program produces. It never destroys what
// it was not asked to write:
// - a regular file is replaced atomically: the bytes go to a temporary file
//   in the same folder, which is renamed over the target only once complete
//   and flushed, and takes the target's permissions; a failure leaves the old
//   file whole. A file the user may not write is not replaced. A link is followed, so the file it reaches is replaced and the
//   link stays;
// - a device, named pipe or socket that exists is written to as a stream and
//   keeps being what it is; a pipe nobody reads is a failure, not a wait;
// - /dev/stdout, /dev/stderr, /dev/fd/N and /proc/self/fd/N name the
//   process's own descriptors: the bytes go through the descriptor as it was
//   opened (a shell's ">>" keeps appending), whatever file it leads to;
// - a folder, and the program's own inputs (the study database and the
//   programs, by whatever name or link reaches them, and the folders of its
//   shipped data), are refused;
// - every write, the flush and the close are checked; a failure raises
//   AppError naming the file, with the reason in Portuguese.
namespace SafeFile {

// The path cannot be written by its nature (a folder, an input of the
// program): the user must choose another.
class Refused : public AppError {
  public:
    using AppError::AppError;
};

void write(const QString &path, const QByteArray &contents);

// A file written in parts as they are made, with every guarantee of write():
// the path is checked and its destination opened on construction (for a
// regular file, a temporary file beside it), each part is written at once,
// and commit() ends the file (a regular file is flushed and renamed over the
// target). Destroyed without a commit, after a failure or while an
// exception leaves its writer, a regular file is left as it was and the
// temporary file removed; a device, pipe or descriptor keeps what it took.
class Output {
  public:
    explicit Output(const QString &path);
    ~Output();
    Output(const Output &) = delete;
    Output &operator=(const Output &) = delete;

    void append(QByteArrayView bytes);
    void commit();

  private:
    enum class Kind { Descriptor, Temporary, Stream };
    void abandon();

    QString m_path;
    Kind m_kind = Kind::Temporary;
    int m_fd = -1;          // closed at the end unless it is the process's own
    QByteArray m_temporary; // Temporary: the file being written
    QByteArray m_target;    // Temporary: the canonical path it replaces
    bool m_open = false;    // append and commit allowed
};

// Raises what write() would raise for the path before writing a byte (a
// refused input or folder, a missing folder, a file the user may not write,
// a descriptor not open), so that a command can check all its outputs before
// writing the first. A pipe's reader, a full disk and the like show only in
// the write itself.
void check(const QString &path);

// The importer's way of putting a study it built in place. SQLite writes the
// new study itself, into a file of the importer's own in the target's
// folder; this renames that finished file over the target after the checks
// write() makes, save one: the study database may be the target here (and
// only here). Any other protected input, a folder, a device or a file the
// user may not write is refused as write() refuses it.
void checkStudyTarget(const QString &path);
void installStudy(const QString &finished, const QString &path);

// Inputs of the program that write() refuses. A protected file is matched by
// its identity on disk, so a link or a second name of it is refused too. A
// protected folder covers everything under it, save a folder allowed inside
// it: the nearest registered folder above a path decides.
void protectFile(const QString &path);
void protectFolder(const QString &path);
void allowFolder(const QString &path);
// The study database (ProgramFolder::studyFile()), the programs (solvane, solvane-export,
// solvane-export-desenho, solvane-export-planilha, solvane-import, in the executable's folder and, for the helpers,
// where an installed exporter finds them) and the folders of the program's shipped data
// (Dados, Mapas, Imagens, Anexos, Ajuda) under the program's folder, save
// Mapas/Legendas, where the program saves the legend files.
void protectProgramInputs();
void clearProtection();

// A write beyond the user's file-size limit (ulimit -f) would kill the
// process with SIGXFSZ, leaving its temporary file behind and saying
// nothing. Once this is called, such a write fails instead, and the writer
// reports "arquivo grande demais" on the user's file and removes its
// temporary file. Called by every program at its start.
void failWritesBeyondSizeLimit();

} // namespace SafeFile
