#include "scaled_study.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>

namespace {

const QString kProgramDir = QStringLiteral(SOLVANE_PROGRAM_DIR);

// New municipality codes lie above every code of the sample (seven digits).
constexpr int kCodeStep = 10000000;

QStringList columnNames(sqlite3 *db, const QString &table) {
    QStringList names;
    sqlite3_stmt *stmt = nullptr;
    const QByteArray sql = QStringLiteral("pragma table_info(\"%1\")").arg(table).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK)
        return names;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 1)));
    sqlite3_finalize(stmt);
    return names;
}

// "insert into <table> select ... from <table>, copies where <condition>",
// the code column moved by copy number and the name column suffixed with it.
QString copyStatement(sqlite3 *db, const QString &table, const QString &code, const QString &name,
                      const QString &condition) {
    QStringList select;
    for (const QString &column : columnNames(db, table)) {
        if (column == code)
            select << QStringLiteral("%1 + k * %2").arg(column).arg(kCodeStep);
        else if (column == name)
            select << QStringLiteral("%1 || ' ' || k").arg(column);
        else
            select << column;
    }
    return QStringLiteral("insert into \"%1\" select %2 from \"%1\", copies where %3;")
        .arg(table, select.join(QStringLiteral(", ")), condition);
}

} // namespace

ScaledStudy::ScaledStudy(int factor) : m_factor(factor) { m_valid = m_dir.isValid() && build(); }

bool ScaledStudy::build() {
    const QDir source(kProgramDir);
    const QDir target(m_dir.path());
    bool copied = target.mkpath(QStringLiteral("Dados")) &&
                  QFile::copy(source.filePath(QStringLiteral("Dados/Solvane.db")), database());
    for (const char *program : {"solvane-export", "solvane-export-desenho", "solvane-export-planilha"})
        copied = copied && QFile::copy(source.filePath(QLatin1String(program)), target.filePath(QLatin1String(program)));
    if (!copied) {
        m_error = QStringLiteral("no study or no solvane-export in ") + kProgramDir;
        return false;
    }
    for (const char *folder : {"Mapas", "Imagens", "Ajuda", "Anexos"})
        QFile::link(source.filePath(QLatin1String(folder)), target.filePath(QLatin1String(folder)));
    return m_factor == 1 || multiply(database());
}

bool ScaledStudy::multiply(const QString &path) {
    sqlite3 *db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        return false;
    }
    // The rows of the real municipalities (row kind 1, not the row of the
    // small towns, code 999999) are copied factor - 1 times.
    const QString sql =
        QStringLiteral("begin;"
                       "create temp table copies(k integer primary key);"
                       "with recursive n(k) as (select 1 union all select k + 1 from n where k < %1)"
                       " insert into copies select k from n;")
            .arg(m_factor - 1) +
        copyStatement(db, QLatin1String(kTable), QStringLiteral("Municipio"), QStringLiteral("DMunicipio"),
                      QStringLiteral("Tipo_Registro = 1 and Municipio <> 999999")) +
        copyStatement(db, QStringLiteral("Municipio"), QStringLiteral("Municipio"), QStringLiteral("Descricao"),
                      QStringLiteral("Municipio <> 999999")) +
        QStringLiteral("commit;");
    char *message = nullptr;
    const bool ok = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) == SQLITE_OK;
    if (!ok)
        m_error = QString::fromUtf8(message);
    sqlite3_free(message);
    sqlite3_close(db);
    return ok;
}
