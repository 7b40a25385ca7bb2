#include "area_hover.h"

#include "area_list.h"
#include "map_pixels.h"

QString areaNameAt(const QImage &picture, QPoint pointer, const AreaList &areas, int tag) {
    const int top = MapPixels::runTop(picture, pointer);
    const int line = areas.indexOfPoint(QPoint(pointer.x(), top - tag));
    return line < 0 ? QString() : AreaList::nameOf(areas.lines()[line]);
}
