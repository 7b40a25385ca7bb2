#include "base/data/program_folder.h"
#include "base/export/export_command.h"
#include "core/export/export_drawing.h"
#include "table_fixture.h"

#include <QBuffer>
#include <new>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int status;
    QByteArray out;
    QString err;
};

class ExportCommandTest : public ::testing::Test {
  protected:
    ExportCommandTest() : m_fixture(tableFixtureSql()) { ProgramFolder::setPath(m_fixture.folder()); }
    ~ExportCommandTest() override { ProgramFolder::setPath(QString()); }

    Outcome execute(const QStringList &arguments) {
        QBuffer out, err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        const int status = ExportCommand::execute(arguments, out, err, &ExportDrawing::write);
        return {status, out.data(), QString::fromUtf8(err.data())};
    }

    FixtureDatabase m_fixture;
};

TEST_F(ExportCommandTest, WritesTheTableOfTheTopic) {
    const Outcome o = execute({"--topico", "01.01.02", "--agrupar", "uf", "--regiao=2", "--separador", "tab"});
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(o.out, QByteArray("U.F.\tTotal geral\tPercentual\tAmostra\r\nAL\t710\t25\t0\r\n"
                                "PE\t1854,5\t30\t1410\r\nTOT.\t2564,5\t28\t1715\r\n"));
    EXPECT_TRUE(o.err.isEmpty());
}

TEST_F(ExportCommandTest, OptionsBecomeTheSelection) {
    const ExportCommand::Options o = ExportCommand::parse(
        {"--topico",       "01.01.01", "--agrupar", "municipio", "--uf",         "26",
         "--microrregiao", "26001",    "--rm",      "1",         "--municipio",  "0",
         "--pop-min",      "20000",    "--pop-max", "90000",     "--municipios", "2611606, 2607901",
         "--separador",    ",",        "--saida",   "x.txt",     "--utf8"});
    EXPECT_EQ(o.topic, QStringLiteral("01.01.01"));
    EXPECT_EQ(o.selection.agrupar, 4);
    EXPECT_EQ(o.selection.unidadeFederativa, 26);
    EXPECT_EQ(o.selection.microRegiao, 26001);
    EXPECT_EQ(o.selection.regiaoMetropolitana, 1);
    EXPECT_EQ(o.selection.faixaInicial, 20000);
    EXPECT_EQ(o.selection.faixaFinal, 90000);
    EXPECT_EQ(o.selection.municipiosSelecionados, (QStringList{"/2611606", "/2607901"}));
    EXPECT_EQ(o.separator, QLatin1Char(','));
    EXPECT_EQ(o.output, QStringLiteral("x.txt"));
    EXPECT_TRUE(o.utf8);
}

TEST_F(ExportCommandTest, BadInputExitsWithTwoAndOneLine) {
    const struct {
        QStringList arguments;
        const char *message;
    } cases[] = {
        {{"--topico", "01.01.02", "--cor", "azul"}, "opção desconhecida: \"--cor\""},
        {{"--agrupar", "regiao"}, "falta a opção --topico"},
        {{"--topico", "01.01.02", "--uf", "PE"}, "valor não numérico para --uf: \"PE\""},
        {{"--topico", "01.01.02", "--pop-min", "-5"}, "valor não numérico para --pop-min: \"-5\""},
        {{"--topico", "01.01.02", "--municipios", "2611606,x"}, "valor não numérico para --municipios: \"x\""},
        {{"--topico", "01.01.02", "--agrupar", "pais"}, "agrupamento inválido: \"pais\""},
        {{"--topico", "01.01.02", "--separador", "|"}, "separador inválido: \"|\""},
        {{"--topico", "01.01.02", "--regiao"}, "falta o valor de --regiao"},
        {{"--topico", "09.09.09"}, "tópico inexistente: \"09.09.09\""},
        {{"--topico", "01.01.01' or '1"}, "tópico inexistente"},
        {{"--topico", "01.01"}, "o tópico \"01.01\" não é uma tabela"},
        // A value is never taken from the next option, an empty list is no
        // filter, a code must name a territory of the study.
        {{"--topico", "01.01.02", "--saida", "--utf8"}, "falta o valor de --saida"},
        {{"--topico", "--uf", "26"}, "falta o valor de --topico"},
        {{"--topico", "01.01.02", "--municipios", ","}, "lista de municípios vazia em --municipios: \",\""},
        {{"--topico", "01.01.02", "--municipios", ""}, "lista de municípios vazia em --municipios: \"\""},
        {{"--topico", "01.01.02", "--uf", "99"}, "código inexistente para --uf: 99"},
        {{"--topico", "01.01.02", "--regiao", "7"}, "código inexistente para --regiao: 7"},
        {{"--topico", "01.01.02", "--municipios", "2611606,1234567"}, "código inexistente para --municipios: 1234567"},
        // A workbook is written only under a name ending in ".xlsx".
        {{"--topico", "01.01.02", "--planilha", "p.xls"}, "o nome da planilha deve terminar em .xlsx: \"p.xls\""},
        {{"--topico", "01.01.02", "--coluna", "B4", "--grafico", "g.xlsx.txt"},
         "o nome da planilha deve terminar em .xlsx: \"g.xlsx.txt\""},
        // An over-long value is cut in the message.
        {{"--topico", "01.01.02", "--agrupar", QString(5000, QLatin1Char('x'))},
         "agrupamento inválido: \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\" (use"},
        {{"--topico", "01.01.02", "--coluna", "B4", "--grafico", "g.svg", "--tipo", QString(5000, QLatin1Char('x'))},
         "valor inválido para --tipo: \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\" (use"},
        {{"--topico", "01.01.02", "--coluna", "B4", "--mapa", QString(5000, QLatin1Char('x'))},
         "formato de imagem desconhecido: \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\" (use"},
        {{"--topico", "01.01.02", "--coluna", QString(5000, QLatin1Char('x')), "--mapa", "m.png"},
         "o tópico \"01.01.02\" não tem a coluna de valores "
         "\"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        const Outcome o = execute(c.arguments);
        EXPECT_EQ(o.status, 2);
        EXPECT_TRUE(o.err.startsWith(QStringLiteral("solvane-export: ") + QString::fromUtf8(c.message)))
            << o.err.toStdString();
        EXPECT_EQ(o.err.count(QLatin1Char('\n')), 1);
        EXPECT_TRUE(o.out.isEmpty());
    }
}

TEST_F(ExportCommandTest, OutputFileIsReplacedOnlyWhenComplete) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tabela.txt"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("anterior");
    }
    // A failing run leaves the previous file as it was.
    EXPECT_EQ(execute({"--topico", "02.01.01", "--saida", path}).status, 1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("anterior"));
    file.close();

    EXPECT_EQ(execute({"--topico", "03", "--saida", path, "--utf8"}).status, 0);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith(QByteArray("Região;U.F.;Microrregião;R. Metropolitana;Cod.Mun.;Município;"
                                                     "População Total\r\nNordeste;PE;Recife;RM de Recife;"
                                                     "2611606;Recife;1400000\r\n")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"tabela.txt"});

    EXPECT_EQ(execute({"--topico", "03", "--saida", dir.filePath(QStringLiteral("falta/t.txt"))}).status, 1);
}

