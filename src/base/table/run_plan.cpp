#include "base/table/run_plan.h"

#include "base/selection/grouping.h"
#include "base/table/row_kind.h"
#include "base/table/topic_code.h"

namespace {

// A territory column shows when the grouping reaches its level, the region
// and the state also when no filter narrows them to one.
ShownTerritory shownTerritory(bool list, const SelectionState &s) {
    ShownTerritory shown;
    shown.regiao = list || (s.regiao == 0 && s.unidadeFederativa == 0);
    shown.unidadeFederativa = list || (s.agrupar >= Grouping::UnidadeFederativa && s.unidadeFederativa == 0);
    shown.microRegiao = list || s.agrupar == Grouping::MicroRegiao;
    shown.regiaoMetropolitana = list || s.agrupar == Grouping::RegiaoMetropolitana;
    shown.municipio = list || s.agrupar == Grouping::Municipio;
    return shown;
}

// Grouped by a territory level, the detail rows add up to the rows of the
// level above; metropolitan regions add up to their own total rows, and the
// states of every region straight to the country.
int levelAbove(const SelectionState &s, int detailKind) {
    if (s.agrupar == Grouping::RegiaoMetropolitana)
        return RowKind::TotalMetropolitana;
    if (s.agrupar == Grouping::UnidadeFederativa && s.regiao == 0)
        return RowKind::Pais;
    return detailKind + 1;
}

// Listing municipalities, they add up to the finest territory filtered.
int finestFiltered(const SelectionState &s) {
    if (s.municipio != 0)
        return RowKind::Municipio;
    if (s.regiaoMetropolitana != 0)
        return RowKind::RegiaoMetropolitana;
    if (s.microRegiao != 0)
        return RowKind::MicroRegiao;
    if (s.unidadeFederativa != 0)
        return RowKind::UnidadeFederativa;
    if (s.regiao != 0)
        return RowKind::Regiao;
    return RowKind::Pais;
}

} // namespace

RunPlan RunPlan::of(const QString &topic, const SelectionState &selection) {
    RunPlan plan;
    plan.municipalityList = TopicCode::isMunicipalityList(topic);
    plan.shown = shownTerritory(plan.municipalityList, selection);
    if (plan.municipalityList)
        return plan;

    plan.detailKind = int{RowKind::Regiao} - int{selection.agrupar};
    if (selection.agrupar != Grouping::Municipio) {
        plan.summedKind = levelAbove(selection, plan.detailKind);
        plan.totalKind = plan.summedKind;
    } else {
        plan.summedKind = finestFiltered(selection);
        plan.demaisRows = plan.summedKind >= RowKind::UnidadeFederativa;
        // A single municipality has no total row of its own: the country's
        // row kind stands in, and no row of the result carries it.
        plan.totalKind = plan.summedKind == RowKind::Municipio ? RowKind::Pais : plan.summedKind;
    }
    return plan;
}
