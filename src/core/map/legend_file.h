#pragma once

#include "core/map/map_legend.h"

#include <QString>

#include <optional>

// The saved upper bounds of a column's legend at one grouping level: an INI
// file "Mapas/Legendas/Lg" + the column's full name without dots + "_" +
// the grouping index + ".Ini", section "Legenda", keys "Valor Final Faixa 1"
// to "Valor Final Faixa 8".
namespace LegendFile {

QString path(const QString &FCampoPercentual, int grouping);

// The saved bounds, or none when there is no file. The file is found under
// its name in any letter case (FileCase). A file that cannot be read or is
// not a legend (another encoding, a damaged line, no section "Legenda")
// raises AppError naming the file and the reason.
std::optional<MapLegend::Bounds> read(const QString &path);

// The file's bytes: the section and the eight keys, blank bounds included.
QByteArray contents(const MapLegend::Bounds &uppers);

// Replaces the file whole, or leaves the old one as it was: a file that
// cannot be written raises AppError "Unable to write to <file>" followed by
// the system's reason.
void write(const QString &path, const MapLegend::Bounds &uppers);

// Deletes the file if there is one, in any letter case; raises AppError
// when one stays.
void remove(const QString &path);

} // namespace LegendFile
