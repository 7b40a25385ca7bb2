#include "map/map_file.h"

#include "data/app_error.h"
#include "map/jpeg_writer.h"

#include <QBuffer>
#include <QFileInfo>

namespace MapFile {

std::optional<Format> formatOf(const QString &path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return Format::Jpeg;
    if (suffix == QLatin1String("png"))
        return Format::Png;
    if (suffix == QLatin1String("bmp"))
        return Format::Bmp;
    return std::nullopt;
}

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
