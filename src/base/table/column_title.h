#pragma once

#include <QString>
#include <QStringList>

class Database;
class ResultTable;

// The titles written above the map and the chart of the marked column.
namespace ColumnTitle {

// The marked field's display label, preceded by the label of every group
// that encloses it, each followed by " - " (for Grupo.Subgrupo.Atributo:
// "Grupo - Subgrupo - Atributo" in their display labels). Raises AppError
// when the table has no field of that full name.
QString TituloCampo(const ResultTable &cdsDados, const QString &FCampoPercentual);

// The title lines of a picture: the description of the topic itself (its
// ancestors in the topic table, read by the same statement, are left out),
// then TituloCampo. A topic code of two characters has no line of its own.
// Database errors raise AppError.
QStringList lines(Database &database, const QString &FNivelSelecionado, const ResultTable &cdsDados,
                  const QString &FCampoPercentual);

// The statement lines of the topic query for a topic code.
QStringList statement(const QString &FNivelSelecionado);

} // namespace ColumnTitle
