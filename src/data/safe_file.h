#pragma once

#include <QByteArray>
#include <QString>

// Writes a whole file through a temporary file beside it, renamed over the
// target only once complete: a failure never leaves a half-written file in
// place of a good one. The folder must exist.
namespace SafeFile {

// Raises AppError naming the file and the system's reason.
void write(const QString &path, const QByteArray &contents);

} // namespace SafeFile
