#include "base/data/database.h"
#include "base/data/program_folder.h"
#include "base/data/query.h"
#include "base/export/export_command.h"
#include "base/export/text_export.h"
#include "base/table/column_mark.h"
#include "base/table/result_table.h"
#include "base/table/table_run.h"
#include "core/export/value_column.h"
#include "core/map/map_drawing.h"
#include "core/map/map_legend.h"
#include "support/export_process.h"
#include "support/pipe_reader.h"
#include "support/qstring_printer.h"
#include "support/study_copy.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>

// solvane-export run as a user runs it, on the sample study beside it.
namespace {

const QString kProgramDir = QStringLiteral(SOLVANE_PROGRAM_DIR);

using ExportRun = ExportProcess;

ExportRun exportTable(const QStringList &arguments) {
    return ExportProcess::run(kProgramDir + QStringLiteral("/solvane-export"), arguments);
}

qint64 count(Database &db, const QString &condition) {
    Query q(db);
    q.sql() << QStringLiteral("select count(*) as n from \"020101\" where ") + condition;
    q.open();
    return q.fieldByName(QStringLiteral("n")).asInteger();
}

class ExportEndToEndTest : public ::testing::Test {
  protected:
    ExportEndToEndTest() {
        ProgramFolder::setPath(kProgramDir);
        m_db.setPath(ProgramFolder::studyFile());
        m_db.setConnected(true);
    }
    ~ExportEndToEndTest() override { ProgramFolder::setPath(QString()); }

    // Which exported columns hold absolute figures (sums), by running the
    // same topic in-process.
    std::vector<bool> absoluteColumns(const QStringList &arguments) {
        const ExportCommand::Options options = ExportCommand::parse(arguments);
        TableRun tableRun(m_db);
        tableRun.run(options.topic, options.selection);
        const ResultTable &table = tableRun.result().cdsDados();
        std::vector<bool> result;
        for (int field : TextExport::columns(table, tableRun.result().FAtributos()))
            result.push_back(table.field(field).kind() == FieldKind::Float &&
                             table.field(field).displayFormat() == QLatin1String("###,##0"));
        return result;
    }

    Database m_db;
};

TEST_F(ExportEndToEndTest, EveryRowIsThereAndTotalsAreTheSumsOfTheirRows) {
    const QString municipios20000 =
        QStringLiteral("Tipo_Registro = 1 and Municipio <> 999999 and Populacao_Cidade >= 20000");
    const QString demaisPais = QStringLiteral("Municipio = 999999 and Regiao = 0");
    const struct {
        QStringList grouping;
        QString detailRows;
        QString totalRows;
    } cases[] = {
        {{"--agrupar", "regiao"}, "Tipo_Registro = 5", "Tipo_Registro = 6"},
        {{"--agrupar", "uf"}, "Tipo_Registro = 4", "Tipo_Registro = 6"},
        {{"--agrupar", "microrregiao"}, "Tipo_Registro = 3", "Tipo_Registro = 4"},
        {{"--agrupar", "rm"}, "Tipo_Registro = 2", "Tipo_Registro = 43"},
        {{"--agrupar", "municipio"}, "(" + municipios20000 + ") or (" + demaisPais + ")", "Tipo_Registro = 6"},
        {{"--agrupar", "municipio", "--uf", "26"},
         "Unidade_Federativa = 26 and ((" + municipios20000 +
             ") or (Municipio = 999999 and Micro_Regiao = 0 and Unidade_Federativa > 0))",
         "Tipo_Registro = 4 and Unidade_Federativa = 26"},
    };
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    for (const auto &c : cases) {
        const QStringList arguments = QStringList{"--topico", "02.01.01", "--separador", "tab", "--utf8"} + c.grouping;
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const ExportRun run = exportTable(arguments);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        QStringList lines = QString::fromUtf8(run.out).split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.takeLast(), QString()); // the last line ends with CR LF too
        const std::vector<bool> absolute = absoluteColumns(arguments);
        ASSERT_EQ(static_cast<size_t>(lines.first().split('\t').size()), absolute.size());

        const qint64 details = count(m_db, c.detailRows);
        const qint64 totals = count(m_db, c.totalRows);
        EXPECT_GT(details, 0);
        EXPECT_EQ(lines.size() - 1, details + totals);

        // Each total row sums the detail rows since the previous total row.
        std::vector<double> sums(absolute.size(), 0.0);
        int totalRows = 0;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QStringList cells = lines[i].split('\t');
            ASSERT_EQ(static_cast<size_t>(cells.size()), absolute.size()) << lines[i].toStdString();
            const bool isTotal = cells.contains(QStringLiteral("TOTAL")) || cells.contains(QStringLiteral("TOT."));
            for (size_t col = 0; col < absolute.size(); ++col) {
                if (!absolute[col])
                    continue;
                bool ok = false;
                const double value = brazil.toDouble(cells[col], &ok);
                ASSERT_TRUE(ok) << cells[col].toStdString();
                if (isTotal)
                    EXPECT_NEAR(value, sums[col], 0.5) << "line " << i << " column " << col;
                else
                    sums[col] += value;
            }
            if (isTotal) {
                ++totalRows;
                std::fill(sums.begin(), sums.end(), 0.0);
            }
        }
        EXPECT_EQ(totalRows, totals);
    }
}

