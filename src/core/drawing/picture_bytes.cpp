#include "core/drawing/picture_bytes.h"

#include "base/data/app_error.h"
#include "base/data/safe_file.h"

#include <QBuffer>

#include <new>

namespace PictureBytes {

QByteArray encode(const QImage &picture, const char *format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (picture.isNull())
        throw AppError(
            QStringLiteral("Não foi possível compor a imagem %1: a imagem está vazia.").arg(QLatin1String(format)));
    // A picture written into memory fails only for want of memory.
    if (!picture.save(&buffer, format))
        throw std::bad_alloc();
    return bytes;
}

void writeBitmap(const QString &path, const QImage &picture) { SafeFile::write(path, encode(picture, "BMP")); }

} // namespace PictureBytes
