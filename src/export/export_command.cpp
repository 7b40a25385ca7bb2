#include "export/export_command.h"

#include "data/database.h"
#include "data/program_folder.h"
#include "data/query.h"
#include "export/bad_input.h"
#include "export/text_export.h"
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

void writeLine(QIODevice &device, const QString &text) { device.write((text + QLatin1Char('\n')).toUtf8()); }

} // namespace

QByteArray run(const Options &options) {
    Database db;
    db.setPath(ProgramFolder::file(QStringLiteral("Dados/Solvane.db")));
    db.setConnected(true);
    checkTopic(db, options.topic);

    TableRun tableRun(db);
    tableRun.run(options.topic, options.selection);
    const QStringList lines =
        TextExport::lines(tableRun.cdsDados(), tableRun.result().FAtributos(), options.separator);
    return TextExport::encode(lines, options.utf8);
}

int execute(const QStringList &arguments, QIODevice &out, QIODevice &err) {
    const QString program = QStringLiteral("solvane-export: ");
    try {
        const Options options = parse(arguments);
        if (options.help) {
            out.write(usage().toUtf8());
            return kOk;
        }
        const QByteArray bytes = run(options);
        if (options.output.isEmpty())
            out.write(bytes);
        else
            TextExport::write(options.output, bytes);
        return kOk;
    } catch (const BadInput &e) {
        writeLine(err, program + e.message());
        return kBadInput;
    } catch (const AppError &e) {
        writeLine(err, program + e.message());
        return kDatabaseError;
    }
}

} // namespace ExportCommand