TEST_F(ExportEndToEndTest, WritesWindows1252FileAndRefusesBadInput) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Solvane_2000.Txt"));
    ExportRun run = exportTable({"--topico", "02.01.01", "--saida", path});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("Regi\xE3o;"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_TRUE(bytes.contains("\r\nTOTAL;"));

    run = exportTable({"--topico", "02.01.01", "--uf", "PE"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, QStringLiteral("solvane-export: valor não numérico para --uf: \"PE\"\n"));
    run = exportTable({"--topico", "01.01"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, QStringLiteral("solvane-export: o tópico \"01.01\" não é uma tabela\n"));
}

// The output path never destroys: the study (by name or through a link) and
// a folder are refused with status 2, a named pipe is written to and stays a
// pipe, and a full standard output is an error.
TEST_F(ExportEndToEndTest, TheOutputNeverReplacesTheStudyAPipeOrAFolder) {
    const QString study = kProgramDir + QStringLiteral("/Dados/Solvane.db");
    const qint64 studySize = QFileInfo(study).size();
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("estudo.db"));
    ASSERT_TRUE(QFile::link(study, link));
    for (const QString &path : {study, link, dir.path()}) {
        SCOPED_TRACE(path.toStdString());
        const ExportRun run = exportTable({"--topico", "02.01.01", "--saida", path});
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("solvane-export: Não foi possível gravar o arquivo \"%1\": ")
                                           .arg(path)))
            << run.err.toStdString();
    }
    EXPECT_EQ(QFileInfo(study).size(), studySize);
    EXPECT_TRUE(QFileInfo(link).isSymLink());

    const QString pipe = dir.filePath(QStringLiteral("tubo"));
    PipeReader reader(pipe);
    ASSERT_TRUE(reader.made());
    const ExportRun toPipe = exportTable({"--topico", "02.01.01", "--saida", pipe});
    const QByteArray piped = reader.finish();
    EXPECT_EQ(toPipe.status, 0) << toPipe.err.toStdString();
    EXPECT_TRUE(piped.startsWith("Regi\xE3o;"));
    EXPECT_FALSE(QFileInfo(pipe).isFile());

    QProcess full;
    full.setStandardOutputFile(QStringLiteral("/dev/full"));
    full.start(kProgramDir + QStringLiteral("/solvane-export"), {"--topico", "02.01.01"});
    ASSERT_TRUE(full.waitForFinished(60000));
    EXPECT_EQ(full.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(full.readAllStandardError()),
              QStringLiteral("solvane-export: Não foi possível gravar na saída padrão: não há espaço livre no disco\n"));
}

