#pragma once

#include "core/export/sheet_automation.h"

#include <QByteArray>
#include <QLocale>
#include <map>
#include <optional>
#include <vector>

// How one cell of the sheet looks as the export left it. Cells that look
// alike share one record, so a sheet of millions of cells keeps a handful.
struct SheetCell {
    std::optional<int> fontColor;
    bool bold = false;
    std::optional<int> fill;
    QString numberFormat; // in the file's own notation: "," thousands, "." decimals
    int alignment = 0;    // 0: the sheet's default

    bool operator==(const SheetCell &other) const = default;
    bool operator<(const SheetCell &other) const;
};

// The sheet automation kept in memory: what is written can be read back
// (the totals row reads its sums that way), and SaveAs writes the sheet as an
// .xlsx workbook. Number formats arrive in the user's number format and are
// kept in the file format's own notation, so a reader in any language shows
// the figures with its own separators. No NaN or infinity is ever stored.
class MemoryWorkbook : public SheetAutomation {
  public:
    struct Merge {
        int firstRow, firstColumn, lastRow, lastColumn; // 0-based
    };
    struct Picture {
        QImage image;
        int row, column; // 0-based top left cell
    };

    // locale: the user's number format, in which number formats arrive.
    explicit MemoryWorkbook(const QLocale &locale = QLocale());

    void setDisplayAlerts(bool on) override { m_displayAlerts = on; }
    void setScreenUpdating(bool on) override { m_screenUpdating = on; }
    void setVisible(bool visible) override { m_visible = visible; }
    void addWorkbook() override;
    void setSheetName(const QString &name) override;
    void paste(const QImage &picture) override;
    void select(const QString &cell) override;
    void pasteSpecial(const QImage &picture) override;
    void saveAs(const QString &path) override;
    void setValue(const QString &cell, const QVariant &value) override;
    QVariant value(const QString &cell) const override;
    void setFontColor(const QString &cell, int color) override;
    void setFontBold(const QString &cell, bool bold) override;
    void setInteriorColor(const QString &cell, int color) override;
    void setNumberFormat(const QString &cell, const QString &format) override;
    void setHorizontalAlignment(const QString &cell, int alignment) override;
    void mergeCells(const QString &firstCell, const QString &lastCell) override;
    void setColumnWidth(const QString &cell, double width) override;

    // What the sheet holds.
    bool hasWorkbook() const { return m_hasWorkbook; }
    bool displayAlerts() const { return m_displayAlerts; }
    bool screenUpdating() const { return m_screenUpdating; }
    bool visible() const { return m_visible; }
    const QString &sheetName() const { return m_sheetName; }
    const QString &savedPath() const { return m_savedPath; }
    // The look of the cell at an address, or nothing when no operation
    // touched it; its value is read with value().
    const SheetCell *cell(const QString &address) const;
    // Rows and columns in use (the highest 1-based row and column touched).
    int rowCount() const;
    int columnCount() const;
    // The width set on a column (0-based), 0 when none was set.
    double columnWidth(int column) const;
    const std::vector<Merge> &merges() const { return m_merges; }
    const std::vector<Picture> &pictures() const { return m_pictures; }

    // The sheet as the bytes of an .xlsx file. Raises AppError with the
    // reason, in the user's words, when they cannot be composed (a text
    // longer than a cell holds names its cell); saveAs puts the file's name
    // before it.
    QByteArray xlsx() const;

  private:
    // One cell in 16 bytes: what it holds and which look it has.
    struct Slot {
        enum class Content : quint8 { Untouched, Empty, Number, Boxed };
        union {
            double number = 0;
            quint32 boxed; // index into m_boxed: a text or a date and time
        };
        quint32 look = 0; // index into m_looks; 0 is the sheet's default
        Content content = Content::Untouched;
    };
    static_assert(sizeof(Slot) == 16);

    // Parses "B7" into a 0-based row and column; raises AppError.
    static std::pair<int, int> position(const QString &address);
    Slot &at(const QString &address);
    Slot &at(int row, int column);
    const Slot *find(int row, int column) const;
    void requireWorkbook() const;
    static constexpr quint32 kNoLook = ~0u;
    // What the sheet keeps per column: its width, and the look and number
    // format its last cell was given, since a column repeats them row after
    // row.
    struct Column {
        std::optional<double> width;
        quint32 look = 0;
        QString typedFormat, fileFormat;
        quint32 formattedFrom = kNoLook, formattedTo = 0; // the last cell's look before and after its format
    };
    Column &columnAt(int index);
    // Gives the cell the look it has once change is applied to it.
    template <typename Change> void restyle(int row, int column, Change change);
    // The libxlsxwriter workbook being written and the formats made for it.
    struct Writing;
    // The cells row after row, as the writer takes them.
    void writeCells(Writing &writing) const;

    QLocale m_locale;
    bool m_hasWorkbook = false;
    bool m_displayAlerts = true;
    bool m_screenUpdating = true;
    bool m_visible = false;
    QString m_sheetName;
    QString m_selected = QStringLiteral("A1");
    QString m_savedPath;
    // The cells by row, then column. Rows are filled in order, so vectors
    // serve better than a search tree.
    std::vector<std::vector<Slot>> m_rows;
    // Texts and dates of the cells, kept apart so a cell stays small.
    std::vector<QVariant> m_boxed;
    // The distinct looks, the default first, and where each one is.
    std::vector<SheetCell> m_looks{SheetCell()};
    std::map<SheetCell, quint32> m_lookIndex{{SheetCell(), 0}};
    std::vector<Column> m_columns;
    // The most cells a row has held: a new row makes room for as many.
    size_t m_widestRow = 0;
    std::vector<Merge> m_merges;
    std::vector<Picture> m_pictures;
};
