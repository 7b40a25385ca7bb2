// jet_writer on small SQLite databases written for each test, its output
// read back by mdbtools' command-line readers: every type, the names and
// shapes a study has, and the failures that must leave no file behind.
#include "expected_table.h"
#include "jet_writer_run.h"
#include "mdb_reader.h"
#include "support/fixture_database.h"
#include "support/qstring_printer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A text of the given length in the study's language, accents included.
QString portugueseText(int length) {
    const QString words = QStringLiteral("Observação sobre o déficit habitacional em São Paulo e na Paraíba. ");
    QString text;
    while (text.size() < length)
        text += words;
    return text.left(length);
}

QString sqlText(const QString &text) {
    return QStringLiteral("'%1'").arg(QString(text).replace(QLatin1Char('\''), QStringLiteral("''")));
}

QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One declared type: the type mdb-schema shows for it, and three values as
// SQL literals with what mdb-export prints for each (nothing for a null).
struct TypeCase {
    QString declared;
    QString shown;
    std::vector<std::pair<QString, std::optional<QString>>> values;
};

std::vector<TypeCase> typeCases() {
    const QString memo = portugueseText(305);
    return {
        {"byte", "Byte", {{"0", "0"}, {"255", "255"}, {"NULL", {}}}},
        {"smallint", "Integer", {{"-32768", "-32768"}, {"32767", "32767"}, {"NULL", {}}}},
        {"integer", "Long Integer", {{"-2147483648", "-2147483648"}, {"2147483647", "2147483647"}, {"NULL", {}}}},
        {"integer", "Double", {{"5000000000", "5000000000"}, {"-3", "-3"}, {"NULL", {}}}},
        {"integer", "Double", {{"7", "7"}, {"2.5", "2.5"}, {"NULL", {}}}},
        {"real", "Double", {{"0.1", "0.1"}, {"-1e-300", "-1e-300"}, {"123456789.125", "123456789.125"}}},
        {"single", "Single", {{"1.5", "1.5"}, {"3.141592653589793", "3.1415927"}, {"NULL", {}}}},
        {"float", "Single", {{"-2.5", "-2.5"}, {"0.1", "0.1"}, {"NULL", {}}}},
        {"currency", "Currency", {{"5", "5.0000"}, {"1234.5678", "1234.5678"}, {"-0.0001", "-0.0001"}}},
        {"numeric(10,2)", "Numeric (10, 2)", {{"12345678.91", "12345678.91"}, {"-0.05", "-0.05"}, {"3", "3.00"}}},
        {"decimal(19,0)",
         "Numeric (19, 0)",
         {{"999999999999999999", "999999999999999999"},
          {"-9223372036854775807", "-9223372036854775807"},
          {"NULL", {}}}},
        {"boolean", "Boolean NOT NULL", {{"1", "1"}, {"0", "0"}, {"1", "1"}}},
        {"bit", "Boolean NOT NULL", {{"0", "0"}, {"1", "1"}, {"0", "0"}}},
        {"datetime",
         "DateTime",
         {{"'2000-08-01 12:30:45'", "2000-08-01 12:30:45"},
          {"'1899-12-30'", "1899-12-30 00:00:00"},
          {"'2024-02-29T23:59:59'", "2024-02-29 23:59:59"}}},
        {"date",
         "DateTime",
         {{"'2000-08-01'", "2000-08-01 00:00:00"}, {"NULL", {}}, {"'1900-03-01 06:00'", "1900-03-01 06:00:00"}}},
        {"blob", "OLE (255)", {{"x'00FF10'", "00FF10"}, {"x''", ""}, {"NULL", {}}}},
        {"ole", "OLE (255)", {{"x'414243'", "414243"}, {"NULL", {}}, {"x'0D0A'", "0D0A"}}},
        {"text", "Text (255)", {{"'São Paulo'", "São Paulo"}, {"'Paraíba — “PB”'", "Paraíba — “PB”"}, {"NULL", {}}}},
        {"text", "Memo/Hyperlink (255)", {{sqlText(memo), memo}, {"'curto'", "curto"}, {"NULL", {}}}},
    };
}

