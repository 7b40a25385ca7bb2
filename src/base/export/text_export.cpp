#include "base/export/text_export.h"

#include "base/data/general_number.h"
#include "base/data/windows1252.h"
#include "base/table/attribute_line.h"
#include "base/table/current_result.h"
#include "base/table/result_table.h"

#include <QLocale>
#include <QStringEncoder>
#include <charconv>

namespace TextExport {

namespace {

// The file composed straight in its encoding: every value is encoded once,
// into room made ahead at the end of one byte array, so that a table of
// many thousands of rows costs no text per line or per cell.
class FileBytes {
  public:
    FileBytes(QChar separator, bool utf8)
        : m_separator(separator), m_utf8(utf8), m_encoder(QStringConverter::Utf8),
          m_point(QLocale().decimalPoint()) {}

    // A value holding the separator goes between double quotes, its own
    // quotes doubled, as spreadsheet programs read it; any other value as
    // it is. Values after the first of a line follow a separator.
    void value(QStringView text) {
        if (!m_lineStart)
            put(QStringView(&m_separator, 1));
        m_lineStart = false;
        if (!text.contains(m_separator)) {
            put(text);
            return;
        }
        QString quoted = text.toString();
        quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        put(QString(QLatin1Char('"') + quoted + QLatin1Char('"')));
    }

    // A number in the general format, with the locale's decimal separator.
    void number(double number) {
        char digits[GeneralNumber::kMaxLength];
        const int length = GeneralNumber::write(number, digits);
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

    void integer(qint64 number) {
        char digits[GeneralNumber::kMaxLength];
        const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        QChar text[GeneralNumber::kMaxLength];
        qsizetype size = 0;
        for (const char *d = digits; d != end; ++d)
            text[size++] = QLatin1Char(*d);
        value(QStringView(text, size));
    }

    void endLine() {
        put(u"\r\n");
        m_lineStart = true;
    }

    QByteArray take() {
        m_bytes.truncate(m_size);
        return std::move(m_bytes);
    }

  private:
    void put(QStringView text) {
        const qsizetype room = m_utf8 ? m_encoder.requiredSpace(text.size()) : text.size();
        if (m_size + room > m_bytes.size())
            m_bytes.resize(qMax(m_size + room, 2 * m_bytes.size()));
        char *out = m_bytes.data() + m_size;
        char *end = m_utf8 ? m_encoder.appendToBuffer(out, text) : Windows1252::append(out, text);
        m_size = end - m_bytes.data();
    }

    const QChar m_separator;
    const bool m_utf8;
    QStringEncoder m_encoder;
    const QString m_point;
    QByteArray m_bytes;
    qsizetype m_size = 0;
    bool m_lineStart = true;
};

} // namespace

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

QByteArray bytes(const ResultTable &cdsDados, const QStringList &FAtributos, QChar separator, bool utf8) {
    const std::vector<int> fields = columns(cdsDados, FAtributos);
    FileBytes file(separator, utf8);
    for (int index : fields)
        file.value(cdsDados.field(index).displayLabel());
    file.endLine();

    for (int row = 0; row < cdsDados.recordCount(); ++row) {
        for (int index : fields) {
            const ResultTable::CellValue cell = cdsDados.cell(row, index);
            switch (cell.kind) {
            case FieldKind::Float:
                file.number(cell.number);
                break;
            case FieldKind::Integer:
                file.integer(cell.integer);
                break;
            case FieldKind::Text:
                file.value(*cell.text);
                break;
            case FieldKind::Group: // a null cell
                file.value({});
            }
        }
        file.endLine();
    }
    return file.take();
}

QByteArray bytes(const CurrentResult &result, QChar separator, bool utf8) {
    return bytes(result.cdsDados(), result.FAtributos(), separator, utf8);
}

QByteArray bytes(const std::vector<QStringList> &lines, QChar separator, bool utf8) {
    FileBytes file(separator, utf8);
    for (const QStringList &line : lines) {
        for (const QString &text : line)
            file.value(text);
        file.endLine();
    }
    return file.take();
}

} // namespace TextExport
