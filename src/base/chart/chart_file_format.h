#pragma once

#include <QString>
#include <optional>

// The formats of a chart's file, told by its extension. Kept apart from the
// writers so that the command line checks a name without drawing anything.
namespace ChartFile {

enum class Format { Bmp, Png, Jpeg, Svg, Pdf };

// The format a file name's extension asks for, in any letter case
// (".jpg" and ".jpeg" for JPEG).
std::optional<Format> formatOf(const QString &path);

} // namespace ChartFile
