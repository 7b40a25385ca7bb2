#pragma once

#include <QString>

// Statements are composed in the dialect of the desktop database the study
// was published in. This turns one into a statement SQLite runs with the
// same meaning:
//  - Left(x, n) becomes a call of the registered function acc_left (SQLite
//    reads "Left(" as the join keyword even when a function has that name);
//  - a table name made only of digits after FROM is quoted ("03");
//  - every ORDER BY term sorts text with the Portuguese collation.
// String literals and quoted names are never touched.
namespace AccessDialect {

inline constexpr const char *kLeftFunction = "acc_left";

QString toSqlite(const QString &statement);

} // namespace AccessDialect
