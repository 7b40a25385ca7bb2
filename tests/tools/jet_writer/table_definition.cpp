#include "table_definition.h"

#include "jet_text.h"

#include "base/data/app_error.h"

using JetFormat::append16;
using JetFormat::ColumnType;
using JetFormat::kPageSize;

namespace {

// Every definition page starts with its kind, free space and next page.
constexpr int kPageHeader = 8;
// The counts and maps before the first column entry, after the page header.
constexpr int kTableHeader = 55;
constexpr int kColumnEntry = 25;

constexpr char kUserTable = 0x4E;
constexpr char kSystemTable = 0x53;

// Column flags: a fixed column, and one that may be null.
constexpr char kFixedColumn = 0x01;
constexpr char kNullableColumn = 0x02;
constexpr char kCompressedText = 0x01;

void appendName(QByteArray &bytes, const QString &name) {
    const QByteArray ucs2 = JetText::ucs2(name);
    append16(bytes, quint16(ucs2.size()));
    bytes.append(ucs2);
}

} // namespace

TableDefinition::TableDefinition(const QString &name, std::vector<JetColumn> columns, bool system)
    : m_name(name), m_columns(std::move(columns)), m_system(system) {
    if (name.isEmpty() || name.size() > JetFormat::kMaxNameLength)
        refuse(QStringLiteral("o nome tem mais de %1 caracteres").arg(JetFormat::kMaxNameLength));
    if (m_columns.empty() || int(m_columns.size()) > JetFormat::kMaxColumns)
        refuse(QStringLiteral("tem %1 colunas, e uma tabela tem de 1 a %2")
                   .arg(m_columns.size())
                   .arg(JetFormat::kMaxColumns));
    for (const JetColumn &column : m_columns) {
        if (column.name().isEmpty() || column.name().size() > JetFormat::kMaxNameLength)
            refuse(QStringLiteral("o nome da coluna \"%1\" tem mais de %2 caracteres")
                       .arg(column.name())
                       .arg(JetFormat::kMaxNameLength));
        m_fixedOffsets.push_back(column.isFixed() ? m_fixedSize : 0);
        m_variableIndexes.push_back(column.isFixed() ? 0 : m_variableCount);
        if (column.isFixed())
            m_fixedSize += column.length();
        else
            ++m_variableCount;
    }
}

QByteArray TableDefinition::encodeRow(const std::vector<SourceValue> &values, qint64 rowNumber) const {
    const int columnCount = int(m_columns.size());
    QByteArray row;
    append16(row, quint16(columnCount));
    row.append(QByteArray(m_fixedSize, '\0'));
    QByteArray nullMask((columnCount + 7) / 8, '\0');
    std::vector<int> variableStarts;
    int column = 0;
    try {
        // Fixed columns first at their places (a null one keeps its bytes),
        // then each variable column's bytes in turn; the mask's bit is set for
        // a value that is there, and holds a Boolean's value.
        for (; column < columnCount; ++column) {
            const JetColumn &jet = m_columns[size_t(column)];
            const SourceValue &value = values[size_t(column)];
            bool present = value.kind != SourceValue::Kind::Null;
            if (jet.type() == ColumnType::Boolean) {
                present = jet.isTrue(value);
            } else if (jet.isFixed() && present) {
                row.replace(2 + m_fixedOffsets[size_t(column)], jet.length(), jet.encode(value));
            } else if (!jet.isFixed()) {
                variableStarts.push_back(int(row.size()));
                if (present)
                    row.append(jet.encode(value));
            }
            if (present)
                nullMask[column / 8] = char(nullMask[column / 8] | (1 << (column % 8)));
        }
    } catch (const JetColumn::Rejected &rejected) {
        throw AppError(QStringLiteral("Não foi possível gravar a linha %1 da tabela \"%2\": na coluna \"%3\", %4")
                           .arg(rowNumber)
                           .arg(m_name, m_columns[size_t(column)].name(), rejected.reason()));
    }
    // Without variable columns the mask follows the fixed part; otherwise
    // the end of the data, the starts of the variable columns from last to
    // first and their count come between.
    if (m_variableCount > 0) {
        append16(row, quint16(row.size()));
        for (auto start = variableStarts.rbegin(); start != variableStarts.rend(); ++start)
            append16(row, quint16(*start));
        append16(row, quint16(m_variableCount));
    }
    row.append(nullMask);
    if (row.size() > JetFormat::kMaxRowSize)
        throw AppError(QStringLiteral("Não foi possível gravar a linha %1 da tabela \"%2\": ocupa %3 bytes, e uma "
                                      "linha Jet ocupa no máximo %4")
                           .arg(rowNumber)
                           .arg(m_name)
                           .arg(row.size())
                           .arg(JetFormat::kMaxRowSize));
    return row;
}

