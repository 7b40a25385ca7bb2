#pragma once

#include "core/map/map_legend.h"

#include <QString>

#include <optional>

// The saved upper bounds of a column's legend at one grouping level: an INI
// file "Mapas/Legendas/Lg" + the column's full name without dots + "_" +
// the grouping index + ".Ini", section "Legenda", keys "Valor Final Faixa 1"
// to "Valor Final Faixa 8".
namespace LegendFile {

// Where the legend of a column at a level is saved: in the study's legend
// folder when the program may write there (the build tree, a study folder
// of the user's own); else under the same relative name in the user's data
// folder (UserFolders), for an installed or read-only study.
QString path(const QString &FCampoPercentual, int grouping);

// The file the legend is read from. Where legends go to the user's folder,
// the user's file comes first, so that a user's legend wins and the study's
// shipped legends still apply to the other columns; otherwise, and when the
// user has none, the study's file.
QString source(const QString &FCampoPercentual, int grouping);

// The saved bounds, or none when there is no file or the file is empty (the
// user chose the computed classes over a legend the study ships). The file
// is found under its name in any letter case (FileCase). A file that cannot
// be read or is not a legend (another encoding, a damaged line, no section
// "Legenda") raises AppError naming the file and the reason.
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

// Makes the column's legend at the level the computed one again: its saved
// file is deleted, and where a study's legend would then apply from a folder
// the program may not write, an empty file in the user's folder says that
// the classes are computed.
void makeAutomatic(const QString &FCampoPercentual, int grouping);

} // namespace LegendFile
