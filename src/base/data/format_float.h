#pragma once

#include <QLocale>
#include <QString>

// Formats a number with a picture of digit placeholders, as the published
// tables use them: "0" a digit always shown, "#" a digit shown when
// significant, "." the decimal separator, "," anywhere for thousands
// grouping; up to three sections separated by ";" for positive, negative and
// zero values (a negative section carries its own sign). The separators are
// the locale's. Halves round away from zero.
QString FormatFloat(const QString &pattern, double value, const QLocale &locale = QLocale());
