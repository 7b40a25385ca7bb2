#pragma once

#include <QColor>

// Colour numbers as the study's files and tables hold them: red in the low
// byte, then green, then blue (red + 256 * green + 65536 * blue). A top byte
// of 255 marks a system colour, resolved through the application's palette.
namespace ColorNumber {

QColor toColor(qint64 number);
qint64 fromColor(const QColor &color);

} // namespace ColorNumber
