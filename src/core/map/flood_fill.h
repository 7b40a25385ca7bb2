#pragma once

#include <QImage>
#include <QPoint>

// Paints color over every pixel that has the seed pixel's colour and is
// connected to the seed through horizontal and vertical neighbours. A seed
// outside the picture, or one that already has the colour, changes nothing.
// A picture that is not in Format_RGB32 is converted to it first.
void floodFill(QImage &image, QPoint seed, QRgb color);
