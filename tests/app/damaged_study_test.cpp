#include "base/data/program_folder.h"
#include "support/modal_answerer.h"
#include "ui/app/main_frm.h"
#include "ui/app/startup.h"
#include "ui/table/data_page.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>

// Damaged copies of the sample study, met as a user meets them: by
// solvane-export and by the window, at its start-up and on the first table.
// Each damage gives one message naming the study and what is wrong with it,
// or, where the study is still readable, the table as it stands.
namespace {

const QString kProgramDir = QStringLiteral(SOLVANE_PROGRAM_DIR);
const QString kTopic = QStringLiteral("01.01.01");

void truncateTo(const QString &path, qint64 size) { ASSERT_TRUE(QFile::resize(path, size)); }

void writeBytes(const QString &path, qint64 offset, const QByteArray &bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(offset));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray randomBytes(qsizetype size) {
    QRandomGenerator generator(20260101);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

void execute(const QString &path, const char *sql) {
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    char *error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << message;
}

// Messages after "Não foi possível ", %1 standing for the study's path.
const char *const kNoStudy =
    "abrir o estudo \"%1\": o arquivo não é um estudo (não tem a tabela de tópicos Nivel_Informacao)";
const char *const kDamagedFile = "abrir o estudo \"%1\": o arquivo está danificado";

struct Damage {
    const char *what;
    std::function<void(const QString &study)> apply;
    bool atStartUp;       // the window stops at start-up, or shows its message on the topic's table
    const char *window;   // its message; "" for none
    const char *exporter; // solvane-export's message; "" when it writes the table
    const char *shownRow; // then the row it writes for PE
};

const Damage kDamages[] = {
    {"zero bytes", [](const QString &s) { truncateTo(s, 0); }, true, kNoStudy, kNoStudy, ""},
    {"truncated to its first page", [](const QString &s) { truncateTo(s, 4096); }, true, kDamagedFile, kDamagedFile,
     ""},
    {"truncated to half", [](const QString &s) { truncateTo(s, QFileInfo(s).size() / 2); }, true, kDamagedFile,
     kDamagedFile, ""},
    {"random bytes",
     [](const QString &s) {
         truncateTo(s, 0);
         writeBytes(s, 0, randomBytes(65536));
     },
     true, "abrir o estudo \"%1\": o arquivo não é um banco de dados",
     "abrir o estudo \"%1\": o arquivo não é um banco de dados", ""},
    {"random bytes over the topic's table", [](const QString &s) { writeBytes(s, 100 * 4096, randomBytes(20 * 4096)); },
     false, "ler o tópico 01.01.01 do estudo \"%1\": o arquivo está danificado",
     "ler o tópico 01.01.01 do estudo \"%1\": o arquivo está danificado", ""},
    {"no topic table", [](const QString &s) { execute(s, "drop table Nivel_Informacao"); }, true, kNoStudy, kNoStudy,
     ""},
    // The table of a topic needs no list of regions; the window's lists do.
    {"no table of the regions", [](const QString &s) { execute(s, "drop table Regiao"); }, true,
     "ler os dados do estudo \"%1\": falta a tabela Regiao", "", "Nordeste;PE;1514316;"},
    {"no data table", [](const QString &s) { execute(s, "drop table \"010101\""); }, false,
     "ler o tópico 01.01.01 do estudo \"%1\": falta a tabela 010101",
     "ler o tópico 01.01.01 do estudo \"%1\": falta a tabela 010101", ""},
    {"a column missing", [](const QString &s) { execute(s, "alter table \"010101\" drop column A07"); }, false,
     "ler o tópico 01.01.01 do estudo \"%1\": falta a coluna A07",
     "ler o tópico 01.01.01 do estudo \"%1\": falta a coluna A07", ""},
    // Read as a number, the text would show as a 0 that looks like a figure.
    {"text in a number column",
     [](const QString &s) {
         // The state's row, read by the exporter's grouping, and its region's,
         // read by the window's.
         execute(s, "update \"010101\" set A01 = 'muitos' where Unidade_Federativa = 26 and Tipo_Registro = 4 "
                    "or Regiao = 2 and Tipo_Registro = 5");
     },
     false, "ler o tópico 01.01.01 do estudo \"%1\": a coluna A01 tem um texto onde se espera um número: \"muitos\"",
     "ler o tópico 01.01.01 do estudo \"%1\": a coluna A01 tem um texto onde se espera um número: \"muitos\"", ""},
    // A missing figure is no figure: the grid shows "-", the text file
    // leaves it empty.
    {"NULL figures",
     [](const QString &s) {
         execute(s, "update \"010101\" set A01 = null, A07 = null where Unidade_Federativa = 26 and Tipo_Registro = 4");
     },
     false, "", "", "Nordeste;PE;;;"},
    {"NULL name",
     [](const QString &s) {
         execute(s, "update \"010101\" set DUnidade_Federativa = null where Unidade_Federativa = 26 and "
                    "Tipo_Registro = 4");
     },
     false, "", "", "Nordeste;;1514316;"},
};

// A program folder of its own: solvane-export beside a copy of the study,
// which each case damages anew.
class DamagedStudyTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_folder = new QTemporaryDir;
        QDir(s_folder->path()).mkpath(QStringLiteral("Dados"));
        ASSERT_TRUE(QFile::copy(kProgramDir + QStringLiteral("/solvane-export"),
                                s_folder->filePath(QStringLiteral("solvane-export"))));
    }
    static void TearDownTestSuite() {
        delete s_folder;
        s_folder = nullptr;
    }

