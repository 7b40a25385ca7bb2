#pragma once

#include "base/map/map_file_format.h"

#include <QByteArray>
#include <QImage>

// The map picture as a file whose format follows its extension.
namespace MapFile {

// The file's bytes; raises AppError when the picture cannot be encoded.
QByteArray encode(const QImage &picture, Format format);

} // namespace MapFile