QByteArray TableDefinition::definitionBytes(quint32 rowCount, quint32 usageMap, quint32 freeSpaceMap) const {
    QByteArray bytes(kTableHeader, '\0');
    // Offsets below are those of the first page less its header.
    JetFormat::put32(bytes, 16 - kPageHeader, rowCount);
    bytes[40 - kPageHeader] = m_system ? kSystemTable : kUserTable;
    const auto columnCount = quint16(m_columns.size());
    JetFormat::put16(bytes, 41 - kPageHeader, columnCount);
    JetFormat::put16(bytes, 43 - kPageHeader, quint16(m_variableCount));
    JetFormat::put16(bytes, 45 - kPageHeader, columnCount);
    JetFormat::put32(bytes, 55 - kPageHeader, usageMap);
    JetFormat::put32(bytes, 59 - kPageHeader, freeSpaceMap);

    for (quint16 number = 0; number < columnCount; ++number) {
        const JetColumn &column = m_columns[number];
        QByteArray entry(kColumnEntry, '\0');
        entry[0] = char(column.type());
        JetFormat::put16(entry, 5, number);
        JetFormat::put16(entry, 7, quint16(m_variableIndexes[number]));
        JetFormat::put16(entry, 9, number);
        if (column.type() == ColumnType::Numeric) {
            entry[11] = char(column.precision());
            entry[12] = char(column.scale());
        } else if (column.isCompressible()) {
            JetFormat::put16(entry, 11, JetFormat::kGeneralSortOrder);
        }
        entry[15] = char(column.isFixed() ? kFixedColumn | kNullableColumn : kNullableColumn);
        entry[16] = column.isCompressible() ? kCompressedText : '\0';
        JetFormat::put16(entry, 21, quint16(m_fixedOffsets[number]));
        JetFormat::put16(entry, 23, quint16(column.length()));
        bytes.append(entry);
    }
    for (const JetColumn &column : m_columns)
        appendName(bytes, column.name());
    // No indexes; the list of long-value maps is empty, ended by FFFF.
    append16(bytes, 0xFFFF);
    JetFormat::put32(bytes, 0, quint32(bytes.size()));
    return bytes;
}

int TableDefinition::definitionPageCount() const {
    const qsizetype size = definitionBytes(0, 0, 0).size();
    return int((size + (kPageSize - kPageHeader) - 1) / (kPageSize - kPageHeader));
}

std::vector<QByteArray> TableDefinition::definitionPages(const std::vector<quint32> &pageNumbers, quint32 rowCount,
                                                         quint32 usageMap, quint32 freeSpaceMap) const {
    const QByteArray bytes = definitionBytes(rowCount, usageMap, freeSpaceMap);
    const int span = kPageSize - kPageHeader;
    std::vector<QByteArray> pages;
    for (size_t i = 0; i < pageNumbers.size(); ++i) {
        const QByteArray part = bytes.mid(qsizetype(i) * span, span);
        QByteArray page(kPageSize, '\0');
        page[0] = JetFormat::kTableDefinitionPage;
        page[1] = 0x01;
        JetFormat::put16(page, 2, quint16(span - part.size()));
        JetFormat::put32(page, 4, i + 1 < pageNumbers.size() ? pageNumbers[i + 1] : 0);
        page.replace(kPageHeader, part.size(), part);
        pages.push_back(page);
    }
    return pages;
}

void TableDefinition::refuse(const QString &reason) const {
    throw AppError(QStringLiteral("A tabela \"%1\" não pode ser gravada num arquivo Jet: %2").arg(m_name, reason));
}
