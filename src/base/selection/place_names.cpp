#include "base/selection/place_names.h"

#include "base/data/query.h"
#include "base/data/study_schema.h"

namespace PlaceNames {

QString all(QLatin1String table) {
    return table == StudySchema::kMunicipio ? QStringLiteral("<Todos>") : QStringLiteral("<Todas>");
}

Place of(Database &database, QLatin1String table, int key) {
    if (key == 0)
        return {all(table), all(table)};
    Query query(database);
    query.setActivity(QStringLiteral("ler o nome do código %1 de %2").arg(key).arg(table));
    query.sql() << QStringLiteral("select %1, %2").arg(StudySchema::kSigla, StudySchema::kDescricao)
                << QStringLiteral("  From %1").arg(table) << QStringLiteral(" where %1 = %2").arg(table).arg(key);
    query.open();
    if (query.eof())
        return {};
    return {query.fieldByName(StudySchema::kSigla).asString(), query.fieldByName(StudySchema::kDescricao).asString()};
}

} // namespace PlaceNames
