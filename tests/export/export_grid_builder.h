#pragma once

#include "core/export/export_grid.h"

#include <initializer_list>

// Small grids over a table for the workbook tests: fields appended in
// definition order (a child right after its parent or its earlier
// siblings), each with a shown column of its own titled as the field.
class GridBuilder {
  public:
    explicit GridBuilder(bool clientTable = true);

    // Returns the field's index; parent -1 puts it at the top level.
    int field(const QString &name, ExportGrid::FieldKind kind, int parent = -1, const QString &format = QString(),
              int length = 0);
    GridBuilder &hide(const QString &fullName);
    // One value per field in definition order (groups take a null).
    GridBuilder &row(std::initializer_list<QVariant> values);

    const ExportGrid &grid() const { return m_grid; }
    ExportGrid &grid() { return m_grid; }

  private:
    ExportGrid m_grid;
};
