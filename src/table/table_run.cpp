#include "table/table_run.h"

#include "data/query.h"
#include "data/scope_guard.h"
#include "table/query_builder.h"
#include "table/result_table.h"

TableRun::TableRun(Query &qValorNivel, Query &qAux, Query &qObservacao, ResultTable &cdsDados)
    : m_qValorNivel(qValorNivel), m_qAux(qAux), m_qObservacao(qObservacao), m_cdsDados(cdsDados) {}

bool TableRun::run(const QString &topic, const SelectionState &selection, State &state, const Hooks &hooks) {
    state.FAtributos.clear();
    if (!QueryBuilder::isTableTopic(topic))
        return false;

    const bool wasDisabled = m_cdsDados.controlsDisabled();
    ScopeGuard cleanup([&] {
        // The fill suspends the display updates; resume them once.
        if (!wasDisabled && m_cdsDados.controlsDisabled())
            m_cdsDados.enableControls();
        m_qValorNivel.close();
        m_qAux.close();
    });

    if (hooks.started)
        hooks.started();

    const ShownTerritory shown = QueryBuilder::shownTerritory(topic, selection);
    ResultAssembly::define(m_cdsDados, topic, shown, m_qAux, state.FAtributos);

    m_qValorNivel.close();
    m_qValorNivel.sql().clear();
    const IndicatorStatement statement = QueryBuilder::compose(topic, selection, state.FAtributos);
    m_qValorNivel.sql() = statement.lines;
    if (statement.totalKind)
        state.totalKind = *statement.totalKind;

    m_qValorNivel.open();
    const std::vector<AttributeLine> attributes = AttributeLine::parseAll(state.FAtributos);
    state.FCampoLocal = ResultAssembly::label(m_cdsDados, topic, attributes, state.FCampoLocal);
    ResultAssembly::fill(m_cdsDados, m_qValorNivel, topic, shown, state.totalKind, attributes, hooks.progress);

    state.notes = TopicNotes::read(m_qObservacao, topic, selection.agrupar);
    return true;
}
