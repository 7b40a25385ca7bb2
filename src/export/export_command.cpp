#include "export/export_command.h"

#include "data/database.h"
#include "data/program_folder.h"
#include "data/query.h"
#include "data/safe_file.h"
#include "export/bad_input.h"
#include "export/chart_command.h"
#include "export/map_command.h"
#include "export/text_export.h"
#include "map/map_drawing.h"
#include "map/map_file.h"
#include "table/table_run.h"
#include "table/topic_code.h"

#include <QIODevice>
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
    if (!options.mapa.isEmpty()) {
        const auto warn = [&err](const QString &text) { writeLine(err, kProgram + text); };
        SafeFile::write(options.mapa, MapCommand::picture(db, tableRun.result(), options.coluna,
                                                          *MapFile::formatOf(options.mapa), warn));
        if (options.output.isEmpty() && options.grafico.isEmpty())
            return;
    }
    if (!options.grafico.isEmpty()) {
        ChartCommand::write(db, tableRun, options);
        if (options.output.isEmpty())
            return;
        // The table is written whole, total rows included.
        tableRun.cdsDados().setFiltered(false);
    }
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
