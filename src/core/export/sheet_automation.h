#pragma once

#include <QImage>
#include <QString>
#include <QVariant>

// The spreadsheet operations the workbook export drives: one application
// with one new workbook whose first sheet is filled cell by cell and saved.
// Cells are addressed as "B7"; colours are colour numbers (red in the low
// byte); number formats come in the user's number format, as typed in a
// spreadsheet program set to the user's language. Every operation raises
// AppError on an address or value it cannot take.
class SheetAutomation {
  public:
    // Horizontal alignments of a cell.
    static constexpr int xlLeft = -4131;
    static constexpr int xlRight = -4152;
    static constexpr int xlCenter = -4108;

    virtual ~SheetAutomation() = default;

    // Application.
    virtual void setDisplayAlerts(bool on) = 0;
    virtual void setScreenUpdating(bool on) = 0;
    virtual void setVisible(bool visible) = 0;
    // A new workbook; its first sheet becomes the active one, A1 its active cell.
    virtual void addWorkbook() = 0;

    // Worksheet.
    virtual void setSheetName(const QString &name) = 0;
    // Pastes a picture with its top left corner on the active cell (A1).
    virtual void paste(const QImage &picture) = 0;
    virtual void select(const QString &cell) = 0;
    // Pastes a picture with its top left corner on the selected cell.
    virtual void pasteSpecial(const QImage &picture) = 0;
    virtual void saveAs(const QString &path) = 0;

    // Cells. A text that reads as a number in the automation's own format
    // (point for decimals, comma for thousands) is taken as that number.
    virtual void setValue(const QString &cell, const QVariant &value) = 0;
    virtual QVariant value(const QString &cell) const = 0;
    virtual void setFontColor(const QString &cell, int color) = 0;
    virtual void setFontBold(const QString &cell, bool bold) = 0;
    virtual void setInteriorColor(const QString &cell, int color) = 0;
    virtual void setNumberFormat(const QString &cell, const QString &format) = 0;
    virtual void setHorizontalAlignment(const QString &cell, int alignment) = 0;
    virtual void mergeCells(const QString &firstCell, const QString &lastCell) = 0;
    // Width of the cell's column, in characters.
    virtual void setColumnWidth(const QString &cell, double width) = 0;
};
