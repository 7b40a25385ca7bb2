#include "base/selection/territory_statements.h"

#include "base/data/condition_lines.h"
#include "base/data/study_schema.h"

namespace TerritoryStatements {
namespace {

const QString kAllStates = QStringLiteral(
    "Select 1 as Pais, 0 as Regiao, 0 as Unidade_Federativa, '<Todas>' as Sigla, '<Todas>' as Descricao");
const QString kAllMicroRegions =
    QStringLiteral("Select 1 as Pais, 0 as Regiao, 0 as Unidade_Federativa, 0 as Micro_Regiao, '<Todas>' as Sigla, "
                   "'<Todas>' as Descricao");
const QString kAllMetroRegions =
    QStringLiteral("Select 0 as Regiao_Metropolitana, '<Todas>' as Sigla, '<Todas>' as Descricao");
const QString kAllMunicipalities = QStringLiteral("Select 0 as Municipio, '<Todos>' as Sigla, '<Todos>' as Descricao");
const QString kLargeTowns = QStringLiteral("Populacao_Cidade >= 20000 and Municipio <> 999999");

const QString kCapitalWhere = QStringLiteral(" Where ");

// A list narrowed to a region and a state: its select lines, the conditions,
// the constant entry and the order by name.
QStringList narrowed(QStringList lines, int region, int state, const QStringList &allEntry) {
    ConditionLines conditions(lines);
    conditions.addKey(StudySchema::kRegiao, region, kCapitalWhere);
    conditions.addKey(StudySchema::kUnidadeFederativa, state);
    return lines + allEntry + QStringList{QStringLiteral("Order By Descricao")};
}

} // namespace

QStringList regions() {
    return {QStringLiteral("Select Pais, Regiao, Sigla, Descricao"),
            QStringLiteral("From Regiao"),
            QStringLiteral("Union All"),
            QStringLiteral("Select 1 as Pais, 0 as Regiao, '<Todas>' as Sigla, '<Todas>' as Descricao"),
            QStringLiteral("From Pais"),
            QStringLiteral("Order By Regiao")};
}

QStringList statesAtStart() {
    return {QStringLiteral("Select distinct Pais, Regiao, Unidade_Federativa, Sigla, Descricao"),
            QStringLiteral("From Unidade_Federativa"),
            QStringLiteral("Union All"),
            kAllStates,
            QStringLiteral("From Pais"),
            QStringLiteral("Order By Descricao")};
}

QStringList microRegionsAtStart() {
    return {QStringLiteral("Select Pais, Regiao, Unidade_Federativa, Micro_Regiao, Sigla, Descricao"),
            QStringLiteral("From Micro_Regiao"),
            QStringLiteral("Union All"),
            kAllMicroRegions,
            QStringLiteral("From Pais"),
            QStringLiteral("Order By Descricao")};
}

QStringList metroRegionsAtStart() {
    return {QStringLiteral("Select distinct Regiao_Metropolitana, Sigla, Descricao"),
            QStringLiteral("From Regiao_Metropolitana"),
            QStringLiteral("Union All"),
            kAllMetroRegions,
            QStringLiteral("From Pais"),
            QStringLiteral("Order By Descricao"),
            QString()};
}

QStringList municipalitiesAtStart() {
    return {QStringLiteral("Select Municipio, Sigla, Descricao"),
            QStringLiteral("From Municipio"),
            QStringLiteral("where ") + kLargeTowns,
            QStringLiteral("Union All"),
            kAllMunicipalities,
            QStringLiteral("From Pais"),
            QStringLiteral("Order By Descricao"),
            QString()};
}

QStringList states(int region) {
    return narrowed({QStringLiteral("Select distinct Pais, Regiao, Unidade_Federativa, Sigla, Descricao"),
                     QStringLiteral("  From Unidade_Federativa")},
                    region, 0, {QStringLiteral("Union All"), kAllStates, QStringLiteral("  From Pais")});
}

QStringList microRegions(int region, int state) {
    return narrowed({QStringLiteral("Select Pais, Regiao, Unidade_Federativa, Micro_Regiao, Sigla, Descricao"),
                     QStringLiteral("  From Micro_Regiao")},
                    region, state, {QStringLiteral("Union All"), kAllMicroRegions, QStringLiteral("  From Pais")});
}

QStringList metroRegions(int region, int state) {
    return narrowed({QStringLiteral("Select distinct Regiao_Metropolitana, Sigla, Descricao"),
                     QStringLiteral("From Regiao_Metropolitana")},
                    region, state, {QStringLiteral("Union All"), kAllMetroRegions, QStringLiteral("From Pais")});
}

QStringList municipalities(int region, int state, int microRegion, int metroRegion) {
    QStringList lines{QStringLiteral("Select Municipio, Sigla, Descricao"), QStringLiteral("From Municipio")};
    ConditionLines conditions(lines);
    conditions.addKey(StudySchema::kRegiao, region, kCapitalWhere);
    conditions.addKey(StudySchema::kUnidadeFederativa, state);
    conditions.addKey(StudySchema::kMicroRegiao, microRegion);
    if (metroRegion != 0)
        conditions.addKey(StudySchema::kRegiaoMetropolitana, metroRegion);
    else
        conditions.add(kLargeTowns);
    lines << QStringLiteral("Union All") << kAllMunicipalities << QStringLiteral("From Pais")
          << QStringLiteral("Order By Descricao");
    return lines;
}

QStringList pickerStatesAtStart() {
    return {QStringLiteral("Select Pais, Regiao, Unidade_Federativa, Sigla, Descricao"),
            QStringLiteral("From Unidade_Federativa"), QStringLiteral("Order By Descricao")};
}

QStringList pickerStates(int region) {
    QStringList lines{QStringLiteral("Select Pais, Regiao, Unidade_Federativa, Sigla, Descricao"),
                      QStringLiteral("  From Unidade_Federativa")};
    ConditionLines(lines).addKey(StudySchema::kRegiao, region);
    lines << QStringLiteral("Order By Descricao");
    return lines;
}

QStringList pickerMunicipalitiesAtStart() {
    return {QStringLiteral("Select Municipio, Sigla, Descricao"), QStringLiteral("From Municipio"),
            QStringLiteral("where ") + kLargeTowns, QStringLiteral("Order By Descricao"), QString()};
}

QStringList pickerMunicipalities(int panelState, int panelMicroRegion, int panelMetroRegion, int pickerState) {
    QStringList lines{QStringLiteral("Select Municipio, Sigla, Descricao"), QStringLiteral("From Municipio")};
    ConditionLines conditions(lines);
    conditions.add(kLargeTowns);
    if (panelState != 0) {
        conditions.addKey(StudySchema::kMicroRegiao, panelMicroRegion);
        conditions.addKey(StudySchema::kRegiaoMetropolitana, panelMetroRegion);
    }
    conditions.add(QStringLiteral("Unidade_Federativa = ") + QString::number(pickerState));
    lines << QStringLiteral("Order By Descricao");
    return lines;
}

} // namespace TerritoryStatements
