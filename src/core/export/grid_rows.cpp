#include "core/export/grid_rows.h"

#include "base/data/app_error.h"
#include "core/export/export_grid.h"
#include "core/export/grid_titles.h"
#include "core/export/sheet_automation.h"
#include "core/export/sheet_fill.h"
#include "core/export/sheet_text.h"

#include <QLocale>
#include <cmath>

namespace {

// A sheet value read back as an integer: empty counts as 0, numbers round to
// the nearest integer (halves to the even neighbour).
qint64 integerValue(const QVariant &value) {
    if (value.isNull())
        return 0;
    double number = 0;
    if (value.typeId() == QMetaType::Double) {
        number = value.toDouble();
    } else {
        bool ok = false;
        number = QLocale().toDouble(value.toString(), &ok);
        if (!ok)
            throw AppError(QStringLiteral("Valor não numérico: %1").arg(value.toString()));
    }
    return static_cast<qint64>(std::nearbyint(number));
}

// A text that reads as a number in the user's format once its thousands
// separators are removed, and holds a decimal separator: the number of
// digits after it, for a format that shows them all.
std::optional<int> decimalsOfNumberText(const QString &text) {
    QLocale locale;
    QString digits = text;
    digits.remove(locale.groupSeparator());
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    locale.toDouble(digits, &ok);
    const qsizetype point = digits.indexOf(locale.decimalPoint());
    if (!ok || point < 0)
        return std::nullopt;
    return static_cast<int>(digits.size() - point - 1);
}

} // namespace

void GridRows::markNumberRow() {
    if (m_fill.firstNumberRow == 0)
        m_fill.firstNumberRow = m_fill.row;
}

// The address of the cursor's cell, composed into one reused text.
const QString &GridRows::cursorCell() {
    m_fill.column.cell(m_fill.row, m_cell);
    return m_cell;
}

// A figure with its column's display format.
void GridRows::writeNumber(const QString &cell, const QString &numberFormat, const QVariant &value) {
    markNumberRow();
    m_fill.sheet.setValue(cell, value.toDouble());
    if (!numberFormat.isEmpty())
        m_fill.sheet.setNumberFormat(cell, numberFormat);
}

void GridRows::cellColors(const QString &cell, int color, int fontColor) {
    if (!m_fill.ExportarCores)
        return;
    if (color != ExportGrid::clWindow)
        m_fill.sheet.setInteriorColor(cell, color);
    if (fontColor != ExportGrid::clWindowText)
        m_fill.sheet.setFontColor(cell, fontColor);
}

void GridRows::write(const ExportGrid &grid) {
    switch (grid.kind) {
    case ExportGrid::Kind::Data: {
        const int rowCount = grid.rowCount();
        if (rowCount == 0) {
            ++m_fill.row;
            return;
        }
        const bool nested = GridTitles::nested(grid);
        // The display formats, converted to the sheet's notation unless the
        // user's already is the sheet's, once for all the rows.
        m_numberFormats.clear();
        for (const ExportGrid::Field &field : grid.fields)
            m_numberFormats.push_back(m_fill.SepDecimalDefault ? field.displayFormat
                                                               : SheetText::TrocaSeparadores(field.displayFormat));
        std::vector<int> fieldOfColumn;
        for (const ExportGrid::Column &column : grid.columns)
            fieldOfColumn.push_back(grid.fieldIndex(column.fieldName));
        for (int record = 0; record < rowCount; ++record) {
            m_fill.column = SheetColumn();
            ++m_fill.row;
            if (nested)
                writeNestedRow(grid, record, fieldOfColumn);
            else
                writeFlatRow(grid, record);
        }
        break;
    }
    case ExportGrid::Kind::String:
        for (size_t row = 1; row < grid.cells.size(); ++row)
            writeTextRow(grid.cells[row], grid, false);
        break;
    case ExportGrid::Kind::Pivot:
        for (const QStringList &row : grid.cells)
            writeTextRow(row, grid, true);
        break;
    }
}

void GridRows::writeFlatRow(const ExportGrid &grid, int record) {
    SheetAutomation &sheet = m_fill.sheet;
    for (const ExportGrid::Column &column : grid.columns) {
        if (!column.visible)
            continue;
        const QString &cell = cursorCell();
        const int index = grid.fieldIndex(column.fieldName);
        if (index < 0)
            throw AppError(QStringLiteral("Field '%1' not found").arg(column.fieldName));
        const ExportGrid::Field &field = grid.fields[index];
        const QVariant value = grid.value(record, index);
        sheet.setColumnWidth(cell, ExportGrid::storageSize(field) + 3);
        bool marked = false;
        try {
            if (ExportGrid::isNumber(field.kind)) {
                marked = true;
                writeNumber(cell, m_numberFormats[index], value);
                cellColors(cell, column.color, column.fontColor);
            }
        } catch (const AppError &) {
        }
        const QString plain = grid.plainText(record, index);
        try {
            if (const std::optional<QDateTime> moment = SheetText::dateAfter1900(plain)) {
                marked = true;
                if (field.kind == ExportGrid::FieldKind::Date || field.kind == ExportGrid::FieldKind::DateTime)
                    sheet.setValue(cell, value);
                else
                    sheet.setValue(cell, *moment);
                cellColors(cell, column.color, column.fontColor);
            }
        } catch (const AppError &) {
        }
        if (!marked) {
            sheet.setValue(cell, m_fill.SepDecimalDefault ? plain : SheetText::AjustaValor(plain));
            cellColors(cell, column.color, column.fontColor);
        }
        m_fill.column.ProximaColuna();
    }
}

