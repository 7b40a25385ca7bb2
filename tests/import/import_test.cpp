#include "../jet/jet_writer_run.h"
#include "support/fixture_database.h"
#include "support/qstring_printer.h"

#include "base/data/program_folder.h"
#include "base/data/safe_file.h"
#include "ui/app/main_frm.h"
#include "ui/app/startup.h"
#include "ui/app/study_import_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>

namespace {

const QString kProgramDir = QStringLiteral(SOLVANE_PROGRAM_DIR);

struct ProgramRun {
    int status; // -1: killed by a signal or did not finish
    QString errors;
    QByteArray output;
};

ProgramRun runProgram(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(kProgramDir + QLatin1Char('/') + program, arguments);
    if (!process.waitForFinished(120000))
        return {-1, QStringLiteral("did not finish"), {}};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError()), process.readAllStandardOutput()};
}

ProgramRun importStudy(const QStringList &arguments) { return runProgram(QStringLiteral("solvane-import"), arguments); }

// Rows of a statement as text, one line a row with its values' types.
QStringList rowsOf(const QString &database, const QString &statement) {
    sqlite3 *db = nullptr;
    QStringList rows;
    if (sqlite3_open_v2(QFile::encodeName(database).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return {QStringLiteral("<não abriu>")};
    }
    sqlite3_stmt *query = nullptr;
    if (sqlite3_prepare_v2(db, statement.toUtf8().constData(), -1, &query, nullptr) != SQLITE_OK)
        rows << QString::fromUtf8(sqlite3_errmsg(db));
    while (query && sqlite3_step(query) == SQLITE_ROW) {
        QStringList values;
        for (int i = 0; i < sqlite3_column_count(query); ++i)
            values << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(query, i)));
        rows << values.join(QLatin1Char('|'));
    }
    sqlite3_finalize(query);
    sqlite3_close(db);
    return rows;
}

// Files the importer would leave behind in a folder: its temporary files.
QStringList leftovers(const QString &folder) {
    return QDir(folder).entryList({QStringLiteral(".solvane-*")}, QDir::Files | QDir::Hidden);
}

QString sampleStudy() { return kProgramDir + QStringLiteral("/Dados/Solvane.db"); }

// The sample study as the Access file jet_writer makes of it, written once.
const QString &sampleJet() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString target = dir.filePath(QStringLiteral("Solvane.Mdb"));
        const JetWriterRun run = JetWriterRun::run({sampleStudy(), target});
        EXPECT_EQ(run.status, 0) << run.errors.toStdString();
        return target;
    }();
    return path;
}

} // namespace

// Runs SQL on a database file; false with the engine's message on failure.
::testing::AssertionResult execute(const QString &database, const QString &sql) {
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(database).constData(), &db);
    char *message = nullptr;
    const int result = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    const QString text = QString::fromUtf8(message ? message : "");
    sqlite3_free(message);
    sqlite3_close(db);
    if (result == SQLITE_OK)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << text.toStdString();
}

// The sample study with more in it, as a published Access file.
QString jetOfSampleWith(const QTemporaryDir &dir, const QString &sql) {
    const QString source = dir.filePath(QStringLiteral("fonte.db"));
    QFile::copy(sampleStudy(), source);
    EXPECT_TRUE(execute(source, sql));
    const QString jet = dir.filePath(QStringLiteral("Solvane.Mdb"));
    const JetWriterRun written = JetWriterRun::run({source, jet});
    EXPECT_EQ(written.status, 0) << written.errors.toStdString();
    return jet;
}

