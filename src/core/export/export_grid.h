#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

class ResultTable;

// What the workbook export reads from a grid, without the widget: a grid over
// a table (its field definitions, its columns and its rows), a string grid
// (cells and column widths) or a pivot grid (cells with fixed rows and
// columns). The data page's grid is described from the result table, so the
// window and the command-line exporter write the same workbook.
struct ExportGrid {
    enum class Kind { Data, String, Pivot };
    enum class FieldKind { Text, Integer, Float, Date, DateTime, Group };

    // Colour numbers that stand for the desktop's own colours (top byte 255):
    // cells and titles painted in them take the sheet's defaults.
    static constexpr int clWindow = static_cast<int>(0xFF000005);
    static constexpr int clWindowText = static_cast<int>(0xFF000008);
    static constexpr int clBtnFace = static_cast<int>(0xFF00000F);

    struct Field {
        QString name;
        QString fullName; // parent's full name, "." and the name
        FieldKind kind = FieldKind::Text;
        int length = 0; // characters of a text field
        QString displayFormat;
        QString title;
        std::vector<int> children; // indexes into fields, in order
    };

    struct Column {
        QString fieldName; // full name of the field shown
        bool visible = true;
        QString title;
        int titleAlignment = 0; // SheetAutomation alignment; 0: none set
        int color = clWindow;
        int fontColor = clWindowText;
        int titleColor = clBtnFace;
        int titleFontColor = clWindowText;
    };

    Kind kind = Kind::Data;

    // Grid over a table.
    bool clientTable = false; // the table is an in-memory table of the program
    std::vector<Field> fields;
    std::vector<int> topLevel;
    std::vector<Column> columns;
    // The rows: those of the program's table, read in place (the table
    // outlives the grid and does not change while it is written), or kept
    // here, per row one value per field (null: empty).
    const ResultTable *table = nullptr;
    std::vector<std::vector<QVariant>> rows;

    // String and pivot grids: cells[row][column], the fixed rows and columns
    // first.
    std::vector<QStringList> cells;
    std::vector<int> columnWidths; // pixels, string grid
    int fixedRows = 0, fixedColumns = 0;
    int defaultColumnWidth = 64; // pivot grid
    int fontColor = clWindowText;
    int brushColor = clWindow;

    // The data page's grid: one column per field of the table in definition
    // order (groups included, shown when their field is), titles centred.
    static ExportGrid fromResultTable(const ResultTable &table);

    int rowCount() const;
    // The value of a field in a row; null when empty, and always for a group.
    QVariant value(int row, int field) const;
    // -1 when no field has that full name.
    int fieldIndex(const QString &fullName) const;
    // Bytes a value of the field takes: a text its length + 1, an integer 4,
    // a floating-point number or a date-time 8, a date 4, a group 0.
    static int storageSize(const Field &field);
    static bool isNumber(FieldKind kind) { return kind == FieldKind::Integer || kind == FieldKind::Float; }
    // The value without display rules: texts as stored, numbers in the
    // general format with the user's decimal separator, no grouping.
    QString plainText(int row, int field) const;
};
