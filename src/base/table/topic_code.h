#pragma once

#include <QString>

// The codes of the topic tree ("01", "01.01", "01.01.01"): two-digit groups
// joined by dots. Codes of 8 characters name data tables; so does the one
// top-level code of the municipality list, a table of its own shape (no row
// kinds, no catalogue, no notes).
namespace TopicCode {

inline const QString kMunicipalityList = QStringLiteral("03");

bool isMunicipalityList(const QString &topic);

// A data table, not a heading of the tree.
bool isTable(const QString &topic);

// The data table's name: the code without its dots, at most 50 characters.
QString tableName(const QString &topic);

} // namespace TopicCode
