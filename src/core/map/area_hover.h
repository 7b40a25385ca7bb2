#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

class AreaList;

// The name of the area under the pointer: the run of the pointed pixel's
// colour is followed up its column to its top row, and the first area line
// holding that top point (in stored coordinates, tag rows higher) names the
// area. Traced outlines hold the top pixel of every column of their area, so
// any pixel of an area finds it; lettering, borders and unlisted patches
// find nothing and give an empty text.
QString areaNameAt(const QImage &picture, QPoint pointer, const AreaList &areas, int tag);
