#include "import/study_check.h"

#include "base/data/app_error.h"
#include "base/data/database.h"
#include "base/data/engine_error.h"
#include "base/data/query.h"
#include "base/data/scope_guard.h"
#include "base/table/attribute_catalogue.h"
#include "base/table/attribute_line.h"
#include "base/table/result_table.h"

#include <QFile>

#include <sqlite3.h>

namespace {

struct Table {
    const char *name;
    QStringList columns;
};

const QStringList kDataColumns{
    QStringLiteral("DRegiao"),     QStringLiteral("DUnidade_Federativa"),  QStringLiteral("DMicro_Regiao"),
    QStringLiteral("DRegiao_Metropolitana"), QStringLiteral("DMunicipio"), QStringLiteral("Regiao"),
    QStringLiteral("Unidade_Federativa"),    QStringLiteral("Micro_Regiao"), QStringLiteral("Regiao_Metropolitana"),
    QStringLiteral("Municipio"),   QStringLiteral("Populacao_Cidade"),     QStringLiteral("Tipo_Registro"),
};

// The tables every study holds and the columns the statements read of them.
const Table kFixedTables[] = {
    {"Pais", {"Pais", "Sigla", "Descricao"}},
    {"Regiao", {"Pais", "Regiao", "Sigla", "Descricao"}},
    {"Unidade_Federativa", {"Pais", "Regiao", "Unidade_Federativa", "Sigla", "Descricao"}},
    {"Micro_Regiao", {"Pais", "Regiao", "Unidade_Federativa", "Micro_Regiao", "Sigla", "Descricao"}},
    {"Regiao_Metropolitana", {"Regiao_Metropolitana", "Sigla", "Descricao", "Regiao", "Unidade_Federativa"}},
    {"Municipio",
     {"Municipio", "Sigla", "Descricao", "Populacao_Cidade", "Regiao", "Unidade_Federativa", "Micro_Regiao",
      "Regiao_Metropolitana"}},
    {"Nivel_Informacao", {"Nivel_Informacao", "Descricao"}},
    {"Nome_Atributos_Tab_Valor",
     {"Tabela", "Atributo", "Descricao_Atributo", "Tipo_Atributo", "Formula_Percentual_Total",
      "Atributo_Pesquisa_Rustico"}},
    {"Observacao_Tab_Valor", {"Nivel_Informacao", "Observacao"}},
};

// The table's columns; empty when there is no such table.
QStringList columnsOf(sqlite3 *db, const QString &table) {
    sqlite3_stmt *info = nullptr;
    QStringList columns;
    if (sqlite3_prepare_v2(db, "select name from pragma_table_info(?)", -1, &info, nullptr) != SQLITE_OK)
        return columns;
    const QByteArray name = table.toUtf8();
    sqlite3_bind_text(info, 1, name.constData(), int(name.size()), SQLITE_STATIC);
    while (sqlite3_step(info) == SQLITE_ROW)
        columns << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(info, 0)));
    sqlite3_finalize(info);
    return columns;
}

void checkTable(sqlite3 *db, const QString &table, const QStringList &wanted, QStringList &missing) {
    const QStringList present = columnsOf(db, table);
    if (present.isEmpty()) {
        missing << QStringLiteral("a tabela \"%1\"").arg(table);
        return;
    }
    for (const QString &column : wanted)
        if (!present.contains(column, Qt::CaseInsensitive))
            missing << QStringLiteral("a coluna \"%1\" da tabela \"%2\"").arg(column, table);
}

// The figure columns of one data table, as the catalogue lays them out for
// the program's statements.
QStringList figureColumns(Database &db, const QString &table) {
    Query qAux(db);
    ResultTable layout;
    QStringList lines;
    CarregaAtributos(qAux, table, layout, lines);
    QStringList columns;
    for (const AttributeLine &line : AttributeLine::parseAll(lines))
        if (line.isValue())
            columns << line.name;
    return columns;
}

} // namespace

namespace StudyCheck {

QStringList missing(const QString &database) {
    QStringList missing;
    {
        // The fixed tables are looked at before the study is opened as one:
        // the connection itself refuses a database without its topic table.
        sqlite3 *raw = nullptr;
        const int opened = sqlite3_open_v2(QFile::encodeName(database).constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
        ScopeGuard closeRaw([raw] { sqlite3_close(raw); });
        if (opened != SQLITE_OK)
            throw AppError(QStringLiteral("Não foi possível ler o estudo \"%1\": %2")
                               .arg(database, EngineError::text(raw, opened)));
        for (const Table &table : kFixedTables)
            checkTable(raw, QString::fromLatin1(table.name), table.columns, missing);
        if (!missing.isEmpty())
            return missing;
    }
    Database db;
    db.setPath(database);
    db.setConnected(true);

    Query tables(db);
    tables.sql() << QStringLiteral("select distinct Tabela from Nome_Atributos_Tab_Valor order by Tabela");
    tables.open();
    for (; !tables.eof(); tables.next()) {
        const QString table = tables.field(0).asString();
        checkTable(db.handle(), table, kDataColumns + figureColumns(db, table), missing);
    }
    return missing;
}

void require(const QString &database, const QString &sourceFile) {
    const QStringList absent = missing(database);
    if (!absent.isEmpty())
        throw AppError(QStringLiteral("O arquivo \"%1\" não é um estudo completo; falta %2.")
                           .arg(sourceFile, absent.join(QStringLiteral("; falta "))));
}

} // namespace StudyCheck
