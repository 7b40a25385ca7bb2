#include "support/study_fixture.h"

QString studyFixtureSql() {
    return QStringLiteral(R"SQL(
create table Pais (Pais integer);
insert into Pais values (1);

create table Regiao (Pais integer, Regiao integer, Sigla text, Descricao text);
insert into Regiao values (1, 2, 'NE', 'Nordeste'), (1, 1, 'N', 'Norte');

create table Unidade_Federativa (Pais integer, Regiao integer, Unidade_Federativa integer, Sigla text, Descricao text);
insert into Unidade_Federativa values
  (1, 1, 15, 'PA', 'Pará'), (1, 2, 26, 'PE', 'Pernambuco'), (1, 2, 27, 'AL', 'Alagoas');

create table Micro_Regiao (Pais integer, Regiao integer, Unidade_Federativa integer, Micro_Regiao integer, Sigla text, Descricao text);
insert into Micro_Regiao values
  (1, 1, 15, 15001, 'OBI', 'Óbidos'), (1, 2, 26, 26001, 'REC', 'Recife'), (1, 2, 27, 27001, 'MAC', 'Maceió');

create table Regiao_Metropolitana (Regiao_Metropolitana integer, Sigla text, Descricao text, Regiao integer, Unidade_Federativa integer);
insert into Regiao_Metropolitana values (1, 'RMR', 'RM de Recife', 2, 26), (1, 'RMR', 'RM de Recife', 2, 27);

create table Municipio (Municipio integer, Sigla text, Descricao text, Populacao_Cidade integer,
  Regiao integer, Unidade_Federativa integer, Micro_Regiao integer, Regiao_Metropolitana integer);
insert into Municipio values
  (1505106, 'PA', 'Óbidos', 25000, 1, 15, 15001, 0),
  (1500107, 'PA', 'abaetetuba', 60000, 1, 15, 15001, 0),
  (2611606, 'PE', 'Recife', 1400000, 2, 26, 26001, 1),
  (2607901, 'PE', 'Jaboatão', 500000, 2, 26, 26001, 1),
  (2600054, 'PE', 'Abreu e Lima', 8000, 2, 26, 26001, 1),
  (2704302, 'AL', 'Maceió', 790000, 2, 27, 27001, 1),
  (2700201, 'AL', 'Água Branca', 5000, 2, 27, 27001, 0),
  (999999, '', 'DEMAIS', 0, 0, 0, 0, 0);

create table Nivel_Informacao (Nivel_Informacao text, Descricao text);
insert into Nivel_Informacao values
  ('01', 'Domicílios'), ('01.01', 'Déficit'), ('01.01.01', 'Déficit por componente'),
  ('01.02', 'Inadequação'), ('02', 'Outros'), ('03', 'Municípios selecionados');

create table Nome_Atributos_Tab_Valor (Tabela text, Atributo text, Descricao_Atributo text,
  Tipo_Atributo text, Formula_Percentual_Total text, Atributo_Pesquisa_Rustico text);
insert into Nome_Atributos_Tab_Valor values
  ('010101', 'A02', 'Total', 'F', '', 'N'),
  ('010101', 'A01', 'Déficit', 'P', '', 'N');

create table Observacao_Tab_Valor (Nivel_Informacao text, Observacao text);
insert into Observacao_Tab_Valor values
  ('01.01.01', 'Nota um' || char(13) || char(10) || 'Nota dois'), ('01.02', 'Outra nota');

create table "010101" (DRegiao text, DUnidade_Federativa text, DMicro_Regiao text, DRegiao_Metropolitana text,
  DMunicipio text, Regiao integer, Unidade_Federativa integer, Micro_Regiao integer, Regiao_Metropolitana integer,
  Municipio integer, Populacao_Cidade integer, Tipo_Registro integer, A02 real, A01 real);
insert into "010101" values
  ('Norte', 'PA', 'Óbidos', '', 'Óbidos', 1, 15, 15001, 0, 1505106, 25000, 1, 10, 12.5),
  ('Norte', 'PA', 'Óbidos', '', 'abaetetuba', 1, 15, 15001, 0, 1500107, 60000, 1, 20, null),
  ('Norte', 'PA', 'ZZ', 'ZZ', 'ZZZ', 1, 15, 0, 0, 0, 0, 4, 30, 12.5),
  ('Nordeste', 'PE', 'Recife', 'RM de Recife', 'Recife', 2, 26, 26001, 1, 2611606, 1400000, 1, 100, 40),
  ('Nordeste', 'PE', 'ZZ', 'ZZ', 'ZZDEMAIS MUNICÍPIOS', 2, 26, 0, 0, 999999, 0, 1, 5, 1),
  ('Nordeste', 'ZZ', 'ZZ', 'ZZ', 'ZZZ', 2, 0, 0, 0, 0, 0, 5, 105, 41),
  ('Norte', 'ZZ', 'ZZ', 'ZZ', 'ZZZ', 1, 0, 0, 0, 0, 0, 5, 30, 12.5),
  ('ZZ', 'ZZ', 'ZZ', 'ZZ', 'ZZZ', 0, 0, 0, 0, 0, 0, 6, 135, 53.5);

create table "03" (DRegiao text, DUnidade_Federativa text, DMicro_Regiao text, DRegiao_Metropolitana text,
  DMunicipio text, Municipio integer, Populacao_Cidade integer, Regiao integer, Unidade_Federativa integer,
  Micro_Regiao integer, Regiao_Metropolitana integer);
insert into "03" values
  ('Nordeste', 'PE', 'Recife', 'RM de Recife', 'Recife', 2611606, 1400000, 2, 26, 26001, 1),
  ('Norte', 'PA', 'Óbidos', '', 'Óbidos', 1505106, 25000, 1, 15, 15001, 0);
)SQL");
}
