#include "main_window_fixture.h"

#include "base/data/program_folder.h"
#include "support/study_fixture.h"
#include "ui/table/data_page.h"
#include "ui/table/table_area.h"

#include <QLabel>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

QString topicStudySql() {
    // One transaction: the fixture is written in a blink instead of one
    // synchronous write per statement. Every table topic has its (empty)
    // data table, as choosing one runs its query.
    return QStringLiteral("begin;\n") + studyFixtureSql() + QStringLiteral(R"SQL(
delete from Nivel_Informacao;
insert into Nivel_Informacao values
  ('01', 'Déficit habitacional'),
  ('01.01', 'Déficit por componente'), ('01.01.01', 'Déficit por componente'), ('01.01.02', 'Domicílios rústicos'),
  ('01.02', 'Coabitação familiar'), ('01.02.01', 'Famílias conviventes'),
  ('01.03', 'Ônus excessivo com aluguel'),
  ('01.04', 'Déficit por renda'),
  ('01.05', 'Déficit por cor'),
  ('01.06', 'Déficit relativo'),
  ('02', 'Inadequação'),
  ('02.01', 'Infraestrutura'),
  ('02.01.01', 'Tabela com um título longo de exatamente setenta caracteres para teste'),
  ('02.01.02', 'Tabela com um título longo de exatamente setenta e um caracteres p/ tes'),
  ('03', 'Municípios selecionados'),
  ('04', 'Domicílios vagos'), ('04.01', 'Vagos por condição');
create table "010102" (DRegiao text, DUnidade_Federativa text, DMicro_Regiao text, DRegiao_Metropolitana text,
  DMunicipio text, Regiao integer, Unidade_Federativa integer, Micro_Regiao integer, Regiao_Metropolitana integer,
  Municipio integer, Populacao_Cidade integer, Tipo_Registro integer);
create table "010201" as select * from "010102";
create table "020101" as select * from "010102";
create table "020102" as select * from "010102";
commit;
)SQL");
}

MainWindowFixture::MainWindowFixture(const QString &sql) : m_db(sql) {
    ProgramFolder::setPath(m_db.folder());
    m_window = new TMain_Frm;
}

MainWindowFixture::~MainWindowFixture() {
    delete m_window;
    ProgramFolder::setPath(QString());
}

bool MainWindowFixture::show() {
    m_window->resize(1024, 768);
    m_window->show();
    return QTest::qWaitForWindowExposed(m_window.data());
}

QTreeWidget *MainWindowFixture::tree() const { return m_window->findChild<QTreeWidget *>(QStringLiteral("tvOpcoes")); }

QTreeWidget *MainWindowFixture::codes() const { return m_window->findChild<QTreeWidget *>(QStringLiteral("tvIDOpcoes")); }

QLabel *MainWindowFixture::label(const char *name) const { return m_window->findChild<QLabel *>(QLatin1String(name)); }

QTreeWidgetItem *MainWindowFixture::node(const QString &title) const {
    for (QTreeWidgetItemIterator it(tree()); *it; ++it)
        if ((*it)->text(0) == title)
            return *it;
    return nullptr;
}

void MainWindowFixture::clickFigureTitle(const QString &name, const QString &fullName) {
    m_window->dataPage().table().markColumn(5, name, fullName);
}
