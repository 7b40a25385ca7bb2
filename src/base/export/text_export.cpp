#include "base/export/text_export.h"

#include "base/data/general_number.h"
#include "base/data/windows1252.h"
#include "base/table/attribute_line.h"
#include "base/table/current_result.h"
#include "base/table/result_table.h"

#include <QLocale>
#include <QStringEncoder>
#include <algorithm>
#include <charconv>
#include <cstring>

namespace TextExport {

std::vector<int> columns(const ResultTable &cdsDados, const QStringList &FAtributos) {
    std::vector<int> result;
    for (int index : cdsDados.topLevelFields()) {
        const ResultField &field = cdsDados.field(index);
        if (field.isVisible() && !field.isGroup())
            result.push_back(index);
    }
    for (const QString &text : FAtributos) {
        const AttributeLine line = AttributeLine::parse(text);
        if (!line.isValue())
            continue;
        const ResultField &field = cdsDados.fieldByName(line.path);
        if (field.parent() < 0 && field.isVisible())
            continue; // already written among the top-level fields
        result.push_back(field.index());
    }
    return result;
}

namespace {
// A part is handed over once it is this large: large enough that the
// writes cost little, small enough to stay in the processor's cache.
constexpr qsizetype kPart = 64 * 1024;
} // namespace

Writer::Writer(QChar separator, bool utf8, Sink sink)
    : m_separator(separator), m_utf8(utf8), m_encoder(QStringConverter::Utf8), m_point(QLocale().decimalPoint()),
      m_asciiPoint(m_point.size() == 1 && m_point[0].unicode() < 0x80 ? static_cast<char>(m_point[0].unicode()) : 0),
      m_sink(std::move(sink)) {
    m_bytes.resize(kPart * 2);
    put(QStringView(&m_separator, 1));
    m_separatorBytes = m_bytes.left(m_size);
    m_size = 0;
}

Writer::Writer(const ResultTable &cdsDados, const QStringList &FAtributos, QChar separator, bool utf8, Sink sink)
    : Writer(separator, utf8, std::move(sink)) {
    m_fields = columns(cdsDados, FAtributos);
    for (int index : m_fields)
        value(cdsDados.field(index).displayLabel());
    endLine();
}

Writer::Writer(const CurrentResult &result, QChar separator, bool utf8, Sink sink)
    : Writer(result.cdsDados(), result.FAtributos(), separator, utf8, std::move(sink)) {}

void Writer::row(const ResultTable &cdsDados, int row) {
    for (int index : m_fields) {
        const ResultTable::CellValue cell = cdsDados.cell(row, index);
        switch (cell.kind) {
        case FieldKind::Float:
            number(cell.number);
            break;
        case FieldKind::Integer:
            integer(cell.integer);
            break;
        case FieldKind::Text:
            value(*cell.text);
            break;
        case FieldKind::Group: // a null cell
            value({});
        }
    }
    endLine();
}

void Writer::line(const QStringList &texts) {
    for (const QString &text : texts)
        value(text);
    endLine();
}

void Writer::finish() { handOver(); }

// A value holding the separator goes between double quotes, its own quotes
// doubled, as spreadsheet programs read it; any other value as it is.
void Writer::value(QStringView text) {
    separate();
    if (!text.contains(m_separator)) {
        put(text);
        return;
    }
    QString quoted = text.toString();
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    put(QString(QLatin1Char('"') + quoted + QLatin1Char('"')));
}

// A number in the general format, with the locale's decimal separator.
void Writer::number(double number) {
    char digits[GeneralNumber::kMaxLength];
    figure(digits, GeneralNumber::write(number, digits));
}

void Writer::integer(qint64 number) {
    char digits[GeneralNumber::kMaxLength];
    figure(digits, static_cast<int>(std::to_chars(digits, digits + sizeof digits, number).ptr - digits));
}

// A figure's digits, sign and point: most of a table's values. With a point
// of one ASCII character, and no separator among them to quote, they go in
// as bytes, which they are in both encodings, after the separator.
void Writer::figure(const char *digits, int length) {
    const char16_t separator = m_separator.unicode();
    const auto holds = [&](char c) { return std::memchr(digits, c, length) != nullptr; };
    const bool quoted = separator < 0x80 && ((separator != '.' && holds(static_cast<char>(separator))) ||
                                             (separator == m_asciiPoint && holds('.')));
    if (m_asciiPoint && !quoted) {
        char *out = room(m_separatorBytes.size() + length);
        if (!m_lineStart)
            out = std::copy(m_separatorBytes.cbegin(), m_separatorBytes.cend(), out);
        m_lineStart = false;
        for (int i = 0; i < length; ++i)
            *out++ = digits[i] == '.' ? m_asciiPoint : digits[i];
        m_size = out - m_bytes.data();
        return;
    }
    QChar text[GeneralNumber::kMaxLength * 2];
    qsizetype size = 0;
    for (int i = 0; i < length; ++i) {
        if (digits[i] != '.') {
            text[size++] = QLatin1Char(digits[i]);
            continue;
        }
        for (const QChar c : m_point)
            text[size++] = c;
    }
    value(QStringView(text, size));
}

// Values after the first of a line follow a separator.
void Writer::separate() {
    if (!m_lineStart) {
        char *out = room(m_separatorBytes.size());
        m_size = std::copy(m_separatorBytes.cbegin(), m_separatorBytes.cend(), out) - m_bytes.data();
    }
    m_lineStart = false;
}

void Writer::endLine() {
    put(u"\r\n");
    m_lineStart = true;
    if (m_size >= kPart)
        handOver();
}

// Every text is encoded once, straight into room made ahead at the end of
// the part, so that a line costs no text of its own.
void Writer::put(QStringView text) {
    char *out = room(m_utf8 ? m_encoder.requiredSpace(text.size()) : text.size());
    char *end = m_utf8 ? m_encoder.appendToBuffer(out, text) : Windows1252::append(out, text);
    m_size = end - m_bytes.data();
}

char *Writer::room(qsizetype size) {
    if (m_size + size > m_bytes.size())
        m_bytes.resize(qMax(m_size + size, 2 * m_bytes.size()));
    return m_bytes.data() + m_size;
}

void Writer::handOver() {
    if (m_size == 0)
        return;
    m_sink(QByteArrayView(m_bytes.constData(), m_size));
    m_size = 0;
}

QByteArray bytes(const ResultTable &cdsDados, const QStringList &FAtributos, QChar separator, bool utf8) {
    QByteArray file;
    Writer writer(cdsDados, FAtributos, separator, utf8, [&file](QByteArrayView part) { file.append(part); });
    for (int row = 0; row < cdsDados.recordCount(); ++row)
        writer.row(cdsDados, row);
    writer.finish();
    return file;
}

QByteArray bytes(const CurrentResult &result, QChar separator, bool utf8) {
    return bytes(result.cdsDados(), result.FAtributos(), separator, utf8);
}

QByteArray bytes(const std::vector<QStringList> &lines, QChar separator, bool utf8) {
    QByteArray file;
    Writer writer(separator, utf8, [&file](QByteArrayView part) { file.append(part); });
    for (const QStringList &line : lines)
        writer.line(line);
    writer.finish();
    return file;
}

} // namespace TextExport
