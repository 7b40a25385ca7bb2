#pragma once

#include <QString>

#include <optional>

// The formats of the map picture's file, told by its extension: ".jpg" and
// ".jpeg" through the JPEG writer, ".png" lossless, ".bmp", and the vector
// map as ".svg" or ".pdf" (any letter case).
// Kept apart from the encoders so that the command line checks a name
// without drawing anything.
namespace MapFile {

enum class Format { Jpeg, Png, Bmp, Svg, Pdf };

// None for any other extension.
std::optional<Format> formatOf(const QString &path);

} // namespace MapFile
