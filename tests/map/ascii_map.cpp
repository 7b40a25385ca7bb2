#include "ascii_map.h"

namespace AsciiMap {
namespace {

constexpr struct {
    char symbol;
    QRgb color;
} kPalette[] = {
    {'#', 0xFF000000}, {'.', 0xFFFFFFFF}, {'a', 0xFFFF0000}, {'b', 0xFF00FF00},
    {'c', 0xFF0000FF}, {'x', 0xFF808080}, {'s', 0xFFFF00FF},
};

} // namespace

QRgb colorOf(char symbol) {
    for (const auto &entry : kPalette)
        if (entry.symbol == symbol)
            return entry.color;
    return 0xFF123456;
}

QImage draw(const QStringList &rows) {
    QImage picture(int(rows.value(0).size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x)
            picture.setPixel(x, y, colorOf(rows[y][x].toLatin1()));
    return picture;
}

QStringList read(const QImage &picture) {
    QStringList rows;
    for (int y = 0; y < picture.height(); ++y) {
        QString row;
        for (int x = 0; x < picture.width(); ++x) {
            char symbol = '?';
            for (const auto &entry : kPalette)
                if (entry.color == (picture.pixel(x, y) | 0xFF000000))
                    symbol = entry.symbol;
            row += QLatin1Char(symbol);
        }
        rows << row;
    }
    return rows;
}

} // namespace AsciiMap
