#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The map bitmap of a grouping level, read whole and checked before it is
// drawn on: a file cut short (its header asks for more pixel rows than it
// holds) would otherwise be drawn with the missing rows filled in, and a
// picture the memory cannot hold would read as a damaged one.
namespace MapBitmap {

// The picture in Format_RGB32. Raises AppError "Não foi possível ler o mapa
// <path>: " and why: the file cannot be read, is not a picture, is cut short,
// is larger than the program reads, or does not fit in memory.
QImage read(const QString &path);

// The same for bytes already read (path only names the file in messages).
QImage decode(const QByteArray &bytes, const QString &path);

} // namespace MapBitmap
