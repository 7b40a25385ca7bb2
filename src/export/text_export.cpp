#include "export/text_export.h"

#include "data/safe_file.h"
#include "data/windows1252.h"
#include "table/attribute_line.h"
#include "table/result_table.h"

namespace TextExport {

namespace {

// A value holding the separator goes between double quotes, its own quotes
// doubled, as spreadsheet programs read it; any other value as it is.
QString field(const QString &value, QChar separator) {
    if (!value.contains(separator))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

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

QStringList lines(ResultTable &cdsDados, const QStringList &FAtributos, QChar separator) {
    const std::vector<int> fields = columns(cdsDados, FAtributos);
    QStringList result;
    QString title;
    for (int index : fields)
        title += field(cdsDados.field(index).displayLabel(), separator) + separator;
    title.chop(1);
    result << title;

    cdsDados.first();
    for (int row = 0; row < cdsDados.recordCount(); ++row) {
        QString line;
        for (int index : fields) {
            line += field(cdsDados.plainText(row, index), separator);
            line += separator;
        }
        line.chop(1);
        result << line;
    }
    cdsDados.first();
    return result;
}

QByteArray encode(const QStringList &lines, bool utf8) {
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return utf8 ? text.toUtf8() : Windows1252::encode(text);
}

void write(const QString &path, const QByteArray &bytes) { SafeFile::write(path, bytes); }

} // namespace TextExport
