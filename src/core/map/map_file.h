#pragma once

#include "base/map/map_file_format.h"

#include <QByteArray>
#include <QString>

struct MapResult;

// The drawn map as a file whose format follows its extension: the picture
// as a bitmap (JPEG, PNG, BMP) or the map as vectors (SVG, PDF, MapVectors).
// The map page's "Salvar mapa como…" and solvane-export --mapa both write
// through here.
namespace MapFile {

// The file's bytes. Raises AppError when the picture cannot be encoded.
QByteArray encode(const MapResult &map, Format format);

// Writes the map in the format of the path's extension through SafeFile.
// Raises AppError naming the file for an extension of no known format and
// when the file cannot be written.
void save(const QString &path, const MapResult &map);

} // namespace MapFile
