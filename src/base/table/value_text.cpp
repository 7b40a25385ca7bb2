#include "base/table/value_text.h"

#include "base/data/format_float.h"
#include "base/data/study_schema.h"
#include "base/table/result_table.h"
#include "base/table/row_kind.h"

QString valueText(double v, int tag, qint64 tipoRegistro, const QString &format) {
    if ((tag == 1 && v <= 49) || (tag == 2 && v <= 0)) {
        if (tipoRegistro == RowKind::Municipio || v <= 0)
            return QStringLiteral("x");
    }
    if (v > 0)
        return FormatFloat(format, v);
    return QStringLiteral("-");
}

QString ValorGetText(const ResultTable &table, int row, const ResultField &field) {
    const int kind = table.findField(StudySchema::kTipoRegistro);
    return valueText(table.asFloat(row, field.index()), field.tag(), kind < 0 ? 0 : table.asInteger(row, kind),
                     field.displayFormat());
}
