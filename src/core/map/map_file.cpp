#include "core/map/map_file.h"

#include "base/data/app_error.h"
#include "base/data/safe_file.h"
#include "core/drawing/jpeg_writer.h"
#include "core/drawing/picture_bytes.h"
#include "core/map/map_drawing.h"
#include "core/map/map_vectors.h"

namespace MapFile {

QByteArray encode(const MapResult &map, Format format) {
    switch (format) {
    case Format::Jpeg:
        return JpegWriter::encode(map.picture);
    case Format::Png:
        return PictureBytes::encode(map.picture, "PNG");
    case Format::Bmp:
        return PictureBytes::encode(map.picture, "BMP");
    case Format::Svg:
        return MapVectors(map).svg();
    case Format::Pdf:
        break;
    }
    return MapVectors(map).pdf();
}

void save(const QString &path, const MapResult &map) {
    const auto format = formatOf(path);
    if (!format)
        throw AppError(QStringLiteral("Erro ao gravar o mapa em \"%1\": formato de arquivo desconhecido.").arg(path));
    SafeFile::write(path, encode(map, *format));
}

} // namespace MapFile
