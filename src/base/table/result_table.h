#pragma once

#include "base/table/result_field.h"

#include <QHash>
#include <QObject>
#include <QVariant>
#include <vector>

// The in-memory table of one query run. Its fields are defined anew on every
// run (value fields and nested group fields, reached by full dotted names),
// then rows are appended and read back through a cursor or by row number
// (from 0).
//
// Display updates: while suspended (disableControls), nothing is signalled to
// the views; resuming tells them once that the whole content changed, so a
// fill of thousands of rows costs the views a single reset.
class ResultTable : public QObject {
    Q_OBJECT

  public:
    explicit ResultTable(QObject *parent = nullptr);

    // Definition. clearFields closes the table first.
    void clearFields();
    // Appends a field as the last child of parent (-1: at the top level) and
    // returns its index. A parent that is not a group field takes nothing:
    // the field goes to the top level.
    int addField(const QString &name, FieldKind kind, int size = 0, int parent = -1);
    // Makes the defined table active and empty.
    void createDataSet();
    void close();
    bool isActive() const { return m_active; }

    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    const ResultField &field(int index) const { return m_fields[index]; }
    ResultField &field(int index) { return m_fields[index]; }
    const std::vector<int> &topLevelFields() const { return m_topLevel; }
    // -1 when no field has that full name (compared without letter case).
    int findField(const QString &fullName) const;
    // Raises "Field '<name>' not found" when no field has that full name.
    ResultField &fieldByName(const QString &fullName);
    const ResultField &fieldByName(const QString &fullName) const;

    // Rows.
    void reserve(int rows);                       // room for that many rows, appended without reallocating
    void append();                                // a new empty row, which becomes the current row
    // Drops every row, keeping the fields: a table handed over row by row
    // holds one row at a time.
    void clearRows();
    void setText(int field, const QString &text); // cut to the field's size
    void setInteger(int field, qint64 value);
    void setFloat(int field, double value);

    int recordCount() const {
        return m_active ? m_rowCount : 0;
    }
    bool isEmpty() const { return recordCount() == 0; }
    QVariant value(int row, int field) const;   // null when not set
    QString asString(int row, int field) const; // null reads as ""
    qint64 asInteger(int row, int field) const; // null reads as 0
    double asFloat(int row, int field) const;   // null reads as 0
    // The text a grid shows: the field's handler, else its display format.
    QString displayText(int row, int field) const;
    // The value without display rules: texts as stored, numbers in the
    // general format with 15 significant digits and the locale's decimal
    // separator, no grouping; null gives "".
    QString plainText(int row, int field) const;

    // A cell as stored, for writers of many cells: the kind of its field
    // and its value, or the kind Group when the cell is null or there is no
    // such cell. The text stays valid until the table changes.
    struct CellValue {
        FieldKind kind = FieldKind::Group;
        double number = 0;
        qint64 integer = 0;
        const QString *text = nullptr;
    };
    CellValue cell(int row, int field) const;

    // Cursor.
    void first();
    void next();
    void moveTo(int row);
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    int currentRow() const { return m_row; }
    int recNo() const { return isEmpty() ? 0 : m_row + 1; } // 1-based sequence number

    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

  signals:
    // Fields, rows or the active state changed as a whole: views reload.
    void contentReset();
    void afterScroll();
    void afterClose();

  private:
    void notifyReset();
    // The cells of one value field, typed by its kind. A null cell holds
    // NaN (numbers: the engine never yields one), the smallest integer, or
    // the null text. A text cell is the index of its string: a text equal to
    // the last one stored shares its entry, so that the names repeated down
    // a column of tens of thousands of rows cost 4 bytes a row.
    struct Column {
        explicit Column(FieldKind columnKind) : kind(columnKind) {}

        FieldKind kind;
        std::vector<double> numbers;
        std::vector<qint64> integers;
        std::vector<quint32> texts;
        std::vector<QString> strings{QString()}; // entry 0: the null text

        const QString &text(int row) const { return strings[texts[row]]; }
        void setText(int row, const QString &text);
    };
    // The column and row of a cell of the current row.
    std::pair<Column *, int> currentCell(int field);
    // The column of a cell that holds a value; null for a null cell or no such cell.
    const Column *cellColumn(int row, int field) const;

    std::vector<ResultField> m_fields;
    std::vector<int> m_topLevel;
    QHash<QString, int> m_byName; // lower-case full name -> field index
    std::vector<Column> m_cells;  // one per value field
    int m_rowCount = 0;
    bool m_active = false;

    int m_row = 0;
    bool m_eof = true;
    bool m_bof = true;
    int m_disabled = 0;
};
