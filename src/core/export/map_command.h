#pragma once

#include "core/map/map_file.h"

#include <QImage>
#include <QString>

#include <functional>

class CurrentResult;
class Database;

// The thematic map of a figure column from the command line: the picture
// the map page draws for the same selection, grouping and column, with the
// saved legend of that column and level when there is one.
namespace MapCommand {

// The picture of the column named by its data column. The topic lacking the column raises BadInput; a level without a map
// raises MapRefusal; warn receives the reason a saved legend gave way to
// the computed classes.
QImage picture(Database &database, const CurrentResult &result, const QString &coluna,
               const std::function<void(const QString &)> &warn);

} // namespace MapCommand
