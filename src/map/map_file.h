#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

// The map picture as a file whose format follows its extension: ".jpg" and
// ".jpeg" through the JPEG writer, ".png" lossless, ".bmp" (any letter case).
namespace MapFile {

enum class Format { Jpeg, Png, Bmp };

// None for any other extension.
std::optional<Format> formatOf(const QString &path);

// The file's bytes; raises AppError when the picture cannot be encoded.
QByteArray encode(const QImage &picture, Format format);

} // namespace MapFile
