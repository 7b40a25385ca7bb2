#include "study_database_writer.h"

#include "output_file.h"
#include "sample_geography.h"
#include "study_figures.h"
#include "topic_catalogue.h"

#include "base/data/app_error.h"

#include <QFile>
#include <QFileInfo>
#include <QVariant>
#include <sqlite3.h>

namespace StudyDatabaseWriter {
namespace {

// The municipalities below this urban population are summed in the
// "DEMAIS" rows, code 999999.
constexpr qint64 kSmallTown = 20000;
constexpr int kOthersCode = 999999;
const QString kOthersText = QStringLiteral("ZZDEMAIS MUNICÍPIOS");
const QString kFinerTotal = QStringLiteral("ZZ");
const QString kMunicipalityTotal = QStringLiteral("ZZZ");

class Connection {
public:
    explicit Connection(const QString &path) {
        if (sqlite3_open(QFile::encodeName(path).constData(), &m_db) != SQLITE_OK) {
            const QString reason = QString::fromUtf8(sqlite3_errmsg(m_db));
            sqlite3_close(m_db);
            throw AppError(QStringLiteral("Não foi possível criar %1: %2").arg(path, reason));
        }
    }
    ~Connection() { sqlite3_close(m_db); }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    void exec(const QString &sql) {
        char *message = nullptr;
        if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
            const QString reason = QString::fromUtf8(message);
            sqlite3_free(message);
            throw AppError(reason);
        }
    }
    sqlite3 *handle() const { return m_db; }

private:
    sqlite3 *m_db = nullptr;
};

// One prepared INSERT, run once per row with its values bound in order.
class Insert {
public:
    Insert(Connection &connection, const QString &table, int columns) : m_db(connection.handle()) {
        QStringList marks;
        for (int i = 0; i < columns; ++i)
            marks << QStringLiteral("?");
        const QByteArray sql =
            QStringLiteral("insert into \"%1\" values (%2)").arg(table, marks.join(QLatin1Char(','))).toUtf8();
        if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &m_statement, nullptr) != SQLITE_OK)
            throw AppError(QString::fromUtf8(sqlite3_errmsg(m_db)));
    }
    ~Insert() { sqlite3_finalize(m_statement); }
    Insert(const Insert &) = delete;
    Insert &operator=(const Insert &) = delete;

    void row(const QVariantList &values) {
        sqlite3_reset(m_statement);
        for (int i = 0; i < values.size(); ++i) {
            const QVariant &v = values[i];
            if (v.typeId() == QMetaType::QString) {
                const QByteArray text = v.toString().toUtf8();
                sqlite3_bind_text(m_statement, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            } else if (v.typeId() == QMetaType::Double) {
                sqlite3_bind_double(m_statement, i + 1, v.toDouble());
            } else {
                sqlite3_bind_int64(m_statement, i + 1, v.toLongLong());
            }
        }
        if (sqlite3_step(m_statement) != SQLITE_DONE)
            throw AppError(QString::fromUtf8(sqlite3_errmsg(m_db)));
    }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_statement = nullptr;
};

// A row of a data table: the display texts and codes of its territory, its
// urban population, its kind and the municipalities whose figures it holds.
struct DataRow {
    QString texts[5]; // DRegiao, DUnidade_Federativa, DMicro_Regiao, DRegiao_Metropolitana, DMunicipio
    int codes[5];     // Regiao, Unidade_Federativa, Micro_Regiao, Regiao_Metropolitana, Municipio
    int kind;
    std::vector<int> members;
};

class RowPlan {
public:
    explicit RowPlan(const SampleGeography &g) : m_g(g) {}

    std::vector<DataRow> rows() const;

private:
    QString regionName(int state) const { return BrazilFacts::regions()[size_t(m_g.regionIndexOfState(state))].name; }
    int regionCode(int state) const { return m_g.states()[size_t(state)].fact.region; }
    QString sigla(int state) const { return m_g.states()[size_t(state)].fact.sigla; }
    int stateCode(int state) const { return m_g.states()[size_t(state)].fact.code; }
    std::vector<int> small(const std::vector<int> &members) const {
        std::vector<int> out;
        for (int m : members)
            if (m_g.municipalities()[size_t(m)].urbanPopulation < kSmallTown)
                out.push_back(m);
        return out;
    }

