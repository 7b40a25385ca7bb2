#pragma once

#include <QByteArray>
#include <QString>

// Every file of the study is written to a temporary file beside its target
// and renamed over it only once complete, so an interrupted build never
// leaves a half-written file in place of a good one.
namespace OutputFile {

// Creates the parent folders as needed. Raises AppError naming the file
// and the system's reason when it cannot be written.
void write(const QString &path, const QByteArray &contents);

// Creates a folder and its parents; raises AppError when it cannot.
void makeFolder(const QString &path);

// Moves a finished temporary file over its target in one step.
void replace(const QString &temporaryPath, const QString &path);

} // namespace OutputFile