void GridRows::writeNestedRow(const ExportGrid &grid, int record, const std::vector<int> &fieldOfColumn) {
    SheetAutomation &sheet = m_fill.sheet;
    for (size_t i = 0; i < grid.columns.size(); ++i) {
        const ExportGrid::Column &column = grid.columns[i];
        const int index = fieldOfColumn[i];
        if (!column.visible || index < 0)
            continue;
        const ExportGrid::Field &field = grid.fields[index];
        const QVariant value = grid.value(record, index);
        const QString &cell = cursorCell();
        sheet.setColumnWidth(cell, ExportGrid::storageSize(field) + 3);
        // Every value column keeps its own sheet column, also when its cell
        // stays empty, so the figures stay under their titles.
        switch (field.kind) {
        case ExportGrid::FieldKind::Float:
        case ExportGrid::FieldKind::Integer:
            try {
                writeNumber(cell, m_numberFormats[index], value);
            } catch (const AppError &) {
            }
            break;
        case ExportGrid::FieldKind::Date:
        case ExportGrid::FieldKind::DateTime:
            try {
                if (SheetText::dateAfter1900(grid.plainText(record, index)))
                    sheet.setValue(cell, value);
            } catch (const AppError &) {
            }
            break;
        case ExportGrid::FieldKind::Text:
            sheet.setValue(cell, value.toString());
            break;
        case ExportGrid::FieldKind::Group:
            continue; // a group takes no column of its own
        }
        cellColors(cell, column.color, column.fontColor);
        m_fill.column.ProximaColuna();
    }
}

void GridRows::writeTextRow(const QStringList &cells, const ExportGrid &grid, bool pivot) {
    SheetAutomation &sheet = m_fill.sheet;
    m_fill.column = SheetColumn();
    ++m_fill.row;
    const bool colored = !pivot && m_fill.ExportarCores;
    const int columnCount =
        pivot || grid.cells.empty() ? static_cast<int>(cells.size()) : static_cast<int>(grid.cells.front().size());
    for (int c = 0; c < columnCount; ++c) {
        const QString s = c < cells.size() ? cells[c] : QString();
        const QString &cell = cursorCell();
        const QString adjusted = SheetText::AjustaValor(s);
        const QString written = m_fill.SepDecimalDefault && !pivot ? s : adjusted;
        if (pivot)
            sheet.setColumnWidth(cell, grid.defaultColumnWidth + 2);
        else
            sheet.setColumnWidth(cell, c < static_cast<int>(grid.columnWidths.size()) ? grid.columnWidths[c] : 0);
        const auto fontColor = [&] {
            if (colored && grid.fontColor != ExportGrid::clWindowText)
                sheet.setFontColor(cell, grid.fontColor);
        };
        bool marked = false;
        try {
            if (const std::optional<int> decimals = decimalsOfNumberText(s)) {
                marked = true;
                markNumberRow();
                sheet.setValue(cell, m_fill.SepDecimalDefault ? s : adjusted);
                sheet.setNumberFormat(
                    cell, SheetText::TrocaSeparadores(QStringLiteral("###,###,##0.") + QString(*decimals, u'0')));
                fontColor();
            }
        } catch (const AppError &) {
        }
        try {
            if (const std::optional<QDateTime> moment = SheetText::dateAfter1900(adjusted)) {
                marked = true;
                sheet.setValue(cell, *moment);
                fontColor();
            }
        } catch (const AppError &) {
        }
        if (!marked) {
            sheet.setValue(cell, written);
            fontColor();
            if (colored && grid.brushColor != ExportGrid::clWindow)
                sheet.setInteriorColor(cell, grid.brushColor);
        }
        m_fill.column.ProximaColuna();
    }
}

void GridRows::writeTotals(const ExportGrid *grid, const QStringList &ColunasTotais) {
    SheetAutomation &sheet = m_fill.sheet;
    m_fill.column = SheetColumn();
    const QString label = m_fill.column.cell(m_fill.row);
    sheet.setValue(label, QStringLiteral("TOTAL -> "));
    sheet.setFontColor(label, 255);
    sheet.setFontBold(label, true);
    try {
        for (const QString &wanted : ColunasTotais) {
            m_fill.column.ProximaColuna();
            if (!grid || grid->kind != ExportGrid::Kind::Data)
                continue;
            for (size_t i = 0; i < grid->columns.size(); ++i) {
                const ExportGrid::Column &column = grid->columns[i];
                const int index = grid->fieldIndex(column.fieldName);
                const bool matches = column.fieldName == wanted || QString::number(i + 1) == wanted;
                if (!matches || index < 0 || !ExportGrid::isNumber(grid->fields[index].kind))
                    continue;
                qint64 sum = 0;
                for (int row = m_fill.firstNumberRow; row <= m_fill.row; ++row)
                    sum += integerValue(sheet.value(m_fill.column.cell(row)));
                sheet.setValue(m_fill.column.cell(m_fill.row), static_cast<double>(sum));
            }
        }
    } catch (const AppError &) {
    }
}
