#include "base/data/app_error.h"
#include "base/data/database.h"
#include "base/data/query.h"
#include "support/fixture_database.h"
#include "support/study_fixture.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString errorOf(const std::function<void()> &step) {
    try {
        step();
    } catch (const AppError &e) {
        return e.message();
    }
    return {};
}

class DataLayer : public ::testing::Test {
protected:
    FixtureDatabase fixture{studyFixtureSql()};
    Database db;
    void SetUp() override {
        db.setPath(fixture.path());
        db.setConnected(true);
    }
};

} // namespace

// Each file the study path may hold by mistake is named with the reason in
// Portuguese, before any statement runs on it.
TEST(Connection, AFileThatIsNoStudyIsNamedWithItsReason) {
    QTemporaryDir dir;
    const auto file = [&](const char *name, const QByteArray &bytes) {
        const QString path = dir.filePath(QString::fromUtf8(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    };
    FixtureDatabase foreign(QStringLiteral("create table Clientes (Nome text);"));
    const struct {
        QString path;
        QString reason;
    } cases[] = {
        {QStringLiteral("/nao/existe/Solvane.db"), QStringLiteral("arquivo não encontrado")},
        {dir.path(), QStringLiteral("é uma pasta, não um arquivo")},
        {file("vazio.db", {}), QStringLiteral("o arquivo não é um estudo (não tem a tabela de tópicos Nivel_Informacao)")},
        {file("texto.db", QByteArray(4096, 'x')), QStringLiteral("o arquivo não é um banco de dados")},
        {foreign.path(), QStringLiteral("o arquivo não é um estudo (não tem a tabela de tópicos Nivel_Informacao)")},
    };
    for (const auto &c : cases) {
        Database db;
        db.setPath(c.path);
        EXPECT_EQ(errorOf([&] { db.setConnected(true); }),
                  QStringLiteral("Não foi possível abrir o estudo \"%1\": %2").arg(c.path, c.reason));
        EXPECT_FALSE(db.isConnected());
    }
}

TEST_F(DataLayer, TheStudyIsOpenedReadOnly) {
    Query q(db);
    q.sql() << QStringLiteral("delete from Pais");
    const QString message = errorOf([&] { q.open(); });
    EXPECT_TRUE(message.contains(QStringLiteral("só para leitura"))) << message.toStdString();
}

TEST_F(DataLayer, EmptyResultIsAtBothEndsWithNoRecords) {
    Query q(db);
    q.sql() << QStringLiteral("select Descricao from Regiao where Regiao = 99");
    q.open();
    EXPECT_TRUE(q.isActive());
    EXPECT_TRUE(q.eof());
    EXPECT_TRUE(q.bof());
    EXPECT_EQ(q.recordCount(), 0);
    EXPECT_EQ(q.fieldByName(QStringLiteral("Descricao")).asString(), QString());
}

TEST_F(DataLayer, WalkingPastTheLastRowKeepsItCurrent) {
    Query q(db);
    q.sql() << QStringLiteral("select Regiao, Descricao from Regiao") << QStringLiteral("order by Regiao");
    q.open();
    EXPECT_EQ(q.recordCount(), 2);
    EXPECT_TRUE(q.bof());
    EXPECT_FALSE(q.eof());
    EXPECT_EQ(q.fieldByName(QStringLiteral("Descricao")).asString(), QStringLiteral("Norte"));
    q.next();
    EXPECT_FALSE(q.bof());
    EXPECT_FALSE(q.eof());
    q.next();
    EXPECT_TRUE(q.eof());
    EXPECT_EQ(q.fieldByName(QStringLiteral("Descricao")).asString(), QStringLiteral("Nordeste"));
    q.prior();
    EXPECT_FALSE(q.eof());
    EXPECT_EQ(q.fieldByName(QStringLiteral("Regiao")).asInteger(), 1);
    q.prior();
    EXPECT_TRUE(q.bof());
    EXPECT_EQ(q.fieldByName(QStringLiteral("Regiao")).asInteger(), 1);
    q.next();
    q.first();
    EXPECT_TRUE(q.bof());
    EXPECT_EQ(q.recNo(), 0);
}

TEST_F(DataLayer, FieldsReadAsTextIntegerFloatAndNullsAsEmptyOrZero) {
    Query q(db);
    q.sql() << QStringLiteral("select DMunicipio, Municipio, A01, A02 from \"010101\" where Municipio = 1500107");
    q.open();
    EXPECT_EQ(q.fieldByName(QStringLiteral("dmunicipio")).asString(), QStringLiteral("abaetetuba"));
    EXPECT_EQ(q.fieldByName(QStringLiteral("Municipio")).asInteger(), 1500107);
    EXPECT_DOUBLE_EQ(q.fieldByName(QStringLiteral("A02")).asFloat(), 20.0);
    EXPECT_TRUE(q.fieldByName(QStringLiteral("A01")).isNull());
    EXPECT_EQ(q.fieldByName(QStringLiteral("A01")).asString(), QString());
    EXPECT_DOUBLE_EQ(q.fieldByName(QStringLiteral("A01")).asFloat(), 0.0);
    EXPECT_EQ(q.fieldByName(QStringLiteral("A01")).asInteger(), 0);
    EXPECT_EQ(errorOf([&] { q.fieldByName(QStringLiteral("Nada")); }), QStringLiteral("Field 'Nada' not found"));
}

// The engine types each value, so a column may change type from row to
// row: every cell reads back in its own type, by cursor or by row number,
// and a cell outside the result reads as null.
TEST_F(DataLayer, CellsKeepTheirOwnTypeDownAColumn) {
    Query q(db);
    q.sql() << QStringLiteral("select 7 as V, 'Sul' as T") << QStringLiteral("union all select 2.5, 'Sul'")
            << QStringLiteral("union all select 'Norte', null") << QStringLiteral("union all select null, 'Sul'");
    q.open();
    const struct {
        QVariant value;
        QString text;
        qint64 integer;
        double number;
        QString t;
    } rows[] = {
        {QVariant(qint64{7}), QStringLiteral("7"), 7, 7.0, QStringLiteral("Sul")},
        {QVariant(2.5), QStringLiteral("2.5"), 3, 2.5, QStringLiteral("Sul")},
        {QVariant(QStringLiteral("Norte")), QStringLiteral("Norte"), 0, 0.0, QString()},
        {QVariant(), QString(), 0, 0.0, QStringLiteral("Sul")},
    };
    ASSERT_EQ(q.recordCount(), 4);
    for (int r = 0; r < 4; ++r, q.next()) {
        const Field v = q.fieldByName(QStringLiteral("V"));
        EXPECT_EQ(v.value(), rows[r].value) << r;
        EXPECT_EQ(v.value().typeId(), rows[r].value.typeId()) << r;
        EXPECT_EQ(v.isNull(), rows[r].value.isNull()) << r;
        EXPECT_EQ(v.asString(), rows[r].text) << r;
        EXPECT_EQ(v.asInteger(), rows[r].integer) << r;
        EXPECT_DOUBLE_EQ(v.asFloat(), rows[r].number) << r;
        EXPECT_EQ(q.asString(r, 1), rows[r].t) << r;
        EXPECT_EQ(q.value(r, 0), rows[r].value) << r;
    }
    EXPECT_TRUE(q.isNull(4, 0));
    EXPECT_FALSE(q.value(-1, 0).isValid());
    EXPECT_FALSE(q.value(0, 2).isValid());
}

TEST_F(DataLayer, ReplacingTheThirdLineRunsTheNewStatementAndKeepsTheOthers) {
    Query q(db);
    q.sql() << QStringLiteral("Select Observacao") << QStringLiteral("  From Observacao_Tab_Valor")
            << QStringLiteral("Where Nivel_Informacao = '01.01.01'");
    q.open();
    EXPECT_EQ(q.fieldByName(QStringLiteral("Observacao")).asLines(),
              (QStringList{QStringLiteral("Nota um"), QStringLiteral("Nota dois")}));
    q.close();
    EXPECT_EQ(q.sql().size(), 3); // lines stay after close
    q.close();                    // closing a closed query does nothing
    q.sql().replace(2, QStringLiteral("Where Nivel_Informacao = '01.02'"));
    q.open();
    EXPECT_EQ(q.fieldByName(QStringLiteral("Observacao")).asLines(), QStringList{QStringLiteral("Outra nota")});
    EXPECT_EQ(q.sql().at(0), QStringLiteral("Select Observacao"));
    EXPECT_EQ(q.sql().at(1), QStringLiteral("  From Observacao_Tab_Valor"));
    EXPECT_EQ(q.statement(), QStringLiteral("Select Observacao\n  From Observacao_Tab_Valor\n"
                                            "Where Nivel_Informacao = '01.02'"));
}

TEST_F(DataLayer, AFailingStatementSaysWhatItWasDoingOnWhichStudyAndWhy) {
    Query q(db);
    q.sql() << QStringLiteral("select Nada from Regiao");
    EXPECT_EQ(errorOf([&] { q.open(); }),
              QStringLiteral("Não foi possível ler os dados do estudo \"%1\": falta a coluna Nada").arg(fixture.path()));
    q.setActivity(QStringLiteral("ler o tópico 02.01.01"));
    q.sql() = QStringList{QStringLiteral("select * from Municipio_Antigo")};
    EXPECT_EQ(errorOf([&] { q.open(); }),
              QStringLiteral("Não foi possível ler o tópico 02.01.01 do estudo \"%1\": falta a tabela Municipio_Antigo")
                  .arg(fixture.path()));
    q.sql() = QStringList{QStringLiteral("select from")};
    EXPECT_TRUE(errorOf([&] { q.open(); }).endsWith(QStringLiteral("near \"from\": syntax error")));
    EXPECT_FALSE(q.isActive());
    EXPECT_TRUE(q.eof());
}

TEST_F(DataLayer, AfterOpenLetsTheOwnerSetDisplayWidths) {
    Query q(db);
    q.sql() << QStringLiteral("select Sigla, Descricao from Regiao");
    QObject::connect(&q, &Query::afterOpen, [&q] {
        q.fieldByName(QStringLiteral("Sigla")).setVisible(false);
        q.fieldByName(QStringLiteral("Descricao")).setDisplayWidth(40);
        q.fieldByName(QStringLiteral("Descricao")).setDisplayFormat(QStringLiteral("@"));
    });
    QSignalSpy spy(&q, &Query::afterOpen);
    q.open();
    EXPECT_EQ(spy.count(), 1);
    q.next();
    EXPECT_FALSE(q.fieldByName(QStringLiteral("Sigla")).isVisible());
    EXPECT_EQ(q.fieldByName(QStringLiteral("Descricao")).displayWidth(), 40);
    EXPECT_EQ(q.fieldByName(QStringLiteral("Descricao")).displayFormat(), QStringLiteral("@"));
}