// The shell's own outputs named by --saida are written through, so a log
// the shell opened for appending keeps its earlier lines.
TEST_F(ExportEndToEndTest, TheShellsOutputsOpenedForAppendingKeepTheirEarlierLines) {
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("registro.txt"));
    const struct {
        const char *saida;
        bool onError; // the shell appends standard error, not output
    } cases[] = {{"/dev/stdout", false}, {"/proc/self/fd/1", false}, {"/dev/stderr", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.saida);
        QFile::remove(log);
        {
            QFile earlier(log);
            ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
            earlier.write("linha antiga\n");
        }
        QProcess process;
        if (c.onError)
            process.setStandardErrorFile(log, QIODevice::Append);
        else
            process.setStandardOutputFile(log, QIODevice::Append);
        process.start(kProgramDir + QStringLiteral("/solvane-export"),
                      {"--topico", "02.01.01", "--agrupar", "regiao", "--saida", QString::fromLatin1(c.saida)});
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0);
        QFile written(log);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        EXPECT_TRUE(bytes.startsWith("linha antiga\nRegi\xE3o;")) << bytes.left(40).toStdString();
        EXPECT_TRUE(bytes.endsWith("\r\n"));
    }
}

} // namespace

TEST_F(ExportEndToEndTest, ChartsAColumnInTheFormatOfItsExtensionAndRefusesWhatTheWindowRefuses) {
    QTemporaryDir dir;
    const QStringList pernambuco = {"--topico", "02.01.01", "--agrupar", "municipio", "--uf", "26", "--coluna", "a01"};
    const QString png = dir.filePath(QStringLiteral("grafico.png"));
    ExportRun run = exportTable(pernambuco + QStringList{"--grafico", png});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(QImage(png).size(), QSize(900, 600));

    const QString svg = dir.filePath(QStringLiteral("grafico.svg"));
    run = exportTable(pernambuco + QStringList{"--grafico", svg, "--tipo", "barras-horizontais", "--identificador",
                                                "descricao", "--largura", "1200", "--altura", "700"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("viewBox=\"0 0 1200 700\""));
    EXPECT_TRUE(text.contains(">Recife</text>")) << "labels stay text";
    EXPECT_FALSE(text.contains(">TOTAL</text>")) << "the total row is no point";

    const struct {
        QStringList arguments;
        const char *message;
    } refusals[] = {
        {{"--grafico", dir.filePath("g.doc")}, "formato de gráfico desconhecido"},
        {{"--grafico", dir.filePath("g.png"), "--tipo", "torta"}, "valor inválido para --tipo"},
        {{"--grafico", dir.filePath("g.png"), "--largura", "20"}, "tamanho inválido para --largura"},
        {{"--coluna", "A09", "--grafico", dir.filePath("g.png"), "--identificador", "percentual"},
         "não tem o identificador percentual"},
        {{"--coluna", "A09", "--grafico", dir.filePath("g.png"), "--tipo", "rosca"}, "não tem gráfico de pizza"},
    };
    for (const auto &refusal : refusals) {
        run = exportTable(pernambuco + refusal.arguments);
        EXPECT_EQ(run.status, 2) << refusal.message;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(refusal.message))) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("g.png")));
}

