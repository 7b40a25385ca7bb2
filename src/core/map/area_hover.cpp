#include "core/map/area_hover.h"

#include "core/map/area_list.h"
#include "core/map/map_pixels.h"

QString areaNameAt(const QImage &picture, QPoint pointer, const AreaList &areas, int tag) {
    const int top = MapPixels::runTop(picture, pointer);
    const int line = areas.indexOfPoint(QPoint(pointer.x(), top - tag));
    return line < 0 ? QString() : AreaList::nameOf(areas.lines()[line]);
}
