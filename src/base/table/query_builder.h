#pragma once

#include "base/selection/selection_state.h"
#include "base/table/run_plan.h"

#include <QStringList>
#include <optional>

// The value statement of a topic: its lines, and the row kind of the total
// rows of its result (none for the municipality list, which keeps the
// previous one).
struct IndicatorStatement {
    QStringList lines;
    std::optional<int> totalKind;
};

// Composes the value statement of a table topic from the territory filters,
// the population band, the picked municipalities and the grouping level.
namespace QueryBuilder {

// Raises an error when a picked municipality carries no numeric code.
IndicatorStatement compose(const QString &topic, const SelectionState &state, const QStringList &FAtributos);

} // namespace QueryBuilder
