#include "ui/export/window_components.h"

#include "ui/chart/chart_view.h"
#include "ui/table/data_grid.h"
#include "ui/table/result_table_model.h"

WindowComponents::WindowComponents(const QWidget &window) : m_window(window) {}

const ExportGrid *WindowComponents::grid(const QString &name) const {
    const auto *view = m_window.findChild<DataGrid *>(name);
    if (!view || !view->tableModel())
        return nullptr;
    return &(m_grids[name] = ExportGrid::fromResultTable(view->tableModel()->table()));
}

std::optional<QImage> WindowComponents::chart(const QString &name) const {
    const auto *view = m_window.findChild<ChartView *>(name);
    if (!view)
        return std::nullopt;
    return view->picture();
}
