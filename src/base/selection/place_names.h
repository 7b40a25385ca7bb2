#pragma once

#include <QLatin1String>
#include <QString>

class Database;

// The names of places as the territory lists show them, read from the
// study: the map names its place and finds its files by them, the workbook
// describes the filters of a run with them.
namespace PlaceNames {

struct Place {
    QString sigla; // the abbreviation, which names the map files
    QString text;  // the description the list shows
};

// The list's entry for all places, shown while its key is 0: "<Todos>" for
// the municipalities, "<Todas>" for the other lists.
QString all(QLatin1String table);

// The place of a territory table (StudySchema::kRegiao ... kMunicipio) with
// that key. Key 0 gives the entry for all places as both texts; a key the
// study does not hold gives empty texts. Database errors raise AppError.
Place of(Database &database, QLatin1String table, int key);

} // namespace PlaceNames
