#pragma once

#include <QStringList>

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

// The items of the "Agrupar por" list, by level; the map names its level
// with them too.
inline QStringList texts() {
    return {QStringLiteral("Região"), QStringLiteral("Unidade Federação"), QStringLiteral("Microrregião"),
            QStringLiteral("R. Metropolitana"), QStringLiteral("Município")};
}

} // namespace Grouping
