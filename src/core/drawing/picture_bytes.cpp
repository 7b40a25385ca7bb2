#include "core/drawing/picture_bytes.h"

#include "base/data/app_error.h"
#include "base/data/safe_file.h"

#include <QBuffer>
#include <QImageWriter>

#include <new>

namespace PictureBytes {

namespace {

// The compression of every PNG file, on Qt's scale from 0 to 100 (zlib's
// level 3; Qt's default is level 6). Maps and charts are flat colours and
// text, which the faster level packs nearly as tightly: a chart costs a
// quarter less CPU for 11 % more bytes, a map a third less for 14 % more
// (PngOfTheLargestListing and BM_PngOfTheMapPicture in bench/).
constexpr int kPngCompression = 40;

} // namespace

QByteArray encode(const QImage &picture, const char *format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (picture.isNull())
        throw AppError(
            QStringLiteral("Não foi possível compor a imagem %1: a imagem está vazia.").arg(QLatin1String(format)));
    QImageWriter writer(&buffer, format);
    if (qstrcmp(format, "PNG") == 0)
        writer.setCompression(kPngCompression);
    // A picture written into memory fails only for want of memory.
    if (!writer.write(picture))
        throw std::bad_alloc();
    return bytes;
}

void writeBitmap(const QString &path, const QImage &picture) { SafeFile::write(path, encode(picture, "BMP")); }

} // namespace PictureBytes
