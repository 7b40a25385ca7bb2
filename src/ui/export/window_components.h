#pragma once

#include "core/export/export_grid.h"
#include "core/export/varnik_export.h"

#include <map>

class QWidget;

// The grids and charts of a window, found by their object names, for the
// workbook exporter that the window owns: a grid over the result table is
// described from its table, a chart is drawn whole on white at its size.
class WindowComponents : public TVarnikExport::Owner {
  public:
    explicit WindowComponents(const QWidget &window);

    // The description stays valid until the same grid is asked for again.
    const ExportGrid *grid(const QString &name) const override;
    std::optional<QImage> chart(const QString &name) const override;

  private:
    const QWidget &m_window;
    mutable std::map<QString, ExportGrid> m_grids;
};