// Every Jet type arrives as the study keeps it: integers as INTEGER, Single
// and Double bit for bit, Currency and Numeric as the REAL of their exact
// decimal text (printed back with their scale they equal the source),
// Boolean as 0/1, dates as ISO 8601 text, texts in UTF-8 with the empty
// text apart from NULL, memos whole, OLE as BLOB.
TEST(ImportTest, EveryJetTypeArrivesAsTheStudyKeepsIt) {
    QTemporaryDir dir;
    const QString memo = QString(300, QLatin1Char('m')) + QStringLiteral("ãéíõç");
    const QString jet = jetOfSampleWith(
        dir, QStringLiteral(
                 "CREATE TABLE Tipos (b byte, s smallint, l integer, f single, d real, c currency, n numeric(10,2), "
                 "o boolean, t datetime, x text, m text, z blob);\n"
                 "INSERT INTO Tipos VALUES (0, -32768, -2147483648, 1.5, 0.30000000000000004, 12.3456, 1234.56, 1, "
                 "'2000-08-01 12:30:45', 'São Paulo', '%1', x'00FF10');\n"
                 "INSERT INTO Tipos VALUES (255, 32767, 2147483647, -0.25, 1e300, -1234.5678, -0.05, 0, "
                 "'1899-12-30', '', 'curto', x'414243');\n"
                 "INSERT INTO Tipos VALUES (NULL, NULL, NULL, NULL, NULL, NULL, NULL, 1, NULL, NULL, NULL, NULL);\n")
                 .arg(memo));
    const QString imported = dir.filePath(QStringLiteral("Solvane.db"));
    const ProgramRun run = importStudy({jet, QStringLiteral("--saida"), imported});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();

    const struct {
        const char *column;
        const char *shown; // typeof|value for each row, rows joined by "/"
    } cases[] = {
        {"b", "integer|0/integer|255/null|"},
        {"s", "integer|-32768/integer|32767/null|"},
        {"l", "integer|-2147483648/integer|2147483647/null|"},
        {"f", "real|1.5/real|-0.25/null|"},
        {"d in (0.30000000000000004, 1e300)", "integer|1/integer|1/null|"},
        {"printf('%.4f', c)", "text|12.3456/text|-1234.5678/text|0.0000"},
        {"printf('%.2f', n)", "text|1234.56/text|-0.05/text|0.00"},
        {"typeof(c) || typeof(n)", "text|realreal/text|realreal/text|nullnull"},
        {"o", "integer|1/integer|0/integer|1"},
        {"t", "text|2000-08-01T12:30:45/text|1899-12-30/null|"},
        {"x", "text|São Paulo/text|/null|"},
        {"length(m)", "integer|305/integer|5/null|"},
        {"hex(z)", "text|00FF10/text|414243/text|"},
        {"typeof(z)", "text|blob/text|blob/text|null"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.column);
        const QStringList rows = rowsOf(
            imported, QStringLiteral("select typeof(%1), %1 from Tipos order by rowid").arg(QLatin1String(c.column)));
        EXPECT_EQ(rows.join(QLatin1Char('/')), QString::fromUtf8(c.shown));
    }
    EXPECT_EQ(rowsOf(imported, QStringLiteral("select m from Tipos where rowid = 1")), QStringList{memo});
}