// Two outputs of one command on one file, by the same name or by a link to
// it, are refused before anything is written: the second would silently
// replace the first.
TEST_F(ExportEndToEndTest, TwoOutputsOnOneFileAreRefusedBeforeWriting) {
    QTemporaryDir dir;
    const QStringList states = {"--topico", "02.01.01", "--agrupar", "uf", "--coluna", "A01"};
    const QString earlier = dir.filePath(QStringLiteral("anterior.png"));
    const QString link = dir.filePath(QStringLiteral("atalho.png"));
    ASSERT_TRUE(QFile::link(earlier, link));
    // Both names are in the message when they differ.
    const QStringList cases[] = {
        {"--mapa", dir.filePath("x.png"), "--saida", dir.filePath("x.png")},
        {"--mapa", dir.filePath("z.png"), "--grafico", dir.filePath("z.png")},
        {"--mapa", dir.filePath("y.xlsx"), "--planilha", dir.filePath("y.xlsx")},
        {"--grafico", earlier, "--mapa", dir.path() + "/./anterior.png"},
        {"--grafico", link, "--mapa", earlier},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.join(' ').toStdString());
        QFile::remove(earlier);
        {
            QFile file(earlier);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("anterior");
        }
        const ExportRun run = exportTable(states + c);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("solvane-export: %1 e %2 gravariam o mesmo arquivo: ")
                                           .arg(c[0], c[2])) ||
                    run.err.startsWith(QStringLiteral("solvane-export: %1 e %2 gravariam o mesmo arquivo: ")
                                           .arg(c[2], c[0])))
            << run.err.toStdString();
        EXPECT_TRUE(run.err.contains('"' + c[1] + '"') && run.err.contains('"' + c[3] + '"')) << run.err.toStdString();
        EXPECT_EQ(QFileInfo(earlier).size(), 8) << "a file was written before the refusal";
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name),
                  (QStringList{"anterior.png", "atalho.png"}));
    }
}

// A command refused for its input writes nothing: every output's column,
// chart choice and map are checked before the first file is written.
TEST_F(ExportEndToEndTest, ACommandRefusedForItsInputHasWrittenNothing) {
    QTemporaryDir dir;
    const QString map = dir.filePath(QStringLiteral("m.png"));
    const QString chart = dir.filePath(QStringLiteral("g.png"));
    const struct {
        QStringList arguments;
        const char *message;
    } cases[] = {
        {{"--topico", "01.01.01", "--agrupar", "uf", "--coluna", "A07", "--mapa", map, "--grafico", chart, "--tipo",
          "pizza"},
         "não tem gráfico de pizza"},
        {{"--topico", "01.01.01", "--agrupar", "uf", "--coluna", "A07", "--mapa", map, "--grafico", chart,
          "--identificador", "percentual"},
         "não tem o identificador percentual"},
        {{"--topico", "01.01.01", "--agrupar", "rm", "--coluna", "A07", "--grafico", chart, "--mapa", map},
         "mapa"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        for (const QString &path : {map, chart}) {
            QFile::remove(path);
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("anterior");
        }
        const ExportRun run = exportTable(c.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
        EXPECT_EQ(QFileInfo(map).size(), 8) << "the map was written";
        EXPECT_EQ(QFileInfo(chart).size(), 8) << "the chart was written";
    }
}

// An output path the writer refuses, or cannot reach, stops the command
// before any of its other outputs is written.
TEST_F(ExportEndToEndTest, AnOutputPathThatCannotBeWrittenStopsTheCommandBeforeAnyWrite) {
    QTemporaryDir dir;
    const QString map = dir.filePath(QStringLiteral("m.png"));
    const QString study = kProgramDir + QStringLiteral("/Dados/Solvane.db");
    const QStringList states = {"--topico", "02.01.01", "--agrupar", "uf", "--coluna", "A01", "--mapa", map};
    const struct {
        QStringList outputs;
        int status;
        QString path; // named in the message
    } cases[] = {
        {{"--saida", study}, 2, study},
        {{"--planilha", dir.filePath("pasta.xlsx")}, 2, dir.filePath("pasta.xlsx")},
        {{"--grafico", dir.filePath("falta/g.png")}, 1, dir.filePath("falta/g.png")},
    };
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("pasta.xlsx")));
    const qint64 studySize = QFileInfo(study).size();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.outputs.join(' ').toStdString());
        QFile::remove(map);
        {
            QFile file(map);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("anterior");
        }
        const ExportRun run = exportTable(states + c.outputs);
        EXPECT_EQ(run.status, c.status);
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("solvane-export: Não foi possível gravar o arquivo \"%1\": ")
                                           .arg(c.path)))
            << run.err.toStdString();
        EXPECT_EQ(QFileInfo(map).size(), 8) << "the map was written";
    }
    EXPECT_EQ(QFileInfo(study).size(), studySize);
}