    const SampleGeography &m_g;
};

std::vector<DataRow> RowPlan::rows() const {
    const auto &municipalities = m_g.municipalities();
    std::vector<DataRow> rows;
    std::vector<int> everyone;
    std::vector<std::vector<int>> byRegion(BrazilFacts::regions().size());
    for (int m = 0; m < int(municipalities.size()); ++m) {
        const SampleMunicipality &mu = municipalities[size_t(m)];
        const int metro = mu.metropolitan;
        rows.push_back({{regionName(mu.state), sigla(mu.state), m_g.micros()[size_t(mu.micro)].name,
                         metro >= 0 ? m_g.metropolitans()[size_t(metro)].name : QString(), mu.name},
                        {regionCode(mu.state), stateCode(mu.state), m_g.micros()[size_t(mu.micro)].code,
                         metro >= 0 ? m_g.metropolitans()[size_t(metro)].code : 0, mu.code},
                        1,
                        {m}});
        everyone.push_back(m);
        byRegion[size_t(m_g.regionIndexOfState(mu.state))].push_back(m);
    }
    for (const SampleMicroRegion &micro : m_g.micros()) {
        const int s = micro.state;
        const std::vector<int> others = small(micro.members);
        if (!others.empty())
            rows.push_back({{regionName(s), sigla(s), micro.name, kFinerTotal, kOthersText},
                            {regionCode(s), stateCode(s), micro.code, 0, kOthersCode},
                            1,
                            others});
        rows.push_back({{regionName(s), sigla(s), micro.name, kFinerTotal, kMunicipalityTotal},
                        {regionCode(s), stateCode(s), micro.code, 0, 0},
                        3,
                        micro.members});
    }
    std::vector<int> metropolitanMembers;
    for (const SampleMetropolitanRegion &metro : m_g.metropolitans()) {
        const int s = municipalities[size_t(metro.core)].state;
        rows.push_back({{regionName(s), sigla(s), kFinerTotal, metro.name, kMunicipalityTotal},
                        {regionCode(s), stateCode(s), 0, metro.code, 0},
                        2,
                        metro.members});
        metropolitanMembers.insert(metropolitanMembers.end(), metro.members.begin(), metro.members.end());
    }
    for (int s = 0; s < int(m_g.states().size()); ++s) {
        const std::vector<int> &members = m_g.states()[size_t(s)].municipalities;
        rows.push_back({{regionName(s), sigla(s), kFinerTotal, kFinerTotal, kOthersText},
                        {regionCode(s), stateCode(s), 0, 0, kOthersCode},
                        1,
                        small(members)});
        rows.push_back({{regionName(s), sigla(s), kFinerTotal, kFinerTotal, kMunicipalityTotal},
                        {regionCode(s), stateCode(s), 0, 0, 0},
                        4,
                        members});
    }
    for (int r = 0; r < int(byRegion.size()); ++r) {
        const RegionFact &region = BrazilFacts::regions()[size_t(r)];
        rows.push_back({{region.name, kFinerTotal, kFinerTotal, kFinerTotal, kOthersText},
                        {region.code, 0, 0, 0, kOthersCode},
                        1,
                        small(byRegion[size_t(r)])});
        rows.push_back({{region.name, kFinerTotal, kFinerTotal, kFinerTotal, kMunicipalityTotal},
                        {region.code, 0, 0, 0, 0},
                        5,
                        byRegion[size_t(r)]});
    }
    rows.push_back({{kFinerTotal, kFinerTotal, kFinerTotal, kFinerTotal, kOthersText}, {0, 0, 0, 0, kOthersCode}, 1,
                    small(everyone)});
    rows.push_back({{kFinerTotal, kFinerTotal, kFinerTotal, kFinerTotal, kMunicipalityTotal}, {0, 0, 0, 0, 0}, 6,
                    everyone});
    rows.push_back({{kFinerTotal, kFinerTotal, kFinerTotal, kFinerTotal, kMunicipalityTotal}, {0, 0, 0, 0, 0}, 43,
                    metropolitanMembers});
    return rows;
}

qint64 urbanPopulation(const SampleGeography &g, const std::vector<int> &members) {
    qint64 total = 0;
    for (int m : members)
        total += g.municipalities()[size_t(m)].urbanPopulation;
    return total;
}

