#pragma once

#include "selection/selection_state.h"

#include <QStringList>
#include <optional>

// Which territory columns of the result table a run shows.
struct ShownTerritory {
    bool regiao = false;
    bool unidadeFederativa = false;
    bool microRegiao = false;
    bool regiaoMetropolitana = false;
    bool municipio = false;
};

// The value statement of a topic: its lines, and the row kind of the total
// rows of its result (none for the municipality list "03", which keeps the
// previous one).
struct IndicatorStatement {
    QStringList lines;
    std::optional<int> totalKind;
};

// Composes the value statement of a table topic from the territory filters,
// the population band, the picked municipalities and the grouping level.
namespace QueryBuilder {

inline const QString kMunicipalityList = QStringLiteral("03");

// "03" or a code of 8 characters names a data table; shorter codes are
// headings of the topic tree.
bool isTableTopic(const QString &topic);

// The topic code without its dots, at most 50 characters.
QString tableName(const QString &topic);

ShownTerritory shownTerritory(const QString &topic, const SelectionState &state);

// Raises an error when a picked municipality carries no numeric code.
IndicatorStatement compose(const QString &topic, const SelectionState &state, const QStringList &FAtributos);

} // namespace QueryBuilder