    QString study() const { return s_folder->filePath(QStringLiteral("Dados/Solvane.db")); }

    void damage(const Damage &d) {
        QFile::remove(study());
        ASSERT_TRUE(QFile::copy(kProgramDir + QStringLiteral("/Dados/Solvane.db"), study()));
        QFile::setPermissions(study(), QFile::ReadOwner | QFile::WriteOwner);
        d.apply(study());
    }

    // A message in full, or none.
    QStringList message(const char *reason) const {
        if (!*reason)
            return {};
        return {QStringLiteral("Não foi possível ") + QString::fromUtf8(reason).arg(study())};
    }

    static QTemporaryDir *s_folder;
};

QTemporaryDir *DamagedStudyTest::s_folder = nullptr;

TEST_F(DamagedStudyTest, SolvaneExportNamesTheDamageAndEndsWithStatusOne) {
    for (const Damage &d : kDamages) {
        SCOPED_TRACE(d.what);
        damage(d);
        QProcess process;
        process.start(s_folder->filePath(QStringLiteral("solvane-export")),
                      {QStringLiteral("--topico"), kTopic, QStringLiteral("--agrupar"), QStringLiteral("uf"),
                       QStringLiteral("--utf8")});
        ASSERT_TRUE(process.waitForFinished(60000));
        const QString err = QString::fromUtf8(process.readAllStandardError());
        const QByteArray out = process.readAllStandardOutput();
        if (*d.shownRow) {
            EXPECT_EQ(process.exitCode(), 0) << err.toStdString();
            EXPECT_TRUE(out.contains(QByteArray("\r\n") + d.shownRow)) << out.left(2000).toStdString();
            continue;
        }
        EXPECT_EQ(process.exitCode(), 1);
        EXPECT_EQ(err, QStringLiteral("solvane-export: ") + message(d.exporter).join(QString()) + QLatin1Char('\n'));
        EXPECT_TRUE(out.isEmpty());
    }
}

// At start-up a study that cannot be opened stops the program with its
// message; a damage inside one table shows when that table is opened, and
// the window goes on.
TEST_F(DamagedStudyTest, TheWindowNamesTheDamageAtStartUpOrOnTheTable) {
    for (const Damage &d : kDamages) {
        SCOPED_TRACE(d.what);
        damage(d);
        ProgramFolder::setPath(s_folder->path());
        ModalAnswerer answerer;
        bool opened = false;
        bool shown = false;
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            if (QApplication::activeModalWidget())
                return;
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                auto *window = qobject_cast<TMain_Frm *>(widget);
                if (!window || !window->isVisible())
                    continue;
                if (opened) {
                    window->close();
                    return;
                }
                opened = true;
                window->dataPage().MontaDados(kTopic);
                shown = true;
            }
        });
        driver.start(20);
        const int status = Startup::run();
        ProgramFolder::setPath(QString());
        EXPECT_EQ(status, d.atStartUp ? 1 : 0);
        EXPECT_EQ(opened, !d.atStartUp);
        EXPECT_EQ(shown, !d.atStartUp && !*d.window);
        EXPECT_EQ(answerer.messages(), message(d.window));
    }
}

} // namespace
