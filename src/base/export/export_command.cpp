#include "base/export/export_command.h"

#include "base/data/database.h"
#include "base/data/program_folder.h"
#include "base/data/query.h"
#include "base/data/safe_file.h"
#include "base/data/study_opening.h"
#include "base/data/study_schema.h"
#include "base/data/system_error.h"
#include "base/data/text_utils.h"
#include "base/export/bad_input.h"
#include "base/export/text_export.h"
#include "base/table/table_run.h"
#include "base/table/topic_code.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QIODevice>
#include <QRegularExpression>

#include <cerrno>
#include <new>
#include <optional>
#include <sqlite3.h>
#include <sys/stat.h>
#include <tuple>
#include <utility>
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

// Every territory code given must exist in the study: a filter on a code
// that names nothing would give an empty table that looks like a result.
void checkTerritories(Database &db, const SelectionState &s) {
    using namespace StudySchema;
    struct Code {
        const char *option;
        QLatin1String table;
        int value;
    };
    std::vector<Code> codes = {{"--regiao", kRegiao, s.regiao},
                               {"--uf", kUnidadeFederativa, s.unidadeFederativa},
                               {"--microrregiao", kMicroRegiao, s.microRegiao},
                               {"--rm", kRegiaoMetropolitana, s.regiaoMetropolitana},
                               {"--municipio", kMunicipio, s.municipio}};
    for (const QString &entry : s.municipiosSelecionados)
        codes.push_back({"--municipios", kMunicipio, entry.mid(entry.lastIndexOf(QLatin1Char('/')) + 1).toInt()});
    for (const Code &code : codes) {
        if (code.value == 0)
            continue;
        Query query(db);
        query.setActivity(QStringLiteral("conferir o código %1 de %2").arg(code.value).arg(QLatin1String(code.option)));
        query.sql() << QStringLiteral("select 1 from %1 where %1 = %2").arg(code.table).arg(code.value);
        query.open();
        if (query.eof())
            throw BadInput(QStringLiteral("código inexistente para %1: %2").arg(QLatin1String(code.option)).arg(code.value));
    }
}

// What a path names on disk, after its links: the device and node of a file
// that exists, else the canonical folder and the name, so two names of one
// file (a link, a second hard name, "./x") compare equal.
QString fileIdentity(const QString &path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) == 0)
        return QStringLiteral("%1:%2").arg(info.st_dev).arg(info.st_ino);
    const QFileInfo file(path);
    const QString folder = file.absoluteDir().canonicalPath();
    return (folder.isEmpty() ? file.absolutePath() : folder) + QLatin1Char('/') + file.fileName();
}

// Two outputs of one command written to one file would leave only the last:
// refused before anything is written.
void checkDistinctOutputs(const Options &options) {
    const std::pair<const char *, const QString *> outputs[] = {{"--mapa", &options.mapa},
                                                                {"--legenda", &options.legendaArquivo},
                                                                {"--relatorio", &options.relatorio},
                                                                {"--grafico", &options.grafico},
                                                                {"--planilha", &options.workbook},
                                                                {"--saida", &options.output}};
    std::vector<std::tuple<QString, const char *, const QString *>> seen;
    for (const auto &[option, path] : outputs) {
        if (path->isEmpty())
            continue;
        const QString identity = fileIdentity(*path);
        for (const auto &[earlier, earlierOption, earlierPath] : seen) {
            if (earlier != identity)
                continue;
            QString message = QStringLiteral("%1 e %2 gravariam o mesmo arquivo: \"%3\"")
                                  .arg(QLatin1String(earlierOption), QLatin1String(option),
                                       TextUtils::shortened(*path));
            if (*earlierPath != *path)
                message += QStringLiteral(" (o mesmo que \"%1\")").arg(TextUtils::shortened(*earlierPath));
            throw BadInput(message);
        }
        seen.emplace_back(identity, option, path);
    }
}

// Whether the options ask for an output of a drawing step: a map or its
// classes, a chart, a workbook.
bool needsDrawing(const Options &options) {
    return !options.mapa.isEmpty() || !options.legendaArquivo.isEmpty() || !options.relatorio.isEmpty() ||
           !options.grafico.isEmpty() || !options.workbook.isEmpty();
}

