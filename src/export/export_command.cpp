#include "export/export_command.h"

#include "chart/engine/chart_file.h"
#include "data/database.h"
#include "data/program_folder.h"
#include "data/query.h"
#include "data/safe_file.h"
#include "data/study_titles.h"
#include "data/system_error.h"
#include "data/text_utils.h"
#include "export/bad_input.h"
#include "export/chart_command.h"
#include "export/export_grid.h"
#include "export/export_report.h"
#include "export/map_command.h"
#include "export/text_export.h"
#include "export/varnik_export.h"
#include "map/map_drawing.h"
#include "map/map_file.h"
#include "table/table_run.h"
#include "table/topic_code.h"

#include <QFileDevice>
#include <QIODevice>
#include <QImage>
#include <QRegularExpression>

#include <cerrno>
#include <new>
#include <vector>

namespace ExportCommand {
namespace {

// The topic must be a code of the topic tree, and a table.
void checkTopic(Database &db, const QString &topic) {
    static const QRegularExpression form(QStringLiteral("^\\d\\d(\\.\\d\\d){0,2}$"));
    if (!form.match(topic).hasMatch())
        throw BadInput(QStringLiteral("tópico inexistente: \"%1\"").arg(TextUtils::shortened(topic)));
    Query query(db);
    query.sql() << QStringLiteral("select Nivel_Informacao from Nivel_Informacao")
                << QStringLiteral(" where Nivel_Informacao = '%1'").arg(topic);
    query.open();
    if (query.eof())
        throw BadInput(QStringLiteral("tópico inexistente: \"%1\"").arg(topic));
    if (!TopicCode::isTable(topic))
        throw BadInput(QStringLiteral("o tópico \"%1\" não é uma tabela").arg(topic));
}

// The shown text of a territory list: the name of the chosen key, or its
// "all" entry.
QString shownText(Database &db, const QString &table, int key, const QString &all) {
    if (key == 0)
        return all;
    Query query(db);
    query.sql() << QStringLiteral("select Descricao from %1").arg(table)
                << QStringLiteral(" where %1 = %2").arg(table).arg(key);
    query.open();
    return query.eof() ? all : query.fieldByName(QStringLiteral("Descricao")).asString();
}

QString topicTitle(Database &db, const QString &topic) {
    Query query(db);
    query.sql() << QStringLiteral("select Descricao from Nivel_Informacao")
                << QStringLiteral(" where Nivel_Informacao = '%1'").arg(topic);
    query.open();
    return query.eof() ? QString() : query.fieldByName(QStringLiteral("Descricao")).asString();
}

// The workbook the export dialog writes on the page for this run: the table
// on the data page, the picture on the map and chart pages.
void writeWorkbook(Database &db, TableRun &run, const Options &options, ExportReport::Page page,
                   const QString &path, const QImage &picture = QImage()) {
    const SelectionState &s = options.selection;
    const QString todas = QStringLiteral("<Todas>");
    const ExportReport::FilterTexts filters = {
        shownText(db, QStringLiteral("Municipio"), s.municipio, QStringLiteral("<Todos>")),
        shownText(db, QStringLiteral("Regiao_Metropolitana"), s.regiaoMetropolitana, todas),
        shownText(db, QStringLiteral("Micro_Regiao"), s.microRegiao, todas),
        shownText(db, QStringLiteral("Unidade_Federativa"), s.unidadeFederativa, todas),
        shownText(db, QStringLiteral("Regiao"), s.regiao, todas)};
    const QString FFiltro = ExportReport::FFiltro(filters);
    const QString agrupar = Grouping::texts().value(s.agrupar);
    const QStringList rodape = ExportReport::MontaRodape(page, agrupar, FFiltro, run.result().notes());
    TVarnikExport exporter;
    exporter.Hint = path;
    ExportGrid grid;
    if (page == ExportReport::kDataPage) {
        grid = ExportGrid::fromResultTable(run.cdsDados());
        const ExportReport::Header header = {
            QImage(ProgramFolder::file(QStringLiteral("Imagens/") + StudyTitles::kLogo)), StudyTitles::kTitulo1,
            StudyTitles::kTitulo2};
        ExportReport::prepareDataPage(exporter, grid, header, topicTitle(db, options.topic), agrupar, FFiltro, rodape);
    } else {
        ExportReport::preparePicturePage(exporter, picture, rodape);
    }
    exporter.Exporta();
    if (exporter.workbook()->savedPath() != path)
        throw BadInput(QStringLiteral("a planilha só é gravada com a extensão .xlsx ou .xls: \"%1\"")
                           .arg(TextUtils::shortened(path)));
}

// Every territory code given must exist in the study: a filter on a code
// that names nothing would give an empty table that looks like a result.
void checkTerritories(Database &db, const SelectionState &s) {
    struct Code {
        const char *option, *table;
        int value;
    };
    std::vector<Code> codes = {{"--regiao", "Regiao", s.regiao},
                               {"--uf", "Unidade_Federativa", s.unidadeFederativa},
                               {"--microrregiao", "Micro_Regiao", s.microRegiao},
                               {"--rm", "Regiao_Metropolitana", s.regiaoMetropolitana},
                               {"--municipio", "Municipio", s.municipio}};
    for (const QString &entry : s.municipiosSelecionados)
        codes.push_back({"--municipios", "Municipio", entry.mid(entry.lastIndexOf(QLatin1Char('/')) + 1).toInt()});
    for (const Code &code : codes) {
        if (code.value == 0)
            continue;
        Query query(db);
        query.setActivity(QStringLiteral("conferir o código %1 de %2").arg(code.value).arg(QLatin1String(code.option)));
        query.sql() << QStringLiteral("select 1 from %1 where %1 = %2").arg(QLatin1String(code.table)).arg(code.value);
        query.open();
        if (query.eof())
            throw BadInput(QStringLiteral("código inexistente para %1: %2").arg(QLatin1String(code.option)).arg(code.value));
    }
}

const QString kProgram = QStringLiteral("solvane-export: ");

void writeLine(QIODevice &device, const QString &text) { device.write((text + QLatin1Char('\n')).toUtf8()); }

// Standard output closed by its reader before the end (a pipe into "head").
struct ReaderGone {};

// The table on standard output: the write and the final flush are checked,
// so a full disk or a closed output is a failure, never a silent success.
void writeOut(QIODevice &out, const QByteArray &bytes) {
    errno = 0;
    bool written = out.write(bytes) == bytes.size();
    if (auto *file = qobject_cast<QFileDevice *>(&out); written && file)
        written = file->flush();
    if (written)
        return;
    const int error = errno;
    if (error == EPIPE)
        throw ReaderGone{};
    throw AppError(QStringLiteral("Não foi possível gravar na saída padrão: %1")
                       .arg(error ? SystemError::text(error) : out.errorString()));
}

} // namespace

void run(const Options &options, QIODevice &out, QIODevice &err) {
    Database db;
    db.setPath(ProgramFolder::studyFile());
    db.setConnected(true);
    checkTopic(db, options.topic);
    checkTerritories(db, options.selection);

    TableRun tableRun(db);
    tableRun.run(options.topic, options.selection);
    bool wroteFile = false;
    if (!options.mapa.isEmpty()) {
        const auto warn = [&err](const QString &text) { writeLine(err, kProgram + text); };
        const QImage map = MapCommand::picture(db, tableRun.result(), options.coluna, warn);
        if (isWorkbook(options.mapa))
            writeWorkbook(db, tableRun, options, ExportReport::kMapPage, options.mapa, map);
        else
            SafeFile::write(options.mapa, MapFile::encode(map, *MapFile::formatOf(options.mapa)));
        wroteFile = true;
    }
    if (!options.grafico.isEmpty()) {
        const ChartRenderer chart = ChartCommand::compose(db, tableRun, options);
        // The table is written whole, total rows included.
        tableRun.cdsDados().setFiltered(false);
        if (isWorkbook(options.grafico))
            writeWorkbook(db, tableRun, options, ExportReport::kChartPage, options.grafico,
                          chart.picture(options.tamanho));
        else
            ChartFile::save(options.grafico, chart, options.tamanho);
        wroteFile = true;
    }
    if (!options.workbook.isEmpty()) {
        writeWorkbook(db, tableRun, options, ExportReport::kDataPage, options.workbook);
        wroteFile = true;
    }
    if (wroteFile && options.output.isEmpty())
        return;
    const QByteArray bytes =
        TextExport::bytes(tableRun.cdsDados(), tableRun.result().FAtributos(), options.separator, options.utf8);
    if (options.output.isEmpty())
        writeOut(out, bytes);
    else
        TextExport::write(options.output, bytes);
}

bool draws(const QStringList &arguments) {
    try {
        const Options options = parse(arguments);
        return !options.mapa.isEmpty() || !options.grafico.isEmpty() || !options.workbook.isEmpty();
    } catch (const BadInput &) {
        return false;
    }
}

int execute(const QStringList &arguments, QIODevice &out, QIODevice &err) {
    try {
        const Options options = parse(arguments);
        if (options.help) {
            out.write(usage().toUtf8());
            return kOk;
        }
        run(options, out, err);
        return kOk;
    } catch (const BadInput &e) {
        writeLine(err, kProgram + e.message());
        return kBadInput;
    } catch (const MapRefusal &e) {
        writeLine(err, kProgram + e.message());
        return kBadInput;
    } catch (const SafeFile::Refused &e) {
        writeLine(err, kProgram + e.message());
        return kBadInput;
    } catch (const AppError &e) {
        writeLine(err, kProgram + e.message());
        return kDatabaseError;
    } catch (const ReaderGone &) {
        return kDatabaseError;
    } catch (const std::bad_alloc &) {
        writeLine(err, kProgram + QStringLiteral("memória insuficiente"));
        return kDatabaseError;
    } catch (const std::exception &e) {
        writeLine(err, kProgram + QString::fromLocal8Bit(e.what()));
        return kDatabaseError;
    }
}

} // namespace ExportCommand
