#pragma once

#include <QStringList>

class Query;
class ResultTable;

// Reads the catalogue of one data table (its figure columns and their
// headings, in display order) through qAux. Appends to the result table's
// definitions the attribute fields after its fixed fields - a heading with
// something under it becomes a group field, anything else a value field -
// and appends one line per catalogue row to FAtributos (see AttributeLine).
// qAux is left open on its first row.
void CarregaAtributos(Query &qAux, const QString &tabela, ResultTable &cdsDados, QStringList &FAtributos);
