#include "export/export_command.h"

#include "data/database.h"
#include "data/program_folder.h"
#include "data/query.h"
#include "data/safe_file.h"
#include "data/study_titles.h"
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

#include <QIODevice>
#include <QImage>
#include <QRegularExpression>

namespace ExportCommand {
namespace {

// The topic must be a code of the topic tree, and a table.
void checkTopic(Database &db, const QString &topic) {
    static const QRegularExpression form(QStringLiteral("^\\d\\d(\\.\\d\\d){0,2}$"));
    if (!form.match(topic).hasMatch())
        throw BadInput(QStringLiteral("tópico inexistente: \"%1\"").arg(topic));
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

// The workbook the export dialog writes on the data page for this run.
void writeWorkbook(Database &db, TableRun &run, const Options &options) {
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
    const ExportGrid grid = ExportGrid::fromResultTable(run.cdsDados());
    const ExportReport::Header header = {QImage(ProgramFolder::file(QStringLiteral("Imagens/") + StudyTitles::kLogo)),
                                         StudyTitles::kTitulo1, StudyTitles::kTitulo2};
    TVarnikExport exporter;
    exporter.Hint = options.workbook;
    ExportReport::prepareDataPage(
        exporter, grid, header, topicTitle(db, options.topic), agrupar, FFiltro,
        ExportReport::MontaRodape(ExportReport::kDataPage, agrupar, FFiltro, run.result().notes()));
    exporter.Exporta();
    if (exporter.workbook()->savedPath() != options.workbook)
        throw BadInput(QStringLiteral("a planilha só é gravada com a extensão .xlsx ou .xls: \"%1\"")
                           .arg(options.workbook));
}

const QString kProgram = QStringLiteral("solvane-export: ");

void writeLine(QIODevice &device, const QString &text) { device.write((text + QLatin1Char('\n')).toUtf8()); }

} // namespace

void run(const Options &options, QIODevice &out, QIODevice &err) {
    Database db;
    db.setPath(ProgramFolder::file(QStringLiteral("Dados/Solvane.db")));
    db.setConnected(true);
    checkTopic(db, options.topic);

    TableRun tableRun(db);
    tableRun.run(options.topic, options.selection);
    bool wroteFile = false;
    if (!options.mapa.isEmpty()) {
        const auto warn = [&err](const QString &text) { writeLine(err, kProgram + text); };
        SafeFile::write(options.mapa, MapCommand::picture(db, tableRun.result(), options.coluna,
                                                          *MapFile::formatOf(options.mapa), warn));
        wroteFile = true;
    }
    if (!options.grafico.isEmpty()) {
        ChartCommand::write(db, tableRun, options);
        // The table is written whole, total rows included.
        tableRun.cdsDados().setFiltered(false);
        wroteFile = true;
    }
    if (!options.workbook.isEmpty()) {
        writeWorkbook(db, tableRun, options);
        wroteFile = true;
    }
    if (wroteFile && options.output.isEmpty())
        return;
    const QStringList lines =
        TextExport::lines(tableRun.cdsDados(), tableRun.result().FAtributos(), options.separator);
    const QByteArray bytes = TextExport::encode(lines, options.utf8);
    if (options.output.isEmpty())
        out.write(bytes);
    else
        TextExport::write(options.output, bytes);
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
    } catch (const AppError &e) {
        writeLine(err, kProgram + e.message());
        return kDatabaseError;
    }
}

} // namespace ExportCommand
