#include "base/table/topic_notes.h"

#include "base/data/query.h"
#include "base/data/text_utils.h"
#include "base/table/topic_code.h"

namespace {
constexpr int kLineHeight = 22;
constexpr int kMaxHeight = 56;
} // namespace

QStringList TopicNotes::initialStatement() {
    return {QStringLiteral("Select Observacao"), QStringLiteral("  From Observacao_Tab_Valor"),
            QStringLiteral("Where Nivel_Informacao = '01.01.01'")};
}

TopicNotes TopicNotes::read(Query &qObservacao, const QString &topic, Grouping::Level agrupar) {
    TopicNotes notes;
    if (TopicCode::isMunicipalityList(topic))
        return notes;

    qObservacao.close();
    while (qObservacao.sql().size() < 3)
        qObservacao.sql() << QString();
    qObservacao.sql()[2] = QStringLiteral("Where Nivel_Informacao = '%1'").arg(TextUtils::doubleQuotes(topic));
    qObservacao.open();
    if (!qObservacao.eof())
        notes.lines = qObservacao.fieldByName(QStringLiteral("Observacao")).asLines();

    notes.notaVisible = !notes.lines.isEmpty() && !notes.lines.first().trimmed().isEmpty();
    if (notes.notaVisible)
        notes.notaHeight = qMin(kLineHeight * static_cast<int>(notes.lines.size()), kMaxHeight);
    notes.nota20000Visible = agrupar == Grouping::Municipio;
    notes.nota1Visible = notes.notaVisible || notes.nota20000Visible;
    return notes;
}
