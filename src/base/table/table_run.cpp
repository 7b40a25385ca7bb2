#include "base/table/table_run.h"

#include "base/data/query.h"
#include "base/data/scope_guard.h"
#include "base/table/query_builder.h"
#include "base/table/result_table.h"
#include "base/table/topic_code.h"

TableRun::TableRun(Database &database) : m_result(database), m_qAux(database), m_qObservacao(database) {
    m_qAux.setObjectName(QStringLiteral("qAux"));
    m_qObservacao.setObjectName(QStringLiteral("qObservacao"));
    m_qObservacao.sql() = TopicNotes::initialStatement();
}

bool TableRun::run(const QString &topic, const SelectionState &selection, const Hooks &hooks) {
    CurrentResult &r = m_result;
    r.m_topic = topic;
    r.m_selection = selection;
    r.m_plan = RunPlan::of(topic, selection);
    r.m_FAtributos.clear();
    if (!TopicCode::isTable(topic))
        return false;

    ResultTable &cdsDados = r.m_cdsDados;
    Query &qValorNivel = r.m_qValorNivel;
    const bool wasDisabled = cdsDados.controlsDisabled();
    ScopeGuard cleanup([&] {
        // The fill suspends the display updates; resume them once.
        if (!wasDisabled && cdsDados.controlsDisabled())
            cdsDados.enableControls();
        qValorNivel.close();
        m_qAux.close();
    });

    if (hooks.started)
        hooks.started();

    m_qAux.setActivity(QStringLiteral("ler o catálogo de colunas do tópico %1").arg(topic));
    ResultAssembly::define(cdsDados, topic, r.m_plan, m_qAux, r.m_FAtributos);

    qValorNivel.close();
    qValorNivel.sql().clear();
    const IndicatorStatement statement = QueryBuilder::compose(topic, selection, r.m_FAtributos);
    qValorNivel.sql() = statement.lines;
    if (statement.totalKind)
        r.m_totalKind = *statement.totalKind;

    qValorNivel.setActivity(QStringLiteral("ler o tópico %1").arg(topic));
    if (hooks.rows)
        qValorNivel.openForward();
    else
        qValorNivel.open();
    const std::vector<AttributeLine> attributes = AttributeLine::parseAll(r.m_FAtributos);
    r.m_FCampoLocal = ResultAssembly::label(cdsDados, r.m_plan, attributes, r.m_FCampoLocal);
    if (hooks.rows) {
        if (hooks.labelled)
            hooks.labelled(r);
        ResultAssembly::stream(cdsDados, qValorNivel, r.m_plan, r.m_totalKind, attributes, hooks.rows);
    } else {
        ResultAssembly::fill(cdsDados, qValorNivel, r.m_plan, r.m_totalKind, attributes, hooks.progress);
    }

    m_qObservacao.setActivity(QStringLiteral("ler as notas do tópico %1").arg(topic));
    r.m_notes = TopicNotes::read(m_qObservacao, topic, selection.agrupar);
    return true;
}

void TableRun::markColumn(int column, const QString &name, const QString &fullName) {
    m_result.m_mark.click(column, name, fullName);
}

void TableRun::clearMark() { m_result.m_mark.clear(); }

void TableRun::closeNotes() { m_qObservacao.close(); }

void TableRun::close() {
    m_result.m_qValorNivel.close();
    m_result.m_cdsDados.close();
    m_result.m_FAtributos.clear();
}
