#pragma once

#include "support/qstring_printer.h"

#include <QImage>
#include <QStringList>

// Small hand-drawn map pictures, one character per pixel:
//   '#' border (black)  '.' white  'a' 'b' 'c' area colours (red, green,
//   blue)  'x' lettering (grey)  's' selection (magenta)
// Pictures read back the same way, so a test can compare whole drawings;
// a colour without a character reads as '?'.
namespace AsciiMap {

QRgb colorOf(char symbol);
QImage draw(const QStringList &rows);
QStringList read(const QImage &picture);

} // namespace AsciiMap
