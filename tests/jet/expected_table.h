#pragma once

#include "mdb_reader.h"

#include <QString>
#include <utility>
#include <vector>

// A table of an SQLite database as mdbtools should show it once jet_writer
// has written it, for the types a study holds (integer, real, text): the
// columns with the type mdb-schema writes, and the rows as mdb-export
// prints them.
struct ExpectedTable {
    std::vector<std::pair<QString, QString>> columns;
    std::vector<ExportedRow> rows;

    static ExpectedTable read(const QString &database, const QString &table);
};

// The SQLite database's tables, in the order they were created.
QStringList sqliteTables(const QString &database);

// Checks that two row lists hold the same rows, in any order, and reports
// the first row that differs.
void expectSameRows(const QString &table, std::vector<ExportedRow> expected, std::vector<ExportedRow> actual);

// Checks that the Jet file holds every table of the database, in order, each
// with the same columns and rows; returns the count of rows read back.
qint64 expectSameTables(const MdbReader &reader, const QString &database, const QStringList &tables);