// Every output option given a named pipe nobody reads fails at once with
// status 1, naming the pipe, instead of waiting for a reader.
TEST_F(ExportEndToEndTest, AnOutputPipeWithoutAReaderIsAFailureNotAWait) {
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("tubo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QStringList states = {"--topico", "02.01.01", "--agrupar", "uf", "--coluna", "A01"};
    // A pipe's name says nothing of the format: the options that need one
    // take it from a link named for it.
    const QString png = dir.filePath(QStringLiteral("tubo.png"));
    const QString xlsx = dir.filePath(QStringLiteral("tubo.xlsx"));
    ASSERT_TRUE(QFile::link(pipe, png));
    ASSERT_TRUE(QFile::link(pipe, xlsx));
    const QStringList outputs[] = {
        {"--saida", pipe}, {"--mapa", png}, {"--grafico", png}, {"--planilha", xlsx}, {"--mapa", xlsx}};
    for (const QStringList &output : outputs) {
        SCOPED_TRACE(output.join(' ').toStdString());
        QProcess process;
        process.start(kProgramDir + QStringLiteral("/solvane-export"), states + output);
        const bool finished = process.waitForFinished(20000);
        if (!finished) {
            process.kill();
            process.waitForFinished();
        }
        ASSERT_TRUE(finished) << "the command waited for a reader";
        EXPECT_EQ(process.exitCode(), 1);
        EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()),
                  QStringLiteral("solvane-export: Não foi possível gravar o arquivo \"%1\": é um tubo (FIFO) que "
                                 "nenhum programa está lendo\n")
                      .arg(output[1]));
    }
}

// A map bitmap, area list or saved legend that is a named pipe is refused by
// its kind, never opened: the drawing does not wait for a writer. A legend
// that cannot be used gives way to computed ranges, as in the window. A
// damaged bitmap or area list is named, status 1, and no map is written.
TEST_F(ExportEndToEndTest, AMapInputThatIsAPipeOrDamagedIsNamedWithoutWaiting) {
    const QStringList states = {"--topico", "02.01.01", "--agrupar", "uf", "--coluna", "A01"};
    const ExportCommand::Options options = ExportCommand::parse(states);
    TableRun tableRun(m_db);
    tableRun.run(options.topic, options.selection);
    const QString legendColumn = ValueColumn::mark(tableRun.result(), options.coluna).FCampoPercentual;
    const QString pipeKind = QStringLiteral("é um tubo (FIFO), não um arquivo comum");
    const QByteArray pipe = "<tubo>";
    QFile builtBitmap(kProgramDir + QStringLiteral("/Mapas/Pais/BRUF.Bmp"));
    ASSERT_TRUE(builtBitmap.open(QIODevice::ReadOnly));
    const QByteArray bitmap = builtBitmap.readAll();
    const struct {
        QString input; // relative to the study's folder
        QByteArray contents;
        int status;
        QString message; // %1: the input's path
    } cases[] = {
        {"Mapas/Pais/BRUF.Bmp", pipe, 1, "solvane-export: Não foi possível ler o mapa %1: " + pipeKind + "\n"},
        {"Mapas/Pais/BRUF.Txt", pipe, 1,
         "solvane-export: Não foi possível ler a lista de áreas do mapa %1: " + pipeKind + "\n"},
        {QStringLiteral("Mapas/Legendas/Lg%1_%2.Ini")
             .arg(QString(legendColumn).remove('.'))
             .arg(options.selection.agrupar),
         pipe, 0,
         "solvane-export: A legenda salva não pôde ser usada e as faixas foram calculadas.\n"
         "Não foi possível ler a legenda %1: " +
             pipeKind + "\n"},
        {"Mapas/Pais/BRUF.Bmp", bitmap.left(bitmap.size() - 460 * 3), 1,
         "solvane-export: Não foi possível ler o mapa %1: o arquivo está cortado (tem " +
             QString::number(bitmap.size() - 460 * 3) + " bytes e o cabeçalho do bitmap pede " +
             QString::number(bitmap.size()) + ")\n"},
        {"Mapas/Pais/BRUF.Txt", "", 1,
         "solvane-export: A lista de áreas do mapa %1 está vazia: não nomeia nenhuma área.\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.input.toStdString());
        StudyCopy study;
        ASSERT_TRUE(study.made());
        // The copy's own map folder, its files links to the built ones, so
        // that one of them can be a pipe or a damaged copy.
        const QDir copy(study.folder());
        const QDir built(kProgramDir + QStringLiteral("/Mapas/Pais"));
        ASSERT_TRUE(QFile::remove(copy.filePath("Mapas/Pais")));
        ASSERT_TRUE(copy.mkpath("Mapas/Pais"));
        for (const QString &name : built.entryList(QDir::Files))
            ASSERT_TRUE(QFile::link(built.filePath(name), copy.filePath("Mapas/Pais/" + name)));
        const QString input = copy.filePath(c.input);
        QFile::remove(input);
        if (c.contents == pipe) {
            ASSERT_EQ(::mkfifo(QFile::encodeName(input).constData(), 0600), 0);
        } else {
            QFile damaged(input);
            ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
            damaged.write(c.contents);
        }

        const QString map = copy.filePath("m.png");
        const StudyCopy::Run run = study.exportWith(states + QStringList{"--mapa", map});
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err, c.message.arg(input));
        EXPECT_EQ(QFileInfo(map).isFile(), c.status == 0);
        if (c.contents == pipe) {
            struct stat info {};
            EXPECT_EQ(::stat(QFile::encodeName(input).constData(), &info), 0);
            EXPECT_TRUE(S_ISFIFO(info.st_mode));
        }
    }
}

