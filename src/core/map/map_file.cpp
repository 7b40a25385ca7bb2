#include "core/map/map_file.h"

#include "base/data/app_error.h"
#include "core/drawing/jpeg_writer.h"

#include <QBuffer>

namespace MapFile {

QByteArray encode(const QImage &picture, Format format) {
    if (format == Format::Jpeg)
        return JpegWriter::encode(picture);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const char *name = format == Format::Png ? "PNG" : "BMP";
    if (!picture.save(&buffer, name))
        throw AppError(QStringLiteral("Não foi possível gravar a imagem %1 do mapa.").arg(QLatin1String(name)));
    return bytes;
}

} // namespace MapFile
