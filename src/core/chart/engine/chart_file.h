#pragma once

#include "base/chart/chart_file_format.h"

#include <QByteArray>
#include <QSize>

class ChartRenderer;

// A chart as a file: a picture (BMP, PNG, JPEG) over a white ground, or vectors
// whose texts stay texts (SVG, PDF). The bytes are composed in memory and
// then written in one piece.
namespace ChartFile {

QByteArray compose(const ChartRenderer &chart, const QSize &size, Format format);

// Writes the chart in the format of the path's extension. Raises AppError
// for an extension of no known format and when the file cannot be written.
void save(const QString &path, const ChartRenderer &chart, const QSize &size);

} // namespace ChartFile
