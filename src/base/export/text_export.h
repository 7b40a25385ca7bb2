#pragma once

#include <QByteArray>
#include <QChar>
#include <QStringList>
#include <vector>

class CurrentResult;
class ResultTable;

// The result table as a delimited text file: a title line, then one line per
// row (total rows included) with the plain values, all separated by one
// character. Only a value holding the separator is quoted (between double
// quotes, its own quotes doubled), so that the file reads back as written.
namespace TextExport {

// The fields written, in order: the shown top-level plain fields, then every
// value attribute of FAtributos that is not one of those (a top-level value
// field is written once).
std::vector<int> columns(const ResultTable &cdsDados, const QStringList &FAtributos);

// The file's bytes: the title line and the row lines, every line followed
// by CR LF, in Windows-1252 or, on request, UTF-8.
QByteArray bytes(const ResultTable &cdsDados, const QStringList &FAtributos, QChar separator, bool utf8 = false);

// The file of the current result's table, as the export dialog and the
// command line write it.
QByteArray bytes(const CurrentResult &result, QChar separator, bool utf8 = false);

// Lines of texts written as the table's are: a value holding the separator
// quoted, every line followed by CR LF, in the same encodings.
QByteArray bytes(const std::vector<QStringList> &lines, QChar separator, bool utf8 = false);

} // namespace TextExport
