#include "base/map/map_file_format.h"

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
    if (suffix == QLatin1String("svg"))
        return Format::Svg;
    if (suffix == QLatin1String("pdf"))
        return Format::Pdf;
    return std::nullopt;
}

} // namespace MapFile