TEST(JetWriterTest, EveryDeclaredTypeReadsBackAsItsJetType) {
    const std::vector<TypeCase> cases = typeCases();
    QString sql = QStringLiteral("CREATE TABLE Tipos (");
    for (size_t i = 0; i < cases.size(); ++i)
        sql += QStringLiteral("%1c%2 %3").arg(i ? QStringLiteral(", ") : QString()).arg(i).arg(cases[i].declared);
    sql += QStringLiteral(");\n");
    for (size_t row = 0; row < 3; ++row) {
        QStringList literals;
        for (const TypeCase &c : cases)
            literals << c.values[row].first;
        sql += QStringLiteral("INSERT INTO Tipos VALUES (%1);\n").arg(literals.join(QStringLiteral(", ")));
    }
    const FixtureDatabase source(sql);
    const QString target = source.folder() + QStringLiteral("/Tipos.mdb");
    const JetWriterRun run = JetWriterRun::run({source.path(), target});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();

    const MdbReader reader(target);
    const auto columns = reader.columns(QStringLiteral("Tipos"));
    ASSERT_EQ(columns.size(), cases.size());
    std::vector<ExportedRow> expected(3);
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(columns[i], std::make_pair(QStringLiteral("c%1").arg(i), cases[i].shown))
            << cases[i].declared.toStdString();
        for (size_t row = 0; row < 3; ++row)
            expected[row].push_back(cases[i].values[row].second);
    }
    const MdbReader::Export exported = reader.exportTable(QStringLiteral("Tipos"));
    ASSERT_EQ(exported.rows.size(), 3u);
    for (size_t row = 0; row < 3; ++row) {
        for (size_t i = 0; i < cases.size(); ++i)
            EXPECT_EQ(exported.rows[row][i], expected[row][i])
                << cases[i].declared.toStdString() << " " << cases[i].values[row].first.toStdString();
    }
}

// What a study holds and more: digit-only and accented names, nulls, a
// 305-character memo, an empty table, a generated column, tables over many pages (one beyond
// what a usage map holds in itself), a table of 255 columns whose
// definition needs several pages, and more tables than one page of usage
// maps holds.
QString layoutFixture() {
    QString sql = QStringLiteral(
        "CREATE TABLE Municipio (Municipio integer primary key, Descricao text, Populacao integer, Area real);\n"
        "INSERT INTO Municipio VALUES (3550308, 'São Paulo', 10434252, 1521.11),\n"
        "  (2507507, 'João Pessoa', 597934, 211.475), (2500000, 'Paraíba — “Estado”', 5000000000, NULL),\n"
        "  (1, NULL, NULL, -0.5);\n"
        "CREATE TABLE \"010101\" (DMunicipio text, Municipio integer, A01 integer, A07 real);\n"
        "INSERT INTO \"010101\" VALUES ('Açailândia', 2100055, 104047, 12.345678901234567), (NULL, NULL, NULL, NULL);\n"
        "CREATE TABLE \"03\" (Regiao integer);\n"
        "INSERT INTO \"03\" VALUES (1), (2), (3);\n"
        "CREATE TABLE Vazia (Codigo integer, Nome text);\n"
        "CREATE TABLE Gerada (Valor integer, Dobro integer GENERATED ALWAYS AS (Valor * 2), Nome text);\n"
        "INSERT INTO Gerada (Valor, Nome) VALUES (21, 'vinte e um'), (NULL, 'nada');\n"
        "CREATE TABLE \"Região Metropolitana\" (\"Código\" integer, \"Descrição\" text);\n"
        "INSERT INTO \"Região Metropolitana\" VALUES (1, 'Grande São Paulo');\n");
    sql += QStringLiteral("CREATE TABLE Observacao (Nivel text, Observacao text);\n"
                          "INSERT INTO Observacao VALUES ('01.01.01', %1), ('01.01.02', 'curta'), ('03', NULL);\n")
               .arg(sqlText(portugueseText(305)));
    // About twenty rows a page: a hundred pages, then more than a thousand.
    sql += QStringLiteral(
        "CREATE TABLE Paginas (Linha integer, Texto text, Valor real);\n"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)\n"
        "  INSERT INTO Paginas SELECT i, printf('%06d ', i) || substr(hex(randomblob(100)), 1, 150), i / 7.0 FROM n;\n"
        "CREATE TABLE Grande (Linha integer, Texto text);\n"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 24000)\n"
        "  INSERT INTO Grande SELECT i, printf('%06d ', i) || substr(hex(randomblob(100)), 1, 160) FROM n;\n");
    QStringList wide;
    QStringList values;
    for (int i = 1; i <= 255; ++i) {
        wide << QStringLiteral("Coluna_de_nome_longo_%1 integer").arg(i, 3, 10, QLatin1Char('0'));
        values << QString::number(i * 1000);
    }
    sql += QStringLiteral("CREATE TABLE Larga (%1);\nINSERT INTO Larga VALUES (%2);\n")
               .arg(wide.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
    for (int i = 1; i <= 35; ++i)
        sql += QStringLiteral("CREATE TABLE T%1 (Valor integer);\nINSERT INTO T%1 VALUES (%1);\n").arg(i);
    return sql;
}

