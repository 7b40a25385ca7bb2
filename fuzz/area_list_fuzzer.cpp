// Area lists and colour lists as a damaged or hostile map folder may hold
// them, read and used as the map view does: seeds, lookups by name and by
// point, colouring and hover on a small picture.
#include "base/data/app_error.h"
#include "base/data/windows1252.h"
#include "core/map/area_coloring.h"
#include "core/map/area_hover.h"
#include "core/map/area_list.h"

#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>

namespace {

// Four patches of colour split by black borders, like a tiny map.
const QImage &picture() {
    static const QImage map = [] {
        QImage image(48, 32, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.fillRect(0, 0, 24, 16, QColor(200, 10, 10));
        painter.fillRect(24, 16, 24, 16, QColor(10, 200, 10));
        painter.setPen(Qt::black);
        painter.drawLine(24, 0, 24, 31);
        painter.drawLine(0, 16, 47, 16);
        return image;
    }();
    return map;
}

} // namespace

// The first byte is the map's row offset; the lines before a line "--" are
// the area list, those after it the colour list.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    const int tag = static_cast<int8_t>(data[0]);
    const QStringList lines =
        Windows1252::decode(QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)))
            .split(QLatin1Char('\n'));
    const qsizetype divider = lines.indexOf(QStringLiteral("--"));
    const AreaList areas(divider < 0 ? lines : lines.mid(0, divider));
    const AreaList colors(divider < 0 ? QStringList() : lines.mid(divider + 1));

    for (const QString &line : areas.lines()) {
        areas.indexOfName(AreaList::nameOf(line));
        try {
            const QPoint seed = AreaList::seedOf(line);
            areas.indexOfPoint(seed);
        } catch (const AppError &) {
        }
    }
    QImage image = picture();
    try {
        colorAreas(image, areas, colors, tag);
    } catch (const AppError &) {
    }
    for (const QPoint pointer : {QPoint(3, 3), QPoint(30, 20), QPoint(24, 16), QPoint(47, 31)})
        areaNameAt(image, pointer, areas, tag);
    return 0;
}
