#pragma once

#include "base/data/app_error.h"
#include "base/selection/selection_state.h"
#include "core/map/area_list.h"
#include "core/map/class_breaks.h"
#include "core/map/map_legend.h"
#include "core/map/map_picture.h"

#include <QImage>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class CurrentResult;
class Database;
struct ColumnMark;

// A map that cannot be drawn for the current selection: the grouping has no
// map, a filter it needs is not chosen, or its bitmap is missing. The text
// is what the user reads.
class MapRefusal : public AppError {
  public:
    using AppError::AppError;
};

// The map of a grouping level: its files and what the page writes beside it.
struct MapLevel {
    QString base; // bitmap base + ".Bmp", area list base + ".Txt"
    // The two files as found: under those names, or in another letter case.
    QString bitmap;
    QString areaList;
    QString keyColumn;
    QString groupingText; // lblMapaDe
    QString nomeLocalCaption;
    QString nomeLocalText;
    bool nomeLocalVisible = false;
};

// The figure of an area on the map: its name as the area list holds it,
// the detail row's value, and the value as the table shows it.
struct AreaFigure {
    QString name;
    double value = 0;
    QString text;
};

// The finished map: its level, the picture (the bitmap enlarged, titled, with the
// legend beside it and its areas coloured), the same picture before its
// areas were coloured (ground), the texts written on it and the legend as
// it was drawn (a later edit of the page's grid does not change it), the area and
// colour lists it was coloured from, the figures the colour list was made
// from (one for each of its lines, in its order), and how many areas fell
// into each class ([0]: into none).
struct MapResult {
    MapLevel level;
    QImage picture;
    QImage ground;
    MapPicture::Texts texts;
    MapLegend legend;
    AreaList areas;
    QStringList colorLines;
    QList<AreaFigure> figures;
    std::array<int, 9> classCounts{};
    // Set when the legend was loaded: whether it came from its file.
    std::optional<bool> legendFromFile;
};

// Draws a figure column of the current result as a thematic map, without a
// window: the map page (for the marked column) and the command-line
// exporter (for the column it names) both build their picture here, so the
// two give the same pixels. The column is given as a mark: its data
// column's name, which names the legend's maximum, and its full name in
// the result table.
namespace MapDrawing {

// The map of the selection's grouping. Raises MapRefusal for the
// metropolitan-region grouping, for micro-regions without a state, for
// municipalities with neither a metropolitan region nor a state, and when
// the bitmap does not exist in any letter case.
MapLevel level(Database &database, const SelectionState &selection);

// Fills the legend from its file, or computes it from the column's maximum
// when there is no file. A file that cannot be read or holds a bound that is
// no number of the legend's kind, or beyond what a legend shows, gives way
// to the computed classes; warning then says why. A file whose classes are
// out of order is used as it is, and warning names the first such class.
// Returns whether the file was used. A maximum beyond what a legend shows
// raises AppError.
bool CarregaLegenda(Database &database, const CurrentResult &result, const ColumnMark &column, MapLegend &legend,
                    QString &warning);

// The figures of the map's areas: one for every detail row whose area is
// on the map, in the table's order. Total rows are skipped; names are
// compared ignoring case; a state row is named by the description of its
// abbreviation. An area with no row has no figure.
QList<AreaFigure> areaFigures(Database &database, const CurrentResult &result, const ColumnMark &column,
                              const MapLevel &level, const AreaList &areas);

// The colour list: for every figure, the area's name, "=" and the colour of
// its value's class. Counts the areas of each class.
QStringList colorList(const QList<AreaFigure> &figures, const MapLegend &legend, std::array<int, 9> &classCounts);

// Fills the legend by a method, whatever its file holds: the doubling
// classes from the column's maximum, or the classes a computed method makes
// of the figures that colour an area of the map (the detail rows matched
// to an area). Raises MapRefusal and AppError as MostraMapa does for the
// map's files, and AppError for a figure beyond what a legend shows.
void computeClasses(Database &database, const CurrentResult &result, const ColumnMark &column, ClassMethod method,
                    MapLegend &legend);

struct Hooks {
    // The bare bitmap, once loaded (the page shows it before reading the
    // area list, so an error there leaves it on screen).
    std::function<void(const QImage &)> bitmapLoaded;
    // The legend file could not be used and the classes were computed, or
    // it was used with its classes out of order.
    std::function<void(const QString &)> legendWarning;
};

// The whole drawing. With loadLegend the legend is loaded first, else its
// classes are used as they are. Refusals raise MapRefusal; a bitmap or area
// list that cannot be read or is damaged (a bitmap cut short, an area list
// that names no area or has a seed outside the bitmap) and database errors
// raise AppError naming the file.
MapResult MostraMapa(Database &database, const CurrentResult &result, const ColumnMark &column, MapLegend &legend,
                     bool loadLegend, const Hooks &hooks = {});

} // namespace MapDrawing
