#pragma once

#include <QString>

class SampleGeography;

// Writes the map bitmaps and area lists of every grouping level under
// "Mapas/" of the program folder: the country by region and by state, each
// state by micro-region and by municipality, each metropolitan region by
// municipality, and the empty folder for saved legends.
namespace MapSetWriter {

struct Counts {
    int maps = 0;
    qint64 bytes = 0;
};

Counts write(const SampleGeography &geography, const QString &programFolder);

} // namespace MapSetWriter
