#pragma once

#include <QLatin1String>

// The names of the study's tables and columns that the program uses apart
// from its statements (whose lines are written out whole where they are
// composed).
namespace StudySchema {

// The territory tables, each keyed by a column of its own name, with the
// name of a place in Descricao and, for states and metropolitan regions,
// its abbreviation in Sigla. Their keys are also columns of every data table.
inline constexpr QLatin1String kRegiao{"Regiao"};
inline constexpr QLatin1String kUnidadeFederativa{"Unidade_Federativa"};
inline constexpr QLatin1String kMicroRegiao{"Micro_Regiao"};
inline constexpr QLatin1String kRegiaoMetropolitana{"Regiao_Metropolitana"};
inline constexpr QLatin1String kMunicipio{"Municipio"};
inline constexpr QLatin1String kDescricao{"Descricao"};
inline constexpr QLatin1String kSigla{"Sigla"};

// The topic catalogue: one row per topic, keyed by its code, titled by Descricao.
inline constexpr QLatin1String kNivelInformacao{"Nivel_Informacao"};

// The kind of a data row (detail, a territory's total, ...), and a
// municipality's urban population.
inline constexpr QLatin1String kTipoRegistro{"Tipo_Registro"};
inline constexpr QLatin1String kPopulacaoCidade{"Populacao_Cidade"};

} // namespace StudySchema