// solvane-export copied without a working drawing program beside it still
// writes tables; a chart it cannot hand over, or whose drawing program ends
// without a status of its own, is a failure with the drawing program's name
// and the reason in Portuguese, and no file. A drawing program stopped from
// outside stops the command the same way.
TEST(ExportHandOverTest, WithoutAWorkingDrawingProgramATableIsWrittenAndAChartIsAFailure) {
    const QString notStarted =
        QStringLiteral("solvane-export: não foi possível iniciar o programa de desenho \"%1\": ");
    const QString shortOfMemory = QStringLiteral("; a causa mais comum é a falta de memória\n");
    const struct {
        const char *drawingProgram; // nullptr: none
        int status;
        QString err; // %1: the drawing program
    } cases[] = {
        {nullptr, 1, notStarted + "arquivo não encontrado\n"},
        // Damaged, or made for another system.
        {"\x7f"
         "ELF\x02\x01\x01 cortado",
         1,
         notStarted + "o arquivo não é um programa que este computador execute (está danificado ou é de outro "
                      "sistema)\n"},
        // Ended by its libraries (out of memory inside Qt, say).
        {"#!/bin/sh\nkill -SEGV $$\n", 1,
         "solvane-export: o programa de desenho \"%1\" parou de repente (sinal 11) sem concluir o desenho" +
             shortOfMemory},
        // Its libraries could not be loaded.
        {"#!/bin/sh\nexit 127\n", 1,
         "solvane-export: não foi possível carregar o programa de desenho \"%1\" com as suas bibliotecas" +
             shortOfMemory},
        {"#!/bin/sh\necho 'solvane-export: recusado' >&2\nexit 2\n", 2, "solvane-export: recusado\n"},
        {"#!/bin/sh\nkill -TERM $$\n", 128 + SIGTERM, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.drawingProgram ? c.drawingProgram : "none");
        QTemporaryDir folder;
        ASSERT_TRUE(QFile::copy(kProgramDir + QStringLiteral("/solvane-export"), folder.filePath("solvane-export")));
        ASSERT_TRUE(QFile::link(kProgramDir + QStringLiteral("/Dados"), folder.filePath("Dados")));
        const QString drawing = folder.filePath("solvane-export-desenho");
        if (c.drawingProgram) {
            QFile program(drawing);
            ASSERT_TRUE(program.open(QIODevice::WriteOnly));
            program.write(c.drawingProgram);
            program.close();
            ASSERT_TRUE(program.setPermissions(program.permissions() | QFileDevice::ExeOwner));
        }
        const ExportRun table =
            ExportProcess::run(folder.filePath("solvane-export"), {"--topico", "02.01.01", "--agrupar", "uf"});
        EXPECT_EQ(table.status, 0) << table.err.toStdString();
        EXPECT_TRUE(table.out.startsWith("Regi\xE3o;U.F.;"));

        const QString png = folder.filePath("grafico.png");
        const ExportRun chart =
            ExportProcess::run(folder.filePath("solvane-export"),
                               {"--topico", "02.01.01", "--agrupar", "uf", "--coluna", "A01", "--grafico", png});
        EXPECT_EQ(chart.status, c.status);
        EXPECT_EQ(chart.err, c.err.contains(QLatin1String("%1")) ? c.err.arg(drawing) : c.err);
        EXPECT_TRUE(chart.out.isEmpty());
        EXPECT_FALSE(QFile::exists(png));
    }
}

