#include "core/export/export_grid.h"

#include "base/table/result_table.h"
#include "core/export/sheet_automation.h"

#include <QDateTime>
#include <QLocale>

namespace {

ExportGrid::FieldKind kindOf(const ResultField &field) {
    switch (field.kind()) {
    case FieldKind::Integer:
        return ExportGrid::FieldKind::Integer;
    case FieldKind::Float:
        return ExportGrid::FieldKind::Float;
    case FieldKind::Group:
        return ExportGrid::FieldKind::Group;
    default:
        return ExportGrid::FieldKind::Text;
    }
}

} // namespace

ExportGrid ExportGrid::fromResultTable(const ResultTable &table) {
    ExportGrid grid;
    grid.kind = Kind::Data;
    grid.clientTable = true;
    grid.fields.reserve(table.fieldCount());
    for (int i = 0; i < table.fieldCount(); ++i) {
        const ResultField &f = table.field(i);
        grid.fields.push_back({f.name(), f.fullName(), kindOf(f), f.size(), f.displayFormat(), f.displayLabel(),
                               f.children()});
    }
    grid.topLevel = table.topLevelFields();

    // Columns in definition order: each field, then its children.
    const auto addColumns = [&](const auto &self, int index) -> void {
        const ResultField &f = table.field(index);
        Column column;
        column.fieldName = f.fullName();
        column.visible = f.isVisible();
        column.title = f.displayLabel();
        column.titleAlignment = SheetAutomation::xlCenter;
        grid.columns.push_back(column);
        for (int child : f.children())
            self(self, child);
    };
    for (int index : grid.topLevel)
        addColumns(addColumns, index);

    grid.table = &table;
    return grid;
}

int ExportGrid::rowCount() const { return table ? table->recordCount() : static_cast<int>(rows.size()); }

QVariant ExportGrid::value(int row, int field) const {
    if (fields[field].kind == FieldKind::Group)
        return QVariant();
    return table ? table->value(row, field) : rows[row][field];
}

int ExportGrid::fieldIndex(const QString &fullName) const {
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].fullName.compare(fullName, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

int ExportGrid::storageSize(const Field &field) {
    switch (field.kind) {
    case FieldKind::Text:
        return field.length + 1;
    case FieldKind::Integer:
    case FieldKind::Date:
        return 4;
    case FieldKind::Float:
    case FieldKind::DateTime:
        return 8;
    case FieldKind::Group:
        return 0;
    }
    return 0;
}

QString ExportGrid::plainText(int row, int field) const {
    const QVariant value = this->value(row, field);
    if (value.isNull())
        return QString();
    switch (fields[field].kind) {
    case FieldKind::Integer:
    case FieldKind::Float: {
        QLocale locale;
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        return locale.toString(value.toDouble(), 'g', 15);
    }
    case FieldKind::Date:
        return QLocale().toString(value.toDate(), QLocale::ShortFormat);
    case FieldKind::DateTime:
        return QLocale().toString(value.toDateTime(), QLocale::ShortFormat);
    default:
        return value.toString();
    }
}
