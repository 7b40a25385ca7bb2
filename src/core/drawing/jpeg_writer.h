#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Map and chart pictures as JPEG files: baseline, colour, quality 90.
namespace JpegWriter {

inline constexpr int kQuality = 90;

// The picture compressed as a baseline colour JPEG (any alpha is dropped).
// Raises AppError when the picture is empty or the compressor fails, and
// std::bad_alloc when the memory cannot hold the work.
QByteArray encode(const QImage &picture, int quality = kQuality);

// Writes the picture as a JPEG file under the name as given, through the
// program's safe writer; raises AppError with the system's text when the
// file cannot be written.
void write(const QString &path, const QImage &picture);

// Turns a bitmap file into a JPEG file: the JPEG's name is jpegPath with its
// extension replaced by ".JPG". Nothing happens when the bitmap does not
// exist; a bitmap that cannot be read or a JPEG that cannot be written
// raises AppError.
void GravaJPEG(const QString &bmpPath, const QString &jpegPath);

// The name GravaJPEG writes to.
QString jpegName(const QString &jpegPath);

} // namespace JpegWriter