const QString kProgram = QStringLiteral("solvane-export: ");

void writeLine(QIODevice &device, const QString &text) { device.write((text + QLatin1Char('\n')).toUtf8()); }

// Standard output closed by its reader before the end (a pipe into "head").
struct ReaderGone {};

// The table on standard output: the write and the final flush are checked,
// so a full disk or a closed output is a failure, never a silent success.
void writeOut(QIODevice &out, QByteArrayView bytes) {
    errno = 0;
    bool written = out.write(bytes.data(), bytes.size()) == bytes.size();
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

// A run that writes only the text needs no row twice: each row is written
// as it is assembled, and the table keeps none. The file of --saida is
// written through the safe writer's temporary file, renamed into place once
// the last row is in; a failure on the way leaves the old file.
//
// Read once, in order, the rows come back to no page of the study: a small
// page cache serves them as well as the engine's default one, and the
// engine's sort of the rows, which holds as many rows as the cache holds
// pages before it moves them to a temporary file, stays as small. A cache
// the engine would not shrink only costs memory, so its answer is not
// checked.
void writeText(Database &db, TableRun &tableRun, const Options &options, QIODevice &out) {
    sqlite3_exec(db.handle(), "PRAGMA cache_size = -512", nullptr, nullptr, nullptr);
    std::optional<SafeFile::Output> file;
    if (!options.output.isEmpty())
        file.emplace(options.output);
    std::optional<TextExport::Writer> writer;
    TableRun::Hooks hooks;
    hooks.labelled = [&](const CurrentResult &result) {
        writer.emplace(result, options.separator, options.utf8, [&](QByteArrayView part) {
            if (file)
                file->append(part);
            else
                writeOut(out, part);
        });
    };
    hooks.rows = [&writer](const ResultTable &table, int row) { writer->row(table, row); };
    tableRun.run(options.topic, options.selection, hooks);
    writer->finish();
    if (file)
        file->commit();
}

} // namespace

void run(const Options &options, QIODevice &out, QIODevice &err, DrawStep draw) {
    checkDistinctOutputs(options);
    // The study is found (and a published one imported) first: its files
    // are among the inputs no output may replace.
    StudyOpening::prepare(options.studyFolder, [&err](const QString &text) { writeLine(err, text); });
    // A path the writer would refuse is refused before any output is written.
    for (const QString *path :
         {&options.mapa, &options.legendaArquivo, &options.relatorio, &options.grafico, &options.workbook, &options.output})
        if (!path->isEmpty())
            SafeFile::check(*path);
    Database db;
    db.setPath(ProgramFolder::studyFile());
    db.setConnected(true);
    checkTopic(db, options.topic);
    checkTerritories(db, options.selection);

    TableRun tableRun(db);
    if (!needsDrawing(options)) {
        writeText(db, tableRun, options, out);
        return;
    }
    tableRun.run(options.topic, options.selection);
    if (!draw)
        throw AppError(QStringLiteral("Este programa não desenha mapas, gráficos nem planilhas."));
    const bool wroteFile =
        draw(db, tableRun.result(), options, [&err](const QString &text) { writeLine(err, kProgram + text); });
    if (wroteFile && options.output.isEmpty())
        return;
    const QByteArray bytes = TextExport::bytes(tableRun.result(), options.separator, options.utf8);
    if (options.output.isEmpty())
        writeOut(out, bytes);
    else
        SafeFile::write(options.output, bytes);
}

Drawing drawing(const QStringList &arguments) {
    try {
        const Options options = parse(arguments);
        if (!options.mapa.isEmpty() || !options.legendaArquivo.isEmpty() || !options.relatorio.isEmpty() ||
            !options.grafico.isEmpty())
            return Drawing::kPictures;
        return options.workbook.isEmpty() ? Drawing::kNothing : Drawing::kWorkbook;
    } catch (const BadInput &) {
        return Drawing::kNothing;
    }
}

int execute(const QStringList &arguments, QIODevice &out, QIODevice &err, DrawStep draw) {
    try {
        const Options options = parse(arguments);
        if (options.help) {
            out.write(usage().toUtf8());
            return kOk;
        }
        run(options, out, err, draw);
        return kOk;
    } catch (const BadInput &e) {
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