const char *kTerritoryColumns = "DRegiao text, DUnidade_Federativa text, DMicro_Regiao text, "
                                "DRegiao_Metropolitana text, DMunicipio text, Regiao integer, "
                                "Unidade_Federativa integer, Micro_Regiao integer, Regiao_Metropolitana integer, "
                                "Municipio integer, Populacao_Cidade integer";

void writeTerritory(Connection &db, const SampleGeography &g) {
    db.exec(QStringLiteral(
        "create table Pais (Pais integer primary key, Sigla text, Descricao text);"
        "insert into Pais values (1, 'BR', 'Brasil');"
        "create table Regiao (Pais integer, Regiao integer primary key, Sigla text, Descricao text);"
        "create table Unidade_Federativa (Pais integer, Regiao integer, Unidade_Federativa integer primary key, "
        "Sigla text, Descricao text);"
        "create table Micro_Regiao (Pais integer, Regiao integer, Unidade_Federativa integer, "
        "Micro_Regiao integer primary key, Sigla text, Descricao text);"
        "create table Regiao_Metropolitana (Regiao_Metropolitana integer, Sigla text, Descricao text, "
        "Regiao integer, Unidade_Federativa integer);"
        "create table Municipio (Municipio integer primary key, Sigla text, Descricao text, "
        "Populacao_Cidade integer, Regiao integer, Unidade_Federativa integer, Micro_Regiao integer, "
        "Regiao_Metropolitana integer);"));
    Insert regions(db, QStringLiteral("Regiao"), 4);
    for (const RegionFact &r : BrazilFacts::regions())
        regions.row({1, r.code, r.sigla, r.name});
    Insert states(db, QStringLiteral("Unidade_Federativa"), 5);
    for (const SampleState &s : g.states())
        states.row({1, s.fact.region, s.fact.code, s.fact.sigla, s.fact.name});
    Insert micros(db, QStringLiteral("Micro_Regiao"), 6);
    for (const SampleMicroRegion &m : g.micros()) {
        const StateFact &state = g.states()[size_t(m.state)].fact;
        micros.row({1, state.region, state.code, m.code, state.sigla, m.name});
    }
    Insert metros(db, QStringLiteral("Regiao_Metropolitana"), 5);
    for (const SampleMetropolitanRegion &m : g.metropolitans())
        for (int s : m.states) {
            const StateFact &state = g.states()[size_t(s)].fact;
            metros.row({m.code, m.sigla, m.name, state.region, state.code});
        }
    Insert municipalities(db, QStringLiteral("Municipio"), 8);
    for (const SampleMunicipality &m : g.municipalities()) {
        const StateFact &state = g.states()[size_t(m.state)].fact;
        municipalities.row({m.code, state.sigla, m.name, m.urbanPopulation, state.region, state.code,
                            g.micros()[size_t(m.micro)].code,
                            m.metropolitan >= 0 ? g.metropolitans()[size_t(m.metropolitan)].code : 0});
    }
    municipalities.row({kOthersCode, QString(), QStringLiteral("DEMAIS MUNICÍPIOS"), 0, 0, 0, 0, 0});
}

void writeTopics(Connection &db, const TopicCatalogue &topics) {
    db.exec(QStringLiteral(
        "create table Nivel_Informacao (Nivel_Informacao text primary key, Descricao text);"
        "create table Nome_Atributos_Tab_Valor (Tabela text, Atributo text, Descricao_Atributo text, "
        "Tipo_Atributo text, Formula_Percentual_Total text, Atributo_Pesquisa_Rustico text, "
        "primary key (Tabela, Atributo));"
        "create table Observacao_Tab_Valor (Nivel_Informacao text primary key, Observacao text);"));
    Insert levels(db, QStringLiteral("Nivel_Informacao"), 2);
    for (const TopicHeading &h : topics.headings())
        if (h.code != QLatin1String(TopicCatalogue::kMunicipalityList))
            levels.row({h.code, h.title});
    Insert attributes(db, QStringLiteral("Nome_Atributos_Tab_Valor"), 6);
    Insert notes(db, QStringLiteral("Observacao_Tab_Valor"), 2);
    for (const TopicTable &t : topics.tables()) {
        levels.row({t.code, t.title});
        for (const CatalogueRow &row : t.rows)
            attributes.row({t.tableName(), row.atributo, row.title, row.level, row.formula(),
                            row.survey ? QStringLiteral("S") : QStringLiteral("N")});
        if (!t.notes.isEmpty())
            notes.row({t.code, t.notes.join(QStringLiteral("\r\n"))});
    }
}

