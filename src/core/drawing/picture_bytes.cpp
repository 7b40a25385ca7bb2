#include "core/drawing/picture_bytes.h"

#include "base/data/app_error.h"
#include "base/data/safe_file.h"

#include <QBuffer>

namespace PictureBytes {

QByteArray encode(const QImage &picture, const char *format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, format))
        throw AppError(QStringLiteral("Não foi possível compor a imagem %1.").arg(QLatin1String(format)));
    return bytes;
}

void writeBitmap(const QString &path, const QImage &picture) { SafeFile::write(path, encode(picture, "BMP")); }

} // namespace PictureBytes
