#include "core/export/value_column.h"

#include "base/data/text_utils.h"
#include "base/export/bad_input.h"
#include "base/table/attribute_line.h"
#include "base/table/column_mark.h"
#include "base/table/current_result.h"

namespace ValueColumn {

const ResultField &find(const CurrentResult &result, const QString &name) {
    for (const AttributeLine &line : AttributeLine::parseAll(result.FAtributos())) {
        if (!line.isValue() || line.name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const int field = result.cdsDados().findField(line.path);
        if (field >= 0 && result.cdsDados().field(field).isNumeric())
            return result.cdsDados().field(field);
    }
    throw BadInput(QStringLiteral("o tópico \"%1\" não tem a coluna de valores \"%2\"")
                       .arg(result.topic(), TextUtils::shortened(name)));
}

ColumnMark mark(const CurrentResult &result, const QString &name) {
    const ResultField &field = find(result, name);
    ColumnMark marked;
    marked.click(1, field.name(), field.fullName());
    return marked;
}

} // namespace ValueColumn
