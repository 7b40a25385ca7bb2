#pragma once

#include <QByteArray>
#include <QString>

// Files the program reads whole (a map bitmap, its area list, a legend) must
// be ordinary files: opening a named pipe without a writer would wait
// forever, and a device or socket holds no map. The kind is told from the
// file's status, without opening it.
namespace InputFile {

// Why the path cannot be read as an ordinary file ("é um tubo (FIFO), não um
// arquivo comum"), or an empty text for an ordinary file, a link to one, or
// a path that does not exist (opening it tells why).
QString notRegular(const QString &path);

// The whole file. When it is no ordinary file, cannot be opened or read, or
// does not fit in memory, raises AppError with doing (what the program was
// doing, on which file), ": " and why, in words a user can act on.
QByteArray read(const QString &path, const QString &doing);

} // namespace InputFile