// The whole sample study comes back table by table, row by row, value by
// value, and the exporter writes the same text and map from a study folder
// that holds only the published file (imported on the way) as from the
// original.
TEST(ImportTest, TheSampleStudyMakesTheRoundTripWhole) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("Dados"));
    for (const char *folder : {"Mapas", "Imagens", "Ajuda", "Anexos"})
        ASSERT_TRUE(QFile::link(kProgramDir + QLatin1Char('/') + QLatin1String(folder),
                                dir.filePath(QLatin1String(folder))));
    ASSERT_TRUE(QFile::copy(sampleJet(), dir.filePath(QStringLiteral("Dados/SOLVANE.MDB"))));

    const QString folder = QStringLiteral("--estudo=") + dir.path();
    const struct {
        QStringList arguments;
    } cases[] = {
        {{QStringLiteral("--topico=01.01.01")}},
        {{QStringLiteral("--topico=02.01.01"), QStringLiteral("--agrupar=uf")}},
        {{QStringLiteral("--topico=01.02.01"), QStringLiteral("--agrupar=municipio"), QStringLiteral("--uf=26")}},
        {{QStringLiteral("--topico=03"), QStringLiteral("--uf=35"), QStringLiteral("--pop-min=100000")}},
        {{QStringLiteral("--topico=04.01.01"), QStringLiteral("--agrupar=rm"), QStringLiteral("--utf8")}},
        {{QStringLiteral("--topico=01.01.01"), QStringLiteral("--agrupar=microrregiao"), QStringLiteral("--regiao=2")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const ProgramRun original = runProgram(QStringLiteral("solvane-export"), c.arguments);
        const ProgramRun imported = runProgram(QStringLiteral("solvane-export"), QStringList{folder} + c.arguments);
        ASSERT_EQ(original.status, 0) << original.errors.toStdString();
        ASSERT_EQ(imported.status, 0) << imported.errors.toStdString();
        EXPECT_FALSE(original.output.isEmpty());
        EXPECT_EQ(imported.output, original.output);
    }
    // Imported once, by the first run, beside the published file.
    const QString study = dir.filePath(QStringLiteral("Dados/Solvane.db"));
    ASSERT_TRUE(QFile::exists(study));
    for (const QString &table : rowsOf(sampleStudy(), QStringLiteral("select name from sqlite_master where type = 'table'"))) {
        SCOPED_TRACE(table.toStdString());
        const QString all = QStringLiteral("select * from \"%1\"").arg(table);
        EXPECT_EQ(rowsOf(study, all), rowsOf(sampleStudy(), all));
    }

    QTemporaryDir pictures;
    const QStringList map{QStringLiteral("--topico=01.01.01"), QStringLiteral("--agrupar=municipio"),
                          QStringLiteral("--uf=26"), QStringLiteral("--coluna=A06")};
    const QString fromOriginal = pictures.filePath(QStringLiteral("original.png"));
    const QString fromImported = pictures.filePath(QStringLiteral("importado.png"));
    ASSERT_EQ(runProgram(QStringLiteral("solvane-export"), map + QStringList{QStringLiteral("--mapa"), fromOriginal}).status, 0);
    ASSERT_EQ(runProgram(QStringLiteral("solvane-export"),
                         QStringList{folder} + map + QStringList{QStringLiteral("--mapa"), fromImported})
                  .status,
              0);
    QFile a(fromOriginal), b(fromImported);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
}

// A file that is no Access file, one cut short, one with random bytes in its
// pages: each ends in a message naming the file and status 1, also when the
// library that reads it crashes (in the importer's child); nothing is left
// beside the target and a study already there stays whole.
TEST(ImportTest, DamagedFilesEndInAMessageAndLeaveNothing) {
    QFile sample(sampleJet());
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray whole = sample.readAll();
    QByteArray noisy = whole;
    QRandomGenerator random(20001);
    for (int i = 0; i < 4000; ++i)
        noisy[qsizetype(random.bounded(qint64(4096), qint64(noisy.size())))] = char(random.bounded(256));
    QByteArray noisyCatalogue = whole;
    for (qsizetype at = 2 * 4096 + 64; at < 3 * 4096; at += 7)
        noisyCatalogue[at] = char(random.bounded(256));

    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"texto", QByteArray("Isto não é um banco de dados do Access.\n")},
        {"vazio", QByteArray()},
        {"meia página", whole.left(2048)},
        {"duas páginas", whole.left(2 * 4096)},
        {"metade", whole.left(whole.size() / 2)},
        {"sem o fim", whole.left(whole.size() - 100)},
        {"bytes ao acaso nas páginas", noisy},
        {"catálogo ao acaso", noisyCatalogue},
    };
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("Solvane.db"));
    ASSERT_TRUE(QFile::copy(sampleStudy(), target));
    const QByteArray before = [&] {
        QFile f(target);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString damaged = dir.filePath(QStringLiteral("danificado.mdb"));
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        const ProgramRun run = importStudy({damaged, QStringLiteral("--saida"), target});
        // Random bytes may leave a readable file whose figures differ; what
        // must never happen is a crash, a silent half study or a lost one.
        if (run.status == 0) {
            QFile::remove(target);
            ASSERT_TRUE(QFile::copy(sampleStudy(), target));
            continue;
        }
        EXPECT_EQ(run.status, 1) << run.errors.toStdString();
        EXPECT_TRUE(run.errors.contains(damaged)) << run.errors.toStdString();
        EXPECT_TRUE(leftovers(dir.path()).isEmpty());
        QFile kept(target);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_TRUE(kept.readAll() == before);
    }
}

// A Jet file that is not a study (tables or columns the program reads are
// missing) is named with everything it lacks; no study is written.
TEST(ImportTest, AFileThatIsNotAStudyIsNamedWithWhatItLacks) {
    QTemporaryDir dir;
    const QString jet = jetOfSampleWith(dir, QStringLiteral("DROP TABLE Micro_Regiao;\n"
                                                            "ALTER TABLE Regiao DROP COLUMN Sigla;\n"));
    const QString target = dir.filePath(QStringLiteral("Solvane.db"));
    const ProgramRun run = importStudy({jet, QStringLiteral("--saida"), target});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("O arquivo \"%1\" não é um estudo completo").arg(jet)))
        << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QStringLiteral("a tabela \"Micro_Regiao\""))) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QStringLiteral("a coluna \"Sigla\" da tabela \"Regiao\"")))
        << run.errors.toStdString();
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(leftovers(dir.path()).isEmpty());

    QTemporaryDir other;
    const QString figures = jetOfSampleWith(other, QStringLiteral("ALTER TABLE \"010101\" DROP COLUMN A03;\n"));
    const ProgramRun missingFigure = importStudy({figures, QStringLiteral("--saida"), target});
    EXPECT_EQ(missingFigure.status, 1);
    EXPECT_TRUE(missingFigure.errors.contains(QStringLiteral("a coluna \"A03\" da tabela \"010101\"")))
        << missingFigure.errors.toStdString();
}

