#pragma once

#include "export/sheet_automation.h"

#include <QByteArray>
#include <QLocale>
#include <map>
#include <optional>
#include <vector>

// One cell of the sheet as the export left it.
struct SheetCell {
    QVariant value; // null (empty), double, QString or QDateTime
    std::optional<int> fontColor;
    bool bold = false;
    std::optional<int> fill;
    QString numberFormat; // in the file's own notation: "," thousands, "." decimals
    int alignment = 0;    // 0: the sheet's default
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
    // The cell at an address, or nothing when no operation touched it.
    const SheetCell *cell(const QString &address) const;
    // Rows and columns in use (the highest 1-based row and column touched).
    int rowCount() const;
    int columnCount() const;
    // The width set on a column (0-based), 0 when none was set.
    double columnWidth(int column) const;
    const std::vector<Merge> &merges() const { return m_merges; }
    const std::vector<Picture> &pictures() const { return m_pictures; }

    // The sheet as the bytes of an .xlsx file.
    QByteArray xlsx() const;

  private:
    // Parses "B7" into a 0-based row and column; raises AppError.
    static std::pair<int, int> position(const QString &address);
    SheetCell &at(const QString &address);
    const SheetCell *find(int row, int column) const;
    void requireWorkbook() const;

    QLocale m_locale;
    bool m_hasWorkbook = false;
    bool m_displayAlerts = true;
    bool m_screenUpdating = true;
    bool m_visible = false;
    QString m_sheetName;
    QString m_selected = QStringLiteral("A1");
    QString m_savedPath;
    // The cells by row, then column; a cell no operation touched is empty.
    // Rows are filled in order, so vectors serve better than a search tree.
    std::vector<std::vector<std::optional<SheetCell>>> m_rows;
    // The last number format converted, since a column repeats its format
    // in every row.
    QString m_lastFormat, m_lastFileFormat;
    std::map<int, double> m_widths;
    std::vector<Merge> m_merges;
    std::vector<Picture> m_pictures;
};
