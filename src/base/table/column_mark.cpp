#include "base/table/column_mark.h"

#include "base/data/text_utils.h"

void ColumnMark::click(int column, const QString &name, const QString &fullName) {
    tag = column == tag ? 0 : column;
    if (tag < 1) {
        clear();
        return;
    }
    FCampoMarcado = TextUtils::cut(name);
    FCampoPercentual = TextUtils::cut(fullName);
}

void ColumnMark::clear() {
    tag = 0;
    FCampoMarcado.clear();
    FCampoPercentual.clear();
}
