#include "export_grid_builder.h"

GridBuilder::GridBuilder(bool clientTable) { m_grid.clientTable = clientTable; }

int GridBuilder::field(const QString &name, ExportGrid::FieldKind kind, int parent, const QString &format, int length) {
    const int index = static_cast<int>(m_grid.fields.size());
    ExportGrid::Field f;
    f.name = name;
    f.fullName = parent < 0 ? name : m_grid.fields[parent].fullName + u'.' + name;
    f.kind = kind;
    f.length = length;
    f.displayFormat = format;
    f.title = QStringLiteral("T ") + name;
    m_grid.fields.push_back(f);
    if (parent < 0)
        m_grid.topLevel.push_back(index);
    else
        m_grid.fields[parent].children.push_back(index);
    ExportGrid::Column column;
    column.fieldName = f.fullName;
    column.title = f.title;
    m_grid.columns.push_back(column);
    return index;
}

GridBuilder &GridBuilder::hide(const QString &fullName) {
    for (ExportGrid::Column &column : m_grid.columns)
        if (column.fieldName == fullName)
            column.visible = false;
    return *this;
}

GridBuilder &GridBuilder::row(std::initializer_list<QVariant> values) {
    m_grid.rows.emplace_back(values);
    m_grid.rows.back().resize(m_grid.fields.size());
    return *this;
}
