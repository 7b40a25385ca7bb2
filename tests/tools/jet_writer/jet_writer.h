#pragma once

#include "data_page.h"
#include "table_definition.h"

#include <QString>
#include <optional>
#include <vector>

class PageFile;
class SourceDatabase;

// Writes every table of an SQLite database, with its rows, into a Jet 4
// file (the format of Access 2000): a header page, the system catalogue
// MSysObjects (its definition on page 2, as readers expect), and per table
// a table definition, its data pages and the usage map of its pages. Tables
// are read a row at a time. Nothing is indexed.
class JetWriter {
  public:
    // Raises AppError, naming the file, the table and the row concerned,
    // when the source cannot be read or a value has no exact Jet form; the
    // target is then left as it was.
    static void write(const QString &sourcePath, const QString &targetPath);

  private:
    struct Table {
        TableDefinition definition;
        std::vector<quint32> definitionPages;
        std::vector<quint32> dataPages;
        quint32 rowCount = 0;
    };

    explicit JetWriter(PageFile &file) : m_file(file) {}

    Table copyTable(const SourceDatabase &source, const QString &name);
    Table catalogue(const std::vector<Table> &tables);
    // Reserves the definition's pages, the first one at a given page.
    Table begin(TableDefinition definition, std::optional<quint32> firstPage = std::nullopt);
    void addRow(Table &table, const QByteArray &row);
    void endRows(Table &table);
    // Writes the usage maps of the tables on map pages (page 1 first), then
    // their definitions, which point to the maps.
    void writeDefinitions(const std::vector<Table> &tables);

    PageFile &m_file;
    std::optional<DataPage> m_page;
};
