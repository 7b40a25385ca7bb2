#include "core/export/grid_titles.h"

#include "core/export/export_grid.h"
#include "core/export/sheet_automation.h"
#include "core/export/sheet_fill.h"
#include "core/export/sheet_text.h"

namespace {

bool showsField(const ExportGrid::Column &column, const QString &fullName) {
    return column.fieldName.compare(fullName, Qt::CaseInsensitive) == 0;
}

} // namespace

bool GridTitles::nested(const ExportGrid &grid) {
    if (grid.kind != ExportGrid::Kind::Data || !grid.clientTable)
        return false;
    for (const ExportGrid::Column &column : grid.columns) {
        const int field = grid.fieldIndex(column.fieldName);
        if (field >= 0 && grid.fields[field].kind == ExportGrid::FieldKind::Group)
            return true;
    }
    return false;
}

void GridTitles::titleCell(const QString &cell, const QString &text, qsizetype width) {
    m_fill.sheet.setValue(cell, text);
    m_fill.sheet.setColumnWidth(cell, static_cast<double>(width + 2));
    m_fill.sheet.setFontBold(cell, true);
}

void GridTitles::write(const ExportGrid &grid) {
    switch (grid.kind) {
    case ExportGrid::Kind::String:
        writeStringGrid(grid);
        break;
    case ExportGrid::Kind::Data:
        if (nested(grid))
            writeNested(grid);
        else
            writeFlat(grid);
        break;
    case ExportGrid::Kind::Pivot:
        break; // its fixed rows come out with its rows
    }
}

void GridTitles::writeStringGrid(const ExportGrid &grid) {
    if (grid.cells.empty())
        return;
    for (const QString &title : grid.cells.front()) {
        titleCell(m_fill.column.cell(m_fill.row), title, title.size());
        m_fill.column.ProximaColuna();
    }
}

void GridTitles::writeFlat(const ExportGrid &grid) {
    for (const ExportGrid::Column &column : grid.columns) {
        if (!column.visible)
            continue;
        const QString cell = m_fill.column.cell(m_fill.row);
        titleCell(cell, SheetText::AjustaValor(column.title), column.title.size());
        if (m_fill.ExportarCores) {
            if (column.titleColor != ExportGrid::clBtnFace)
                m_fill.sheet.setInteriorColor(cell, column.titleColor);
            if (column.titleFontColor != ExportGrid::clWindowText)
                m_fill.sheet.setFontColor(cell, column.titleFontColor);
        }
        m_fill.column.ProximaColuna();
    }
}

void GridTitles::writeNested(const ExportGrid &grid) {
    const int r = m_fill.row;
    m_depth = 0;
    std::fill(std::begin(m_reached), std::end(m_reached), false);
    SheetColumn &c0 = m_fill.column;
    for (size_t i = 0; i < grid.topLevel.size(); ++i) {
        const ExportGrid::Field &field = grid.fields[grid.topLevel[i]];
        const bool shown = std::any_of(grid.columns.begin(), grid.columns.end(), [&](const ExportGrid::Column &c) {
            return c.visible && showsField(c, field.fullName);
        });
        if (!shown)
            continue;
        const QString cell = c0.cell(r);
        titleCell(cell, field.title, field.title.size());
        if (i < grid.columns.size() && showsField(grid.columns[i], field.fullName) && grid.columns[i].titleAlignment)
            m_fill.sheet.setHorizontalAlignment(cell, grid.columns[i].titleAlignment);
        if (!field.children.empty()) {
            m_fill.levels[1] = c0;
            writeChildren(grid, grid.topLevel[i], 1, r);
            m_fill.sheet.mergeCells(cell, m_fill.levels[1].cell(r));
            c0 = m_fill.levels[1];
        }
        c0.ProximaColuna();
    }
    m_fill.row = r + m_depth;
}

void GridTitles::writeChildren(const ExportGrid &grid, int parent, int level, int topRow) {
    const std::vector<int> &children = grid.fields[parent].children;
    SheetColumn &ck = m_fill.levels[level];
    const int row = topRow + level;
    for (size_t n = 0; n < children.size(); ++n) {
        if (!m_reached[level]) {
            m_reached[level] = true;
            ++m_depth;
        }
        const ExportGrid::Field &child = grid.fields[children[n]];
        const QString cell = ck.cell(row);
        titleCell(cell, child.title, child.title.size());
        for (const ExportGrid::Column &column : grid.columns)
            if (showsField(column, child.fullName) && column.titleAlignment)
                m_fill.sheet.setHorizontalAlignment(cell, column.titleAlignment);
        // Definitions nest at most three levels below the top; deeper ones
        // are not written.
        if (level < 3 && !child.children.empty()) {
            m_fill.levels[level + 1] = ck;
            writeChildren(grid, children[n], level + 1, topRow);
            m_fill.sheet.mergeCells(cell, m_fill.levels[level + 1].cell(row));
            ck = m_fill.levels[level + 1];
        }
        if (n + 1 < children.size())
            ck.ProximaColuna();
    }
}
