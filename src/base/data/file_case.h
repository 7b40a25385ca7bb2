#pragma once

#include <QString>

// Files of a study made on a system that ignores letter case: the published
// map folder holds "Mapas/Pais/BRUF.BMP" or "mapas/pais/bruf.bmp" where the
// program asks for "Mapas/Pais/BRUF.Bmp". A file is found under its exact
// name first; only a missing part of the path is looked up in its folder
// ignoring case.
namespace FileCase {

// The path as it is on disk: every part missing under its exact name is
// replaced by the first entry of its folder, in name order, that differs
// only in letter case. When some part has no such entry the path is
// returned as given, so that a message names the file the program asked for.
QString find(const QString &path);

} // namespace FileCase
