#pragma once

#include "base/selection/grouping.h"

#include <QStringList>

// What the filter panel says about the territory of a query: the five
// territory keys (0 = all), the urban-population band (0 = no limit), the
// grouping index of the "Agrupar por" list and the municipalities picked by
// hand ("Name/code" entries, sorted).
struct SelectionState {
    int regiao = 0;
    int unidadeFederativa = 0;
    int microRegiao = 0;
    int regiaoMetropolitana = 0;
    int municipio = 0;
    qint64 faixaInicial = 0;
    qint64 faixaFinal = 0;
    Grouping::Level agrupar = Grouping::Regiao;
    QStringList municipiosSelecionados;
};
