// Map bitmaps with their area lists, as a damaged or hostile map folder may
// hold them: the bitmap read and checked against its header, the area list
// checked against the bitmap, and the areas coloured and named under the
// pointer as the map view does.
#include "base/data/app_error.h"
#include "base/data/windows1252.h"
#include "core/map/area_coloring.h"
#include "core/map/area_hover.h"
#include "core/map/area_list.h"
#include "core/map/map_bitmap.h"

#include <QImageReader>
#include <QRegularExpression>
#include <cstddef>
#include <cstdint>

// The first two bytes are the bitmap's length (little-endian); the bitmap
// follows, then the area list.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 2)
        return 0;
    // A compressed bitmap may unfold a few bytes into a picture of any size
    // up to the reader's limit; a small limit keeps every input fast.
    static const bool limited = [] {
        QImageReader::setAllocationLimit(4);
        return true;
    }();
    static_cast<void>(limited);
    const size_t bitmapSize = std::min<size_t>(size - 2, data[0] | (size_t(data[1]) << 8));
    const QByteArray bitmapBytes(reinterpret_cast<const char *>(data + 2), qsizetype(bitmapSize));
    const QByteArray listBytes(reinterpret_cast<const char *>(data + 2 + bitmapSize), qsizetype(size - 2 - bitmapSize));

    QImage bitmap;
    try {
        bitmap = MapBitmap::decode(bitmapBytes, QStringLiteral("Mapas/Pais/BRUF.Bmp"));
    } catch (const AppError &) {
        return 0;
    }
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    const QStringList lines = Windows1252::decode(listBytes).split(lineEnd);
    try {
        AreaList::checkForMap(lines, QStringLiteral("Mapas/Pais/BRUF.Txt"), bitmap.size());
    } catch (const AppError &) {
        return 0;
    }
    // Every area coloured, as a table with a value for each would do.
    const AreaList areas(lines);
    QStringList colorLines;
    for (const QString &line : lines)
        if (!AreaList::nameOf(line).isEmpty())
            colorLines << AreaList::nameOf(line) + QStringLiteral("=16744448");
    try {
        colorAreas(bitmap, areas, AreaList(colorLines), 0);
    } catch (const AppError &) {
    }
    for (const QPoint pointer : {QPoint(0, 0), QPoint(bitmap.width() / 2, bitmap.height() / 2),
                                 QPoint(bitmap.width() - 1, bitmap.height() - 1)})
        areaNameAt(bitmap, pointer, areas, 0);
    return 0;
}
