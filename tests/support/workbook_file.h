#pragma once

#include <QByteArray>
#include <QString>
#include <map>

// An .xlsx file read back from disk: the entries of its zip archive by name
// (unpacked by Python's own zipfile module, which the setup script
// installs) and what the cells of its sheet hold.
class WorkbookFile {
  public:
    explicit WorkbookFile(const QString &path);

    // Empty when the file was read; else what went wrong.
    const QString &error() const { return m_error; }
    const std::map<QString, QByteArray> &entries() const { return m_entries; }

    // The text or number written in a cell of the first sheet ("B7"), as
    // the file holds it; empty for a cell without a value.
    QString cell(const QString &address) const;

    // Empty when both files hold the same entries with the same bytes, the
    // creation and change times of the document's properties aside; else
    // the first difference, with the bytes around it.
    QString differenceFrom(const WorkbookFile &other) const;

  private:
    void readCells();

    QString m_error;
    std::map<QString, QByteArray> m_entries;
    std::map<QString, QString> m_cells;
};
