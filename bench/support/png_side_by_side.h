#pragma once

#include <QImage>
#include <benchmark/benchmark.h>

// The PNG file of a picture as the program writes it, side by side with
// ImageMagick's convert writing the same picture. convert's cost of writing
// is its whole run from an uncompressed copy of the picture to a PNG file,
// less the same run writing nothing (so its start-up and reading cancel
// out). Counters (CPU milliseconds and file sizes, medians of the
// iterations): ours_ms and ours_KB, magick_ms and magick_KB, ratio
// (ours_ms / magick_ms), and, for the trade, qt_default_ms and qt_default_KB
// (the picture at Qt's default compression) and KB_vs_default.
void pngSideBySide(benchmark::State &state, const QImage &picture);
