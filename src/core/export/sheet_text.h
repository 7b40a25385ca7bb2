#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// Conversions of cell texts and number formats between the user's number
// format and the one the sheet automation reads (point for decimals, comma
// for thousands).
namespace SheetText {

// A number text in the user's format (with or without thousands separators)
// comes out in the automation's: in the Brazilian format its points and
// commas are swapped. Dates from 1900 on, texts of digits only and anything
// else that is not a number come out unchanged.
QString AjustaValor(const QString &text);

// A number format written with "," between thousands and "." for decimals,
// as the user types it: in the Brazilian format "###,##0" becomes "###.##0"
// and "##0.00" "##0,00"; with a decimal point it stays as it is.
QString TrocaSeparadores(const QString &text);

// The date and time a text shows in the user's short date (and time)
// format, when it names one later than 01/01/1900 00:00.
std::optional<QDateTime> dateAfter1900(const QString &text);

} // namespace SheetText
