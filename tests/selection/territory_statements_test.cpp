// The statements of the territory lists, line by line, for every form the
// cascade can take: no key, each key alone, and the keys together.
#include "base/selection/territory_statements.h"
#include "support/qstring_printer.h"

#include <gtest/gtest.h>

namespace TS = TerritoryStatements;
using S = QStringList;

namespace {

struct StatementCase {
    const char *name;
    QStringList lines;
    QStringList expected;
};

const QString kAllStates = QStringLiteral(
    "Select 1 as Pais, 0 as Regiao, 0 as Unidade_Federativa, '<Todas>' as Sigla, '<Todas>' as Descricao");
const QString kAllMicro = QStringLiteral("Select 1 as Pais, 0 as Regiao, 0 as Unidade_Federativa, 0 as Micro_Regiao, "
                                         "'<Todas>' as Sigla, '<Todas>' as Descricao");
const QString kAllMetro =
    QStringLiteral("Select 0 as Regiao_Metropolitana, '<Todas>' as Sigla, '<Todas>' as Descricao");
const QString kAllTowns = QStringLiteral("Select 0 as Municipio, '<Todos>' as Sigla, '<Todos>' as Descricao");

S microHead() {
    return {"Select Pais, Regiao, Unidade_Federativa, Micro_Regiao, Sigla, Descricao", "  From Micro_Regiao"};
}
S microTail() { return {"Union All", kAllMicro, "  From Pais", "Order By Descricao"}; }
S metroHead() { return {"Select distinct Regiao_Metropolitana, Sigla, Descricao", "From Regiao_Metropolitana"}; }
S metroTail() { return {"Union All", kAllMetro, "From Pais", "Order By Descricao"}; }
S townHead() { return {"Select Municipio, Sigla, Descricao", "From Municipio"}; }
S townTail() { return {"Union All", kAllTowns, "From Pais", "Order By Descricao"}; }
S pickerTownHead() {
    return {"Select Municipio, Sigla, Descricao", "From Municipio",
            " where Populacao_Cidade >= 20000 and Municipio <> 999999"};
}

std::vector<StatementCase> cases() {
    return {
        {"regions", TS::regions(),
         S{"Select Pais, Regiao, Sigla, Descricao", "From Regiao", "Union All",
           "Select 1 as Pais, 0 as Regiao, '<Todas>' as Sigla, '<Todas>' as Descricao", "From Pais",
           "Order By Regiao"}},
        {"states at start", TS::statesAtStart(),
         S{"Select distinct Pais, Regiao, Unidade_Federativa, Sigla, Descricao", "From Unidade_Federativa", "Union All",
           kAllStates, "From Pais", "Order By Descricao"}},
        {"micro-regions at start", TS::microRegionsAtStart(),
         S{"Select Pais, Regiao, Unidade_Federativa, Micro_Regiao, Sigla, Descricao", "From Micro_Regiao", "Union All",
           kAllMicro, "From Pais", "Order By Descricao"}},
        {"metropolitan regions at start, with a closing empty line", TS::metroRegionsAtStart(),
         S{"Select distinct Regiao_Metropolitana, Sigla, Descricao", "From Regiao_Metropolitana", "Union All",
           kAllMetro, "From Pais", "Order By Descricao", ""}},
        {"municipalities at start, with a closing empty line", TS::municipalitiesAtStart(),
         S{"Select Municipio, Sigla, Descricao", "From Municipio",
           "where Populacao_Cidade >= 20000 and Municipio <> 999999", "Union All", kAllTowns, "From Pais",
           "Order By Descricao", ""}},

        {"states of all regions", TS::states(0),
         S{"Select distinct Pais, Regiao, Unidade_Federativa, Sigla, Descricao", "  From Unidade_Federativa",
           "Union All", kAllStates, "  From Pais", "Order By Descricao"}},
        {"states of a region", TS::states(2),
         S{"Select distinct Pais, Regiao, Unidade_Federativa, Sigla, Descricao", "  From Unidade_Federativa",
           " Where Regiao = 2", "Union All", kAllStates, "  From Pais", "Order By Descricao"}},

        {"micro-regions, no key", TS::microRegions(0, 0), microHead() + microTail()},
        {"micro-regions of a region", TS::microRegions(2, 0), microHead() + S{" Where Regiao = 2"} + microTail()},
        {"micro-regions of a state, no region", TS::microRegions(0, 26),
         microHead() + S{" where Unidade_Federativa = 26"} + microTail()},
        {"micro-regions of a region and a state", TS::microRegions(2, 26),
         microHead() + S{" Where Regiao = 2", "   and Unidade_Federativa = 26"} + microTail()},

        {"metropolitan regions, no key", TS::metroRegions(0, 0), metroHead() + metroTail()},
        {"metropolitan regions of a state, no region", TS::metroRegions(0, 26),
         metroHead() + S{" where Unidade_Federativa = 26"} + metroTail()},
        {"metropolitan regions of a region and a state", TS::metroRegions(2, 26),
         metroHead() + S{" Where Regiao = 2", "   and Unidade_Federativa = 26"} + metroTail()},

        {"municipalities, no key", TS::municipalities(0, 0, 0, 0),
         townHead() + S{" where Populacao_Cidade >= 20000 and Municipio <> 999999"} + townTail()},
        {"municipalities of a region", TS::municipalities(2, 0, 0, 0),
         townHead() + S{" Where Regiao = 2", "   and Populacao_Cidade >= 20000 and Municipio <> 999999"} + townTail()},
        {"municipalities of a state, no region", TS::municipalities(0, 26, 0, 0),
         townHead() + S{" where Unidade_Federativa = 26", "   and Populacao_Cidade >= 20000 and Municipio <> 999999"} +
             townTail()},
        {"municipalities of a micro-region alone", TS::municipalities(0, 0, 26001, 0),
         townHead() + S{" where Micro_Regiao = 26001", "   and Populacao_Cidade >= 20000 and Municipio <> 999999"} +
             townTail()},
        {"municipalities of a metropolitan region alone: no population line", TS::municipalities(0, 0, 0, 1),
         townHead() + S{" where Regiao_Metropolitana = 1"} + townTail()},
        {"municipalities of region, state and micro-region", TS::municipalities(2, 26, 26001, 0),
         townHead() +
             S{" Where Regiao = 2", "   and Unidade_Federativa = 26", "   and Micro_Regiao = 26001",
               "   and Populacao_Cidade >= 20000 and Municipio <> 999999"} +
             townTail()},
        {"municipalities of region, state and metropolitan region", TS::municipalities(2, 26, 0, 1),
         townHead() + S{" Where Regiao = 2", "   and Unidade_Federativa = 26", "   and Regiao_Metropolitana = 1"} +
             townTail()},

        {"picker states at start", TS::pickerStatesAtStart(),
         S{"Select Pais, Regiao, Unidade_Federativa, Sigla, Descricao", "From Unidade_Federativa",
           "Order By Descricao"}},
        {"picker states of all regions", TS::pickerStates(0),
         S{"Select Pais, Regiao, Unidade_Federativa, Sigla, Descricao", "  From Unidade_Federativa",
           "Order By Descricao"}},
        {"picker states of a region", TS::pickerStates(2),
         S{"Select Pais, Regiao, Unidade_Federativa, Sigla, Descricao", "  From Unidade_Federativa",
           " where Regiao = 2", "Order By Descricao"}},
        {"picker municipalities at start", TS::pickerMunicipalitiesAtStart(),
         S{"Select Municipio, Sigla, Descricao", "From Municipio",
           "where Populacao_Cidade >= 20000 and Municipio <> 999999", "Order By Descricao", ""}},
        {"picker municipalities, panel without a state: its other keys are ignored",
         TS::pickerMunicipalities(0, 26001, 1, 15),
         pickerTownHead() + S{"   and Unidade_Federativa = 15", "Order By Descricao"}},
        {"picker municipalities narrowed by the panel's micro-region", TS::pickerMunicipalities(26, 26001, 0, 26),
         pickerTownHead() + S{"   and Micro_Regiao = 26001", "   and Unidade_Federativa = 26", "Order By Descricao"}},
        {"picker municipalities narrowed by the panel's metropolitan region", TS::pickerMunicipalities(26, 0, 1, 26),
         pickerTownHead() +
             S{"   and Regiao_Metropolitana = 1", "   and Unidade_Federativa = 26", "Order By Descricao"}},
    };
}

} // namespace

TEST(TerritoryStatements, EveryLineAsTheListsHoldIt) {
    for (const StatementCase &c : cases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.lines, c.expected);
    }
}
