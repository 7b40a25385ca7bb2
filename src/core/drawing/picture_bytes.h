#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Pictures as the bytes of their files, for every picture the program
// writes in Qt's own formats (the JPEG goes through JpegWriter): every PNG
// file, picture in a workbook included, is compressed here alike.
namespace PictureBytes {

// The picture in the format Qt names ("BMP", "PNG"); raises AppError for an
// empty picture and std::bad_alloc when the memory cannot hold the file.
QByteArray encode(const QImage &picture, const char *format);

// Writes the picture at path as a BMP file, through SafeFile: the bitmap a
// picture passes through on its way to the JPEG writer or into the sheet.
// Raises AppError when it cannot be encoded or written.
void writeBitmap(const QString &path, const QImage &picture);

} // namespace PictureBytes
