#include "table_fixture.h"

#include "base/table/topic_notes.h"
#include "support/study_fixture.h"

QString tableFixtureSql() {
    return studyFixtureSql() + QStringLiteral(R"SQL(
insert into Nivel_Informacao values ('01.01.02', 'Déficit por faixa de renda'), ('02.01', 'Tabelas incompletas'), ('02.01.01', 'Tabela incompleta');

insert into Nome_Atributos_Tab_Valor values
  ('010102', 'B1', 'Domicílios rústicos', 'P', '', 'N'),
  ('010102', 'B2', 'Percentual', 'F', 'B2/B3', 'S'),
  ('010102', 'B3', 'Amostra', 'F', '', 'S'),
  ('010102', 'B4', 'Total geral', 'P', '', 'N'),
  ('020101', 'Z9', 'Coluna que a tabela não tem', 'P', '', 'N');

create table "020101" (DRegiao text, DUnidade_Federativa text, DMicro_Regiao text, DRegiao_Metropolitana text,
  DMunicipio text, Regiao integer, Unidade_Federativa integer, Micro_Regiao integer, Regiao_Metropolitana integer,
  Municipio integer, Populacao_Cidade integer, Tipo_Registro integer);

insert into Observacao_Tab_Valor values
  ('01.01.02', 'Linha 1' || char(13) || char(10) || 'Linha 2' || char(13) || char(10) ||
               'Linha 3' || char(13) || char(10) || 'Linha 4');

create table "010102" (DRegiao text, DUnidade_Federativa text, DMicro_Regiao text, DRegiao_Metropolitana text,
  DMunicipio text, Regiao integer, Unidade_Federativa integer, Micro_Regiao integer, Regiao_Metropolitana integer,
  Municipio integer, Populacao_Cidade integer, Tipo_Registro integer, B2 real, B3 real, B4 real);
insert into "010102" values
  ('Norte', 'PA', 'Óbidos', '', 'Óbidos', 1, 15, 15001, 0, 1505106, 25000, 1, 12.5, 49, 100),
  ('Norte', 'PA', 'Óbidos', '', 'abaetetuba', 1, 15, 15001, 0, 1500107, 60000, 1, 0, 50, 200),
  ('Nordeste', 'PE', 'Recife', 'RM de Recife', 'Recife', 2, 26, 26001, 1, 2611606, 1400000, 1, 40, 1000, 1234.5),
  ('Nordeste', 'PE', 'Recife', 'RM de Recife', 'Jaboatão', 2, 26, 26001, 1, 2607901, 500000, 1, 20, 400, 600),
  ('Nordeste', 'PE', 'Recife', 'RM de Recife', 'Abreu e Lima', 2, 26, 26001, 1, 2600054, 8000, 1, 1, 10, 20),
  ('Nordeste', 'AL', 'Maceió', 'RM de Recife', 'Maceió', 2, 27, 27001, 1, 2704302, 790000, 1, 30, 300, 700),
  ('Nordeste', 'AL', 'Maceió', '', 'Água Branca', 2, 27, 27001, 0, 2700201, 5000, 1, 2, 5, 10),
  ('Nordeste', 'PE', 'ZZ', 'ZZ', 'ZZDEMAIS MUNICÍPIOS', 2, 26, 0, 0, 999999, 0, 1, 1, 10, 20),
  ('Nordeste', 'AL', 'ZZ', 'ZZ', 'ZZDemais Municípios', 2, 27, 0, 0, 999999, 0, 1, 2, 5, 10),
  ('Nordeste', 'ZZ', 'ZZ', 'ZZ', 'ZZDEMAIS MUNICÍPIOS', 2, 0, 0, 0, 999999, 0, 1, 3, 15, 30),
  ('ZZ', 'ZZ', 'ZZ', 'ZZ', 'ZZDEMAIS MUNICÍPIOS', 0, 0, 0, 0, 999999, 0, 1, 3, 15, 30),
  ('Nordeste', 'ZZ', 'ZZ', 'RM de Recife', 'ZZZ', 2, 0, 0, 1, 0, 0, 2, 30, 1710, 2554.5),
  ('ZZ', 'ZZ', 'ZZ', 'ZZ', 'ZZZ', 0, 0, 0, 0, 0, 0, 43, 30, 1710, 2554.5),
  ('Norte', 'PA', 'Óbidos', 'ZZ', 'ZZZ', 1, 15, 15001, 0, 0, 0, 3, 10, 99, 300),
  ('Nordeste', 'PE', 'Recife', 'ZZ', 'ZZZ', 2, 26, 26001, 0, 0, 0, 3, 30, 1410, 1854.5),
  ('Nordeste', 'AL', 'Maceió', 'ZZ', 'ZZZ', 2, 27, 27001, 0, 0, 0, 3, 25, 305, 710),
  ('Norte', 'PA', 'ZZ', 'ZZ', 'ZZZ', 1, 15, 0, 0, 0, 0, 4, 10, 30, 300),
  ('Nordeste', 'PE', 'ZZ', 'ZZ', 'ZZZ', 2, 26, 0, 0, 0, 0, 4, 30, 1410, 1854.5),
  ('Nordeste', 'AL', 'ZZ', 'ZZ', 'ZZZ', 2, 27, 0, 0, 0, 0, 4, 25, 0, 710),
  ('Norte', 'ZZ', 'ZZ', 'ZZ', 'ZZZ', 1, 0, 0, 0, 0, 0, 5, 10, 99, 300),
  ('Nordeste', 'ZZ', 'ZZ', 'ZZ', 'ZZZ', 2, 0, 0, 0, 0, 0, 5, 28, 1715, 2564.5),
  ('ZZ', 'ZZ', 'ZZ', 'ZZ', 'ZZZ', 0, 0, 0, 0, 0, 0, 6, 25, 1814, 2864.5);
)SQL");
}

TableFixture::TableFixture() : fixture(tableFixtureSql()) {
    db.setPath(fixture.path());
    db.setConnected(true);
}

SelectionState selection(int agrupar, int regiao, int uf, int micro, int rm, int municipio) {
    SelectionState s;
    s.agrupar = static_cast<Grouping::Level>(agrupar);
    s.regiao = regiao;
    s.unidadeFederativa = uf;
    s.microRegiao = micro;
    s.regiaoMetropolitana = rm;
    s.municipio = municipio;
    return s;
}
