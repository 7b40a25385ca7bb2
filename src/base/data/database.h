#pragma once

#include <QString>

struct sqlite3;

// The connection to the study database. The path is set before connecting;
// the file is opened read-only, as the program never writes the study.
// Opening registers the functions and the text order the study's statements
// expect (see AccessDialect and PortugueseCollation).
class Database {
public:
    Database() = default;
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    void setPath(const QString &path) { m_path = path; }
    const QString &path() const { return m_path; }

    // Connects, or disconnects with false. A file that is missing, unreadable,
    // not a database or not a study (no topic table) raises an AppError that
    // names the file and the reason in Portuguese.
    void setConnected(bool connected);
    bool isConnected() const { return m_db != nullptr; }

    // The engine handle for queries; raises when not connected.
    sqlite3 *handle() const;

private:
    void open();
    void close();

    QString m_path;
    sqlite3 *m_db = nullptr;
};