// A standard output that takes nothing, or a run out of memory, ends with
// status 1 and a message: never a success with nothing written.
TEST_F(ExportCommandTest, AFailingOutputOrMemoryIsAnErrorNotASuccess) {
    struct Refusing : QIODevice {
        bool throwsOutOfMemory = false;
        qint64 readData(char *, qint64) override { return -1; }
        qint64 writeData(const char *, qint64) override {
            if (throwsOutOfMemory)
                throw std::bad_alloc();
            setErrorString(QStringLiteral("dispositivo cheio"));
            return -1;
        }
    };
    for (const bool outOfMemory : {false, true}) {
        Refusing out;
        out.throwsOutOfMemory = outOfMemory;
        out.open(QIODevice::WriteOnly);
        QBuffer err;
        err.open(QIODevice::WriteOnly);
        EXPECT_EQ(ExportCommand::execute({"--topico", "01.01.02"}, out, err, &ExportDrawing::write), 1);
        EXPECT_EQ(QString::fromUtf8(err.data()), outOfMemory
                                                     ? QStringLiteral("solvane-export: memória insuficiente\n")
                                                     : QStringLiteral("solvane-export: Não foi possível gravar na "
                                                                      "saída padrão: dispositivo cheio\n"));
    }
}

TEST_F(ExportCommandTest, MissingStudyIsADatabaseError) {
    ProgramFolder::setPath(QDir::tempPath() + QStringLiteral("/sem-estudo"));
    const Outcome o = execute({"--topico", "01.01.02"});
    EXPECT_EQ(o.status, 1);
    EXPECT_FALSE(o.err.isEmpty());
}

TEST_F(ExportCommandTest, HelpNeedsNoTopic) {
    const Outcome o = execute({"--help"});
    EXPECT_EQ(o.status, 0);
    EXPECT_TRUE(o.out.startsWith("Uso: solvane-export --topico"));
}

// Only a map or a chart needs the graphical application, a workbook of the
// table Qt's pictures alone; arguments that do not parse need neither.
TEST(ExportCommandDrawing, PicturesWorkbooksOrNothing) {
    using ExportCommand::Drawing;
    const struct {
        QStringList arguments;
        Drawing drawing;
    } cases[] = {
        {{"--topico", "01.01.01"}, Drawing::kNothing},
        {{"--topico", "01.01.01", "--saida", "t.txt"}, Drawing::kNothing},
        {{"--topico", "01.01.01", "--coluna", "A07", "--mapa", "m.png"}, Drawing::kPictures},
        {{"--topico", "01.01.01", "--coluna", "A07", "--mapa", "m.xlsx"}, Drawing::kPictures},
        {{"--topico", "01.01.01", "--coluna", "A07", "--grafico", "g.svg"}, Drawing::kPictures},
        {{"--topico", "01.01.01", "--planilha", "p.xlsx"}, Drawing::kWorkbook},
        {{"--topico", "01.01.01", "--planilha", "p.xlsx", "--saida", "t.txt"}, Drawing::kWorkbook},
        {{"--topico", "01.01.01", "--coluna", "A07", "--planilha", "p.xlsx", "--grafico", "g.png"}, Drawing::kPictures},
        {{"--topico", "01.01.01", "--mapa"}, Drawing::kNothing}, // no file: refused
        {{"--help"}, Drawing::kNothing},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ExportCommand::drawing(c.arguments), c.drawing) << c.arguments.join(QLatin1Char(' ')).toStdString();
}

} // namespace

// A run that shows no territory column, the first of the process, labels
// its chart by the region, as the window does after a topic's opening run,
// instead of failing on a label field it never had.
TEST_F(ExportCommandTest, AChartOfOneRegionIsLabelledByTheRegion) {
    QTemporaryDir dir;
    const QString svg = dir.filePath(QStringLiteral("g.svg"));
    const Outcome o = execute({"--topico", "01.01.02", "--regiao", "2", "--coluna", "B4", "--grafico", svg});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains(">Nordeste<"));
}
