#pragma once

#include <QImage>
#include <QPoint>

// Pixel reads of a map picture. Colours are compared as exact 24-bit values
// (0xRRGGBB, whatever the alpha byte of the picture's format says); a point
// outside the picture reads as kOutside, which equals no colour of the picture.
namespace MapPixels {

inline constexpr qint64 kOutside = -1;

inline qint64 colorOf(QRgb rgb) { return rgb & 0xFFFFFF; }

inline qint64 colorAt(const QImage &image, QPoint p) { return image.valid(p) ? colorOf(image.pixel(p)) : kOutside; }

// The highest row of the run of p's colour, in p's column, that holds p
// (0 when the run reaches the upper edge).
int runTop(const QImage &image, QPoint p);

} // namespace MapPixels
