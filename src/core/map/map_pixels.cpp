#include "core/map/map_pixels.h"

namespace MapPixels {

int runTop(const QImage &image, QPoint p) {
    const qint64 color = colorAt(image, p);
    int y = p.y();
    while (y > 0 && colorAt(image, QPoint(p.x(), y - 1)) == color)
        --y;
    return y;
}

} // namespace MapPixels
