#pragma once

#include "import/jet_file.h"

#include <QString>

struct sqlite3;
struct sqlite3_stmt;

// Writes a new SQLite study into a file that holds nothing yet (the
// importer's own temporary file): tables with the Jet file's names and
// columns, rows streamed in one transaction. No index is added: the topics
// read from an imported study as fast without (see bench/import). The file is written without a journal: a failed import
// throws the whole file away, it never repairs it.
class StudyWriter {
  public:
    // Opens the file; raises AppError naming shownPath (the study the user
    // asked for, not the temporary file).
    StudyWriter(const QString &file, const QString &shownPath);
    ~StudyWriter();
    StudyWriter(const StudyWriter &) = delete;
    StudyWriter &operator=(const StudyWriter &) = delete;

    // Starts a table; its rows follow through addRow().
    void beginTable(const QString &name, const std::vector<JetFile::Column> &columns);
    void addRow(const std::vector<JetFile::Value> &values);
    void endTable();

    // Commits the rows and closes the file.
    void finish();

  private:
    void execute(const QString &statement);
    [[noreturn]] void fail(int resultCode);

    QString m_shownPath;
    QString m_table;
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_insert = nullptr;
};
