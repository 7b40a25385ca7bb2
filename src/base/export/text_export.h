#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QStringEncoder>
#include <QStringList>
#include <functional>
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

// The file written as its rows come: the title line on construction, then a
// line per row handed over, every line followed by CR LF, in Windows-1252
// or, on request, UTF-8. The bytes reach the sink in parts of about 64 KB,
// the last at finish(), so a table of any size takes the same memory.
class Writer {
  public:
    using Sink = std::function<void(QByteArrayView part)>;

    // A file of lines of texts, with no table's title line.
    Writer(QChar separator, bool utf8, Sink sink);
    Writer(const ResultTable &cdsDados, const QStringList &FAtributos, QChar separator, bool utf8, Sink sink);
    Writer(const CurrentResult &result, QChar separator, bool utf8, Sink sink);

    // The line of one row of the table, which may be another table with the
    // same fields as the one the writer was made with (a table handed
    // over row by row is emptied and filled again).
    void row(const ResultTable &cdsDados, int row);
    // A line of texts, each quoted as a value of the table is.
    void line(const QStringList &texts);
    void finish();

  private:
    void value(QStringView text);
    void number(double number);
    void integer(qint64 number);
    void figure(const char *digits, int length);
    void separate();
    void endLine();
    void put(QStringView text);
    // Room for size more bytes at the end of the part; returns where.
    char *room(qsizetype size);
    void handOver();

    std::vector<int> m_fields;
    const QChar m_separator;
    const bool m_utf8;
    QStringEncoder m_encoder;
    const QString m_point;
    // The decimal point when it is one ASCII character (a figure is then
    // the same bytes in both encodings), else 0.
    const char m_asciiPoint;
    QByteArray m_separatorBytes; // the separator encoded
    const Sink m_sink;
    QByteArray m_bytes;
    qsizetype m_size = 0;
    bool m_lineStart = true;
};

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