// The published file is never its own target, and bad arguments are bad input.
TEST(ImportTest, TheSameFileAsBothAndBadArgumentsAreRefused) {
    QTemporaryDir dir;
    const QString jet = dir.filePath(QStringLiteral("Solvane.mdb"));
    ASSERT_TRUE(QFile::copy(sampleJet(), jet));
    const QString link = dir.filePath(QStringLiteral("atalho.db"));
    ASSERT_TRUE(QFile::link(jet, link));
    const struct {
        QStringList arguments;
        const char *message;
    } cases[] = {
        {{jet, QStringLiteral("--saida"), link}, "são o mesmo arquivo"},
        {{jet, QStringLiteral("--saida"), jet}, "são o mesmo arquivo"},
        {{}, "falta o arquivo do Access"},
        {{jet, QStringLiteral("--saida")}, "falta o arquivo depois de --saida"},
        {{jet, QStringLiteral("--formato=x")}, "opção desconhecida"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        const ProgramRun run = importStudy(c.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.errors.contains(QString::fromUtf8(c.message))) << run.errors.toStdString();
    }
    QFile kept(jet);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.size(), QFileInfo(sampleJet()).size());
}

// A cancelled import (the importer told to stop while its child reads)
// kills the child, removes its file and keeps the study that was there.
TEST(ImportTest, ACancelledImportLeavesNothingAndKeepsTheOldStudy) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("Solvane.db"));
    ASSERT_TRUE(execute(target, QStringLiteral("create table Antigo (x integer)")));
    QProcess importer;
    importer.start(kProgramDir + QStringLiteral("/solvane-import"), {sampleJet(), QStringLiteral("--saida"), target});
    ASSERT_TRUE(importer.waitForStarted());
    // The child is held still once it exists, so the cancellation always
    // finds it at work.
    QString child;
    for (int attempt = 0; attempt < 200 && child.isEmpty(); ++attempt) {
        QProcess pgrep;
        pgrep.start(QStringLiteral("pgrep"), {QStringLiteral("-P"), QString::number(importer.processId())});
        pgrep.waitForFinished();
        child = QString::fromLatin1(pgrep.readAllStandardOutput()).trimmed();
        if (child.isEmpty())
            QThread::msleep(5);
    }
    ASSERT_FALSE(child.isEmpty());
    ::kill(child.toInt(), SIGSTOP);
    importer.terminate();
    ASSERT_TRUE(importer.waitForFinished(20000));
    EXPECT_EQ(importer.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(importer.readAllStandardError()).contains(QStringLiteral("Importação cancelada")));
    EXPECT_TRUE(leftovers(dir.path()).isEmpty());
    EXPECT_EQ(rowsOf(target, QStringLiteral("select name from sqlite_master")), QStringList{QStringLiteral("Antigo")});
}

// The window's progress dialog runs the importer and ends with its message
// when the file is damaged, the window itself unharmed.
TEST(ImportTest, TheWindowsImportDialogWritesTheStudyOrSaysWhyNot) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("Solvane.db"));
    StudyImportDialog importing(sampleJet(), target);
    EXPECT_EQ(importing.run(), QString());
    EXPECT_EQ(importing.maximum(), 29);
    EXPECT_EQ(importing.value(), 29);
    EXPECT_TRUE(QFile::exists(target));

    const QString damaged = dir.filePath(QStringLiteral("danificado.mdb"));
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("não é do Access");
    file.close();
    StudyImportDialog failing(damaged, dir.filePath(QStringLiteral("outro.db")));
    const QString failure = failing.run();
    EXPECT_TRUE(failure.contains(damaged)) << failure.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("outro.db"))));
}

// The window started on a study folder that holds only the published file
// imports it behind its progress window and opens on the same topics as the
// sample study.
TEST(ImportTest, TheWindowStartsOnAFolderHoldingOnlyThePublishedFile) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("Dados"));
    for (const char *folder : {"Mapas", "Imagens", "Ajuda", "Anexos"})
        ASSERT_TRUE(QFile::link(kProgramDir + QLatin1Char('/') + QLatin1String(folder),
                                dir.filePath(QLatin1String(folder))));
    ASSERT_TRUE(QFile::copy(sampleJet(), dir.filePath(QStringLiteral("Dados/Solvane.Mdb"))));
    QStringList topics;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *window = qobject_cast<TMain_Frm *>(widget);
            if (!window || !window->isVisible())
                continue;
            const auto *tree = window->findChild<QTreeWidget *>(QStringLiteral("tvOpcoes"));
            for (int i = 0; tree && i < tree->topLevelItemCount(); ++i)
                topics << tree->topLevelItem(i)->text(0);
            window->close();
        }
    });
    closer.start(20);
    EXPECT_EQ(Startup::run(dir.path()), 0);
    ProgramFolder::setPath(QString());
    ProgramFolder::setStudyFile(QString());
    SafeFile::clearProtection();
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Dados/Solvane.db"))));
    EXPECT_EQ(topics, rowsOf(sampleStudy(), QStringLiteral("select Descricao from Nivel_Informacao where "
                                                           "length(Nivel_Informacao) = 2 order by Nivel_Informacao")));
}
