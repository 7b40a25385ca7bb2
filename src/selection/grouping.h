#pragma once

// The grouping level of a query run: the item index of the "Agrupar por"
// list. Five minus the index is the row kind of the detail rows of a table.
namespace Grouping {

enum Level : int {
    Regiao = 0,
    UnidadeFederativa = 1,
    MicroRegiao = 2,
    RegiaoMetropolitana = 3,
    Municipio = 4,
};

inline constexpr int kCount = 5;

} // namespace Grouping
