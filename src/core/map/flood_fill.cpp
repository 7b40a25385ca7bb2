#include "core/map/flood_fill.h"

#include <algorithm>
#include <vector>

// A scanline fill: each popped seed is widened to the whole run of the target
// colour in its row, the run is painted at once, and the rows above and below
// get one seed per run of the target colour they hold under it. Work stays
// proportional to the area and the stack to the number of runs.
void floodFill(QImage &image, QPoint seed, QRgb color) {
    if (!image.valid(seed))
        return;
    if (image.format() != QImage::Format_RGB32)
        image.convertTo(QImage::Format_RGB32);
    const QRgb fill = color | 0xFF000000u;
    const int width = image.width();
    const int height = image.height();
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    QRgb *const bits = reinterpret_cast<QRgb *>(image.bits());
    const QRgb target = bits[seed.y() * stride + seed.x()];
    if (target == fill)
        return;

    std::vector<QPoint> stack{seed};
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        QRgb *const row = bits + p.y() * stride;
        if (row[p.x()] != target)
            continue;
        int left = p.x();
        while (left > 0 && row[left - 1] == target)
            --left;
        int right = p.x();
        while (right + 1 < width && row[right + 1] == target)
            ++right;
        std::fill(row + left, row + right + 1, fill);

        for (const int y : {p.y() - 1, p.y() + 1}) {
            if (y < 0 || y >= height)
                continue;
            const QRgb *const next = bits + y * stride;
            int x = left;
            while (x <= right) {
                if (next[x] != target) {
                    ++x;
                    continue;
                }
                stack.emplace_back(x, y);
                while (x <= right && next[x] == target)
                    ++x;
            }
        }
    }
}