// The map's classes as text, by each method: the very classes and area
// counts the map page draws for the column (the saved legend or the
// doubling classes by default), with the table's separator and encoding;
// "-" writes them alone on the standard output.
TEST_F(ExportEndToEndTest, TheMapsClassesAsTextByEachMethod) {
    const QStringList pernambuco{"--topico", "01.01.01", "--agrupar", "municipio", "--uf", "26", "--coluna", "A07"};
    const ExportCommand::Options options = ExportCommand::parse(pernambuco);
    TableRun tableRun(m_db);
    tableRun.run(options.topic, options.selection);
    const CurrentResult &result = tableRun.result();
    const ColumnMark column = ValueColumn::mark(result, QStringLiteral("A07"));
    const struct {
        const char *method; // empty: none given
        QChar separator;
    } cases[] = {{"", u';'}, {"dobro", u';'}, {"intervalos", u'\t'}, {"quantis", u','}, {"quebras", u';'}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.method);
        QStringList arguments = pernambuco + QStringList{"--legenda", "-", "--separador",
                                                         c.separator == u'\t' ? QStringLiteral("tab") : c.separator};
        if (*c.method)
            arguments << "--classes" << QString::fromLatin1(c.method);
        const ExportRun run = exportTable(arguments);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();

        MapLegend legend;
        const int method = int(kClassMethodNames.indexOf(QLatin1String(c.method)));
        if (method > 0)
            MapDrawing::computeClasses(m_db, result, column, ClassMethod(method), legend);
        const MapResult map = MapDrawing::MostraMapa(m_db, result, column, legend, method <= 0);
        EXPECT_EQ(run.out, TextExport::bytes(legend.classLines(map.classCounts), c.separator));
        const QStringList lines = QString::fromLatin1(run.out).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        EXPECT_EQ(lines.first(), QString(QStringLiteral("Faixa;Cor;De;Até;Áreas")).replace(u';', c.separator));
        int areas = 0;
        for (qsizetype i = 1; i < lines.size(); ++i)
            areas += lines[i].section(c.separator, -1).toInt();
        EXPECT_EQ(areas, map.colorLines.size()) << "every area counted once, in its class";
    }

    for (const QStringList &refused :
         {QStringList{"--topico", "01.01.01", "--classes", "quantis"},
          QStringList{"--topico", "01.01.01", "--legenda", "-"},
          pernambuco + QStringList{"--legenda", "-", "--classes", "jenks"}}) {
        const ExportRun run = exportTable(refused);
        EXPECT_EQ(run.status, 2) << refused.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}