qint64 writeDataTable(Connection &db, const SampleGeography &g, const TopicTable &table, const std::vector<DataRow> &plan,
                      quint64 seed) {
    const StudyFigures figures(table, g, seed);
    QStringList columns;
    for (const CatalogueRow *c : figures.columns())
        columns << c->atributo + (c->source.kind == FigureSource::Percent ? QStringLiteral(" real")
                                                                          : QStringLiteral(" integer"));
    db.exec(QStringLiteral("create table \"%1\" (%2, Tipo_Registro integer, %3);")
                .arg(table.tableName(), QLatin1String(kTerritoryColumns), columns.join(QStringLiteral(", "))));
    Insert insert(db, table.tableName(), 12 + int(columns.size()));
    for (const DataRow &row : plan) {
        QVariantList values;
        for (const QString &text : row.texts)
            values << text;
        for (int code : row.codes)
            values << code;
        values << urbanPopulation(g, row.members) << row.kind;
        const std::vector<double> sums =
            row.kind == 1 && row.members.size() == 1 && row.codes[4] != kOthersCode
                ? figures.municipality(row.members.front())
                : figures.total(row.members);
        for (size_t i = 0; i < sums.size(); ++i) {
            if (figures.columns()[i]->source.kind == FigureSource::Percent)
                values << sums[i];
            else
                values << qint64(sums[i]);
        }
        insert.row(values);
    }
    return qint64(plan.size());
}

// The municipality list: every municipality of 20 000 urban inhabitants or
// more and every member of a metropolitan region, its state by name.
qint64 writeMunicipalityList(Connection &db, const SampleGeography &g, const TopicTable &table) {
    db.exec(QStringLiteral("create table \"%1\" (%2);").arg(table.tableName(), QLatin1String(kTerritoryColumns)));
    Insert insert(db, table.tableName(), 11);
    qint64 rows = 0;
    for (const SampleMunicipality &m : g.municipalities()) {
        if (m.urbanPopulation < kSmallTown && m.metropolitan < 0)
            continue;
        const StateFact &state = g.states()[size_t(m.state)].fact;
        const SampleMicroRegion &micro = g.micros()[size_t(m.micro)];
        const bool metro = m.metropolitan >= 0;
        insert.row({BrazilFacts::regions()[size_t(g.regionIndexOfState(m.state))].name, state.name, micro.name,
                    metro ? g.metropolitans()[size_t(m.metropolitan)].name : QString(), m.name, state.region,
                    state.code, micro.code, metro ? g.metropolitans()[size_t(m.metropolitan)].code : 0, m.code,
                    m.urbanPopulation});
        ++rows;
    }
    return rows;
}

} // namespace

Counts write(const SampleGeography &geography, const TopicCatalogue &topics, const QString &path, quint64 seed) {
    OutputFile::makeFolder(QFileInfo(path).absolutePath());
    const QString temporary = path + QStringLiteral(".tmp");
    QFile::remove(temporary);
    Counts counts;
    try {
        Connection db(temporary);
        db.exec(QStringLiteral("pragma journal_mode = off; pragma synchronous = off; begin;"));
        writeTerritory(db, geography);
        writeTopics(db, topics);
        const std::vector<DataRow> plan = RowPlan(geography).rows();
        for (const TopicTable &table : topics.tables()) {
            counts.dataRows += table.rows.empty()
                                   ? writeMunicipalityList(db, geography, table)
                                   : writeDataTable(db, geography, table, plan, StudyFigures::seedFor(seed, table.code));
            ++counts.tables;
        }
        db.exec(QStringLiteral("commit;"));
    } catch (...) {
        QFile::remove(temporary);
        throw;
    }
    OutputFile::replace(temporary, path);
    counts.bytes = QFileInfo(path).size();
    return counts;
}

} // namespace StudyDatabaseWriter
