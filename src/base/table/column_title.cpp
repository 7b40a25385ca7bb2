#include "base/table/column_title.h"

#include "base/data/query.h"
#include "base/data/study_schema.h"
#include "base/data/text_utils.h"
#include "base/table/result_table.h"

namespace ColumnTitle {

QString TituloCampo(const ResultTable &cdsDados, const QString &FCampoPercentual) {
    const ResultField &field = cdsDados.fieldByName(FCampoPercentual);
    QString title = field.displayLabel();
    for (int parent = field.parent(); parent >= 0; parent = cdsDados.field(parent).parent())
        title = cdsDados.field(parent).displayLabel() + QStringLiteral(" - ") + title;
    return title;
}

QStringList statement(const QString &FNivelSelecionado) {
    const QString &code = FNivelSelecionado;
    return {QStringLiteral("select Descricao"),
            QStringLiteral("  From Nivel_Informacao"),
            QStringLiteral(" where (Nivel_Informacao = '%1')").arg(TextUtils::doubleQuotes(code)),
            QStringLiteral("   Or (Nivel_Informacao = '%1')").arg(TextUtils::doubleQuotes(code.left(5))),
            QStringLiteral("   Or (Nivel_Informacao = '%1')").arg(TextUtils::doubleQuotes(code.left(2))),
            QStringLiteral("order by Nivel_Informacao")};
}

QStringList lines(Database &database, const QString &FNivelSelecionado, const ResultTable &cdsDados,
                  const QString &FCampoPercentual) {
    Query query(database);
    query.sql() = statement(FNivelSelecionado);
    query.open();
    QStringList result;
    // The first two rows are the topic's group and subgroup headings.
    for (query.first(); !query.eof(); query.next()) {
        if (query.recNo() >= 2)
            result << query.fieldByName(StudySchema::kDescricao).asString();
    }
    result << TituloCampo(cdsDados, FCampoPercentual);
    return result;
}

} // namespace ColumnTitle