TEST(JetWriterTest, EveryTableKeepsItsNameColumnsAndRows) {
    const FixtureDatabase source(layoutFixture());
    const QString target = source.folder() + QStringLiteral("/Estudo.mdb");
    // A file already there is replaced.
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("anterior");
    }
    const JetWriterRun run = JetWriterRun::run({source.path(), target});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.isEmpty()) << run.errors.toStdString();

    const MdbReader reader(target);
    const QStringList tables = sqliteTables(source.path());
    ASSERT_EQ(tables.size(), 45);
    expectSameTables(reader, source.path(), tables);
}

// A failure says what went wrong and where, with status 1, and leaves the
// output as it was and nothing else beside it.
struct FailureCase {
    const char *name;
    QString sql;
    QString message;
};

TEST(JetWriterTest, WhatJetCannotHoldFailsAndLeavesTheOutputAsItWas) {
    const std::vector<FailureCase> cases = {
        {"text in an integer column", "CREATE TABLE t (a integer); INSERT INTO t VALUES (1), ('abc');",
         "linha 2 da tabela \"t\": na coluna \"a\", o texto \"abc\" não é um número inteiro"},
        {"null Boolean", "CREATE TABLE t (a boolean); INSERT INTO t VALUES (NULL);", "o valor nulo não cabe num Boolean"},
        {"unknown declared type", "CREATE TABLE t (a geometry);", "o tipo declarado \"geometry\""},
        {"more decimals than a Currency holds", "CREATE TABLE t (c currency); INSERT INTO t VALUES (1.23456);",
         "o número 1.23456 não é um valor monetário de até 4 casas decimais"},
        {"more digits than the precision", "CREATE TABLE t (n numeric(4,2)); INSERT INTO t VALUES (123.4);",
         "tem mais de 4 algarismos"},
        {"a date that is no date", "CREATE TABLE t (d date); INSERT INTO t VALUES ('2000-02-30');", "não é uma data"},
        {"a row longer than a page holds",
         "CREATE TABLE t (a text, b text, c text, d text, e text, f text, g text, h text, i text);"
         "INSERT INTO t SELECT x, x, x, x, x, x, x, x, x FROM (SELECT replace(printf('%.250c', '_'), '_', 'Ā') AS x);",
         "e uma linha Jet ocupa no máximo 4060"},
        {"a name longer than Jet allows", QStringLiteral("CREATE TABLE %1 (a integer);").arg(QString(65, u'n')),
         "o nome tem mais de 64 caracteres"},
        {"a table named as the catalogue", "CREATE TABLE MSysObjects (a integer);", "o nome é o do catálogo"},
    };
    for (const FailureCase &c : cases) {
        SCOPED_TRACE(c.name);
        const FixtureDatabase source(c.sql);
        const QString target = source.folder() + QStringLiteral("/Saida.mdb");
        {
            QFile old(target);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("anterior");
        }
        const JetWriterRun run = JetWriterRun::run({source.path(), target});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.errors.contains(c.message)) << run.errors.toStdString();
        EXPECT_EQ(fileBytes(target), QByteArray("anterior"));
        EXPECT_EQ(QDir(source.folder()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("Saida.mdb")});
    }
}

TEST(JetWriterTest, UnreadableInputsAndUnwritableOutputsFail) {
    const FixtureDatabase source(QStringLiteral("CREATE TABLE t (a integer); INSERT INTO t VALUES (1);"));
    const QByteArray sourceBytes = fileBytes(source.path());
    const QString folder = source.folder();
    QFile notDatabase(folder + QStringLiteral("/texto.db"));
    ASSERT_TRUE(notDatabase.open(QIODevice::WriteOnly));
    notDatabase.write(QByteArray(4096, 'x'));
    notDatabase.close();

    struct Case {
        const char *name;
        QStringList arguments;
        QString message;
    };
    const std::vector<Case> cases = {
        {"missing input", {folder + QStringLiteral("/nenhum.db"), folder + QStringLiteral("/a.mdb")}, "nenhum.db"},
        {"input that is no database", {notDatabase.fileName(), folder + QStringLiteral("/a.mdb")}, "texto.db"},
        {"output in a missing folder", {source.path(), folder + QStringLiteral("/falta/a.mdb")}, "falta/a.mdb"},
        {"output over the input", {source.path(), source.path()}, "é o próprio banco de dados lido"},
        {"no output named", {source.path()}, "Uso: jet_writer"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const JetWriterRun run = JetWriterRun::run(c.arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.errors.contains(c.message)) << run.errors.toStdString();
    }
    EXPECT_EQ(fileBytes(source.path()), sourceBytes);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("texto.db")});
    EXPECT_EQ(QDir(folder + QStringLiteral("/Dados")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Solvane.db")});
}

} // namespace
