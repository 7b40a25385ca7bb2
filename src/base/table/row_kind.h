#pragma once

// The kinds of row in a data table of the study (its Tipo_Registro column):
// which territory a row holds the figures of.
namespace RowKind {

enum Kind : int {
    Municipio = 1,           // a municipality, or the "DEMAIS" row of an area's small towns
    RegiaoMetropolitana = 2, // a metropolitan region
    MicroRegiao = 3,         // a micro-region
    UnidadeFederativa = 4,   // a state
    Regiao = 5,              // a region
    Pais = 6,                // the whole country
    TotalMetropolitana = 43, // the total of the metropolitan-region grouping
};

} // namespace RowKind
