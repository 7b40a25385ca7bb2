#pragma once

#include <QImage>

class AreaList;

// Colours the areas of a map picture: for every area line, in list order,
// whose name has a non-empty colour in the colour list, the patch around the
// line's seed (its first point, tag rows further down in the picture) is
// flood-filled with that colour. Only the seed of each line takes part, so
// all lines of one name get that name's colour. An empty colour list changes
// nothing. A malformed seed or colour raises AppError; the areas coloured
// before it stay coloured.
void colorAreas(QImage &picture, const AreaList &areas, const AreaList &colors, int tag);
