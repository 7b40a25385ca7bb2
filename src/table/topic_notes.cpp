#include "table/topic_notes.h"

#include "data/query.h"
#include "table/query_builder.h"

namespace {
constexpr int kLineHeight = 22;
constexpr int kMaxHeight = 56;
} // namespace

QStringList TopicNotes::initialStatement() {
    return {QStringLiteral("Select Observacao"), QStringLiteral("  From Observacao_Tab_Valor"),
            QStringLiteral("Where Nivel_Informacao = '01.01.01'")};
}

TopicNotes TopicNotes::read(Query &qObservacao, const QString &topic, int agrupar) {
    TopicNotes notes;
    if (topic == QueryBuilder::kMunicipalityList)
        return notes;

    qObservacao.close();
    while (qObservacao.sql().size() < 3)
        qObservacao.sql() << QString();
    QString code = topic;
    code.replace(QLatin1Char('\''), QStringLiteral("''"));
    qObservacao.sql()[2] = QStringLiteral("Where Nivel_Informacao = '%1'").arg(code);
    qObservacao.open();
    if (!qObservacao.eof())
        notes.lines = qObservacao.fieldByName(QStringLiteral("Observacao")).asLines();

    notes.notaVisible = !notes.lines.isEmpty() && !notes.lines.first().trimmed().isEmpty();
    if (notes.notaVisible)
        notes.notaHeight = qMin(kLineHeight * static_cast<int>(notes.lines.size()), kMaxHeight);
    notes.nota20000Visible = agrupar == 4;
    notes.nota1Visible = notes.notaVisible || notes.nota20000Visible;
    return notes;
}
