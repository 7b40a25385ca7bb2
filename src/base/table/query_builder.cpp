#include "base/table/query_builder.h"

#include "base/data/app_error.h"
#include "base/data/condition_lines.h"
#include "base/data/study_schema.h"
#include "base/data/text_utils.h"
#include "base/table/attribute_line.h"
#include "base/table/row_kind.h"
#include "base/table/topic_code.h"

namespace QueryBuilder {
namespace {

QString pickedCodes(const QStringList &picked) {
    QStringList codes;
    for (const QString &entry : picked) {
        const qsizetype slash = entry.indexOf(QLatin1Char('/'));
        const QString code = TextUtils::cut(slash < 0 ? QString() : entry.mid(slash + 1), 10);
        bool numeric = false;
        code.toLongLong(&numeric);
        // The code goes into the statement as it stands: only digits may.
        if (!numeric || code.startsWith(QLatin1Char('-')) || code.startsWith(QLatin1Char('+')))
            throw AppError(QStringLiteral("Município sem código numérico na seleção: %1").arg(entry));
        codes << code;
    }
    return codes.join(QLatin1Char(','));
}

// The five display columns, then the row kind and the figure columns of the
// catalogue (or the list's code and population), then the table.
void addSelect(QStringList &lines, const QString &topic, const RunPlan &plan, const QStringList &FAtributos) {
    lines << QStringLiteral("select DRegiao,") << QStringLiteral("       DUnidade_Federativa,")
          << QStringLiteral("       DMicro_Regiao,") << QStringLiteral("       DRegiao_Metropolitana,")
          << QStringLiteral("       DMunicipio,");
    if (!plan.municipalityList) {
        lines << QStringLiteral("       Tipo_Registro,");
        for (const QString &text : FAtributos) {
            const AttributeLine line = AttributeLine::parse(text);
            if (line.isValue())
                lines << line.name + QLatin1Char(',');
        }
    } else {
        lines << QStringLiteral("       Municipio,") << QStringLiteral("       Populacao_Cidade,");
    }
    lines.last().chop(1);
    lines << QStringLiteral("  from ") + TopicCode::tableName(topic).left(6);
}

// The territory keys, and the population band unless one municipality is
// chosen.
void addTerritoryConditions(ConditionLines &where, const SelectionState &state) {
    where.addKey(StudySchema::kRegiao, state.regiao);
    where.addKey(StudySchema::kUnidadeFederativa, state.unidadeFederativa);
    where.addKey(StudySchema::kMicroRegiao, state.microRegiao);
    where.addKey(StudySchema::kRegiaoMetropolitana, state.regiaoMetropolitana);
    if (state.municipio != 0) {
        where.addKey(StudySchema::kMunicipio, state.municipio);
        return;
    }
    if (state.faixaInicial > 0)
        where.add(QStringLiteral("((Populacao_Cidade >= %1) or (Municipio = 999999))").arg(state.faixaInicial));
    if (state.faixaFinal > 0)
        where.add(QStringLiteral("((Populacao_Cidade <= %1) or (Municipio = 999999))").arg(state.faixaFinal));
}

// Listing the municipalities of a state, a region or the country, the rows
// of their small towns ("DEMAIS", code 999999) are kept for that territory
// only. The region's form of the line carries four blanks before its "and".
void addDemaisCondition(ConditionLines &where, int summedKind) {
    const QString uf = summedKind == RowKind::UnidadeFederativa ? QStringLiteral("(Unidade_Federativa > 0)")
                                                                : QStringLiteral("(Unidade_Federativa = 0)");
    const QString regiao = summedKind == RowKind::Pais ? QStringLiteral("(Regiao = 0)") : QStringLiteral("(Regiao > 0)");
    where.add(QStringLiteral("((Municipio <> 999999) or ((Municipio = 999999) and (Micro_Regiao = 0) and %1 and %2))")
                  .arg(uf, regiao),
              ConditionLines::kWhere,
              summedKind == RowKind::Regiao ? QStringLiteral("    and ") : ConditionLines::kAnd);
}

// The detail and summed row kinds of the plan, the small towns kept out of
// a municipality listing, and the picked municipalities.
void addRowConditions(ConditionLines &where, const RunPlan &plan, const SelectionState &state) {
    if (plan.demaisRows)
        addDemaisCondition(where, plan.summedKind);
    where.add(QStringLiteral("((Tipo_Registro = %1) or (Tipo_Registro = %2))").arg(plan.detailKind).arg(plan.summedKind));
    if (state.regiaoMetropolitana == 0 && plan.detailKind == RowKind::Municipio)
        where.add(QStringLiteral("((Populacao_Cidade >= 20000) or ((Populacao_Cidade < 20000) and "
                                 "(Tipo_Registro <> 1)) or (Municipio = 999999))"));
    if (!state.municipiosSelecionados.isEmpty())
        where.add(QStringLiteral("Municipio in (%1)").arg(pickedCodes(state.municipiosSelecionados)));
}

// Rows sort by the shown territory columns from the widest, so that each
// total row follows what it sums; metropolitan regions sort first, being
// the grouping's own totals.
QString orderLine(const RunPlan &plan) {
    if (plan.municipalityList)
        return QStringLiteral(" Order By DRegiao, DUnidade_Federativa, DMicro_Regiao, DMunicipio, "
                              "DRegiao_Metropolitana");
    const ShownTerritory &shown = plan.shown;
    QString order = QStringLiteral(" Order By ");
    if (plan.totalKind == RowKind::TotalMetropolitana) {
        if (shown.regiaoMetropolitana)
            order += QStringLiteral(" DRegiao_Metropolitana, ");
        if (shown.regiao)
            order += QStringLiteral(" DRegiao, ");
        if (shown.unidadeFederativa)
            order += QStringLiteral(" DUnidade_Federativa, ");
    } else {
        if (shown.regiao)
            order += QStringLiteral(" DRegiao, ");
        if (shown.unidadeFederativa)
            order += QStringLiteral(" DUnidade_Federativa, ");
        if (shown.microRegiao)
            order += QStringLiteral(" DMicro_Regiao, ");
        if (shown.regiaoMetropolitana)
            order += QStringLiteral(" DRegiao_Metropolitana, ");
    }
    if (shown.municipio)
        order += QStringLiteral(" DMunicipio, ");
    return order + QStringLiteral(" Tipo_Registro");
}

} // namespace

IndicatorStatement compose(const QString &topic, const SelectionState &state, const QStringList &FAtributos) {
    const RunPlan plan = RunPlan::of(topic, state);
    IndicatorStatement result;
    addSelect(result.lines, topic, plan, FAtributos);
    ConditionLines where(result.lines);
    addTerritoryConditions(where, state);
    if (!plan.municipalityList)
        addRowConditions(where, plan, state);
    result.lines << orderLine(plan);
    result.totalKind = plan.totalKind;
    return result;
}

} // namespace QueryBuilder
