#include "import/study_writer.h"

#include "base/data/app_error.h"
#include "base/data/engine_error.h"

#include <QFile>
#include <QStringList>

#include <sqlite3.h>

namespace {

QString quoted(const QString &name) {
    QString text = name;
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

QString declaredType(JetFile::Kind kind) {
    switch (kind) {
    case JetFile::Kind::Integer:
    case JetFile::Kind::Boolean:
        return QStringLiteral("integer");
    case JetFile::Kind::Real:
    case JetFile::Kind::Decimal:
        return QStringLiteral("real");
    case JetFile::Kind::Blob:
        return QStringLiteral("blob");
    case JetFile::Kind::DateTime:
    case JetFile::Kind::Text:
        break;
    }
    return QStringLiteral("text");
}

} // namespace

StudyWriter::StudyWriter(const QString &file, const QString &shownPath) : m_shownPath(shownPath) {
    const int opened = sqlite3_open_v2(QFile::encodeName(file).constData(), &m_db,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (opened != SQLITE_OK)
        fail(opened);
    execute(QStringLiteral("pragma journal_mode = off"));
    execute(QStringLiteral("pragma synchronous = off"));
    execute(QStringLiteral("pragma locking_mode = exclusive"));
    execute(QStringLiteral("begin"));
}

StudyWriter::~StudyWriter() {
    sqlite3_finalize(m_insert);
    sqlite3_close(m_db);
}

void StudyWriter::fail(int resultCode) {
    QString reason = EngineError::text(m_db, resultCode);
    if (!m_table.isEmpty())
        reason = QStringLiteral("tabela \"%1\": %2").arg(m_table, reason);
    throw AppError(QStringLiteral("Não foi possível gravar o estudo \"%1\": %2").arg(m_shownPath, reason));
}

void StudyWriter::execute(const QString &statement) {
    const int result = sqlite3_exec(m_db, statement.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (result != SQLITE_OK)
        fail(result);
}

void StudyWriter::beginTable(const QString &name, const std::vector<JetFile::Column> &columns) {
    m_table = name;
    QStringList definitions, marks;
    for (const JetFile::Column &column : columns) {
        definitions << quoted(column.name) + QLatin1Char(' ') + declaredType(column.kind);
        marks << QStringLiteral("?");
    }
    execute(QStringLiteral("create table %1 (%2)").arg(quoted(name), definitions.join(QStringLiteral(", "))));
    const QByteArray insert =
        QStringLiteral("insert into %1 values (%2)").arg(quoted(name), marks.join(QLatin1Char(','))).toUtf8();
    const int prepared = sqlite3_prepare_v2(m_db, insert.constData(), int(insert.size()), &m_insert, nullptr);
    if (prepared != SQLITE_OK)
        fail(prepared);
}

void StudyWriter::addRow(const std::vector<JetFile::Value> &values) {
    for (size_t i = 0; i < values.size(); ++i) {
        const JetFile::Value &value = values[i];
        const int at = int(i) + 1;
        switch (value.type) {
        case JetFile::Value::Null:
            sqlite3_bind_null(m_insert, at);
            break;
        case JetFile::Value::Integer:
            sqlite3_bind_int64(m_insert, at, value.integer);
            break;
        case JetFile::Value::Real:
            sqlite3_bind_double(m_insert, at, value.real);
            break;
        case JetFile::Value::Text:
            sqlite3_bind_text(m_insert, at, value.bytes.constData(), int(value.bytes.size()), SQLITE_TRANSIENT);
            break;
        case JetFile::Value::Blob:
            sqlite3_bind_blob(m_insert, at, value.bytes.constData(), int(value.bytes.size()), SQLITE_TRANSIENT);
            break;
        }
    }
    const int stepped = sqlite3_step(m_insert);
    sqlite3_reset(m_insert);
    if (stepped != SQLITE_DONE)
        fail(stepped);
}

void StudyWriter::endTable() {
    sqlite3_finalize(m_insert);
    m_insert = nullptr;
    m_table.clear();
}

void StudyWriter::finish() {
    execute(QStringLiteral("commit"));
    const int closed = sqlite3_close(m_db);
    m_db = nullptr;
    if (closed != SQLITE_OK)
        throw AppError(QStringLiteral("Não foi possível gravar o estudo \"%1\": %2")
                           .arg(m_shownPath, EngineError::text(nullptr, closed)));
}
