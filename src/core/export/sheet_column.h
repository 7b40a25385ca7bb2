#pragma once

#include <QString>

// The column cursor of a sheet fill: a letter A to Z after an optional prefix
// letter, so the columns run A ... Z, AA ... AZ, BA ... ZZ.
class SheetColumn {
  public:
    SheetColumn() = default;
    // Column number n counted from 1 (1 = A, 26 = Z, 27 = AA).
    static SheetColumn fromNumber(int n);

    // Moves to the next column; raises AppError past ZZ, the last column a
    // two-letter name reaches.
    void ProximaColuna();

    QString text() const;
    QString cell(int row) const;
    // The same address written into a text the caller keeps, reusing its
    // room: a sheet fill asks for one address per cell.
    void cell(int row, QString &address) const;
    // 0 for A.
    int index() const { return (m_prefix + 1) * 26 + m_letter; }

    bool operator==(const SheetColumn &other) const = default;

  private:
    int m_letter = 0;  // 0 = A
    int m_prefix = -1; // -1 = none, 0 = A
};
