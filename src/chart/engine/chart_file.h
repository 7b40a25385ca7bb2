#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <optional>

class ChartRenderer;

// A chart as a file: a picture (BMP, PNG, JPEG) over a white ground, or vectors
// whose texts stay texts (SVG, PDF). The bytes are composed in memory and
// then written in one piece.
namespace ChartFile {

enum class Format { Bmp, Png, Jpeg, Svg, Pdf };

// The format a file name's extension asks for, in any letter case
// (".jpg" and ".jpeg" for JPEG).
std::optional<Format> formatOf(const QString &path);

QByteArray compose(const ChartRenderer &chart, const QSize &size, Format format);

// Writes the chart in the format of the path's extension. Raises AppError
// for an extension of no known format and when the file cannot be written.
void save(const QString &path, const ChartRenderer &chart, const QSize &size);

} // namespace ChartFile
