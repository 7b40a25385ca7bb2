#pragma once

#include <QString>

class ResultTable;
class ResultField;

// Display text of a figure: survey-sample figures (tag 1) of 49 or less and
// percentages of them (tag 2) of 0 or less show "x" on municipality rows or
// when not positive; other figures not above 0 show "-"; the rest is
// formatted with the field's display format.
QString ValorGetText(const ResultTable &table, int row, const ResultField &field);

// The rule itself, for a value v on a row of kind tipoRegistro.
QString valueText(double v, int tag, qint64 tipoRegistro, const QString &format);
