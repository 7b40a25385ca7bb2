#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

// A row as mdb-export prints it: a text per column, no value for a null.
using ExportedRow = std::vector<std::optional<QString>>;

// What mdbtools' command-line readers find in a Jet file: the independent
// judge of the files jet_writer writes. Every reader must end well and say
// nothing on its error output (mdbtools prints its warnings there); the
// test fails otherwise, with the reader's text.
class MdbReader {
  public:
    explicit MdbReader(const QString &file) : m_file(file) {}

    // mdb-tables: the user tables in catalogue order.
    QStringList tables() const;
    // mdb-schema: the columns of a table in order, each with the type as
    // mdb-schema writes it ("Long Integer", "Text (255)", ...).
    std::vector<std::pair<QString, QString>> columns(const QString &table) const;
    // mdb-export: the column names and the rows, dates as
    // "YYYY-MM-DD HH:MM:SS" and binary values in hexadecimal.
    struct Export {
        QStringList header;
        std::vector<ExportedRow> rows;
    };
    Export exportTable(const QString &table) const;

  private:
    QString run(const QString &program, const QStringList &arguments) const;

    QString m_file;
};
