#include "base/table/result_table.h"

#include "base/data/app_error.h"
#include "base/data/format_float.h"
#include "base/data/general_number.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace {

int defaultDisplayWidth(FieldKind kind, int size) {
    switch (kind) {
    case FieldKind::Text:
        return size;
    case FieldKind::Integer:
    case FieldKind::Float:
        return 10;
    case FieldKind::Group:
        return 0;
    }
    return 0;
}

const double kNullNumber = std::numeric_limits<double>::quiet_NaN();
constexpr qint64 kNullInteger = std::numeric_limits<qint64>::min();

QString generalNumber(double value) {
    char buffer[GeneralNumber::kMaxLength];
    QString text = QString::fromLatin1(buffer, GeneralNumber::write(value, buffer));
    const QString point = QLocale().decimalPoint();
    if (point != QLatin1String("."))
        text.replace(QLatin1Char('.'), point);
    return text;
}

} // namespace

ResultTable::ResultTable(QObject *parent) : QObject(parent) {}

void ResultTable::clearFields() {
    close();
    m_fields.clear();
    m_topLevel.clear();
    m_byName.clear();
    m_cells.clear();
}

int ResultTable::addField(const QString &name, FieldKind kind, int size, int parent) {
    if (parent >= 0 && (parent >= fieldCount() || !m_fields[parent].isGroup()))
        parent = -1;
    const int index = fieldCount();
    const QString fullName = parent < 0 ? name : m_fields[parent].fullName() + QLatin1Char('.') + name;
    ResultField &f = m_fields.emplace_back(index, name, fullName, kind, size, parent);
    f.setDisplayWidth(defaultDisplayWidth(kind, size));
    if (kind != FieldKind::Group) {
        f.m_column = static_cast<int>(m_cells.size());
        m_cells.push_back(Column{kind});
    }
    if (parent < 0)
        m_topLevel.push_back(index);
    else
        m_fields[parent].m_children.push_back(index);
    const QString key = fullName.toLower();
    if (!m_byName.contains(key))
        m_byName.insert(key, index);
    return index;
}

void ResultTable::createDataSet() {
    close();
    m_rowCount = 0;
    m_active = true;
    first();
    notifyReset();
}

void ResultTable::close() {
    if (!m_active)
        return;
    m_active = false;
    for (Column &column : m_cells)
        column = Column{column.kind};
    m_rowCount = 0;
    m_row = 0;
    m_eof = m_bof = true;
    notifyReset();
    emit afterClose();
}

int ResultTable::findField(const QString &fullName) const { return m_byName.value(fullName.toLower(), -1); }

ResultField &ResultTable::fieldByName(const QString &fullName) {
    const int index = findField(fullName);
    if (index < 0)
        throw AppError(QStringLiteral("Field '%1' not found").arg(fullName));
    return m_fields[index];
}

const ResultField &ResultTable::fieldByName(const QString &fullName) const {
    return const_cast<ResultTable *>(this)->fieldByName(fullName);
}

void ResultTable::reserve(int rows) {
    for (Column &column : m_cells) {
        switch (column.kind) {
        case FieldKind::Float:
            column.numbers.reserve(rows);
            break;
        case FieldKind::Integer:
            column.integers.reserve(rows);
            break;
        default:
            column.texts.reserve(rows);
        }
    }
}

void ResultTable::append() {
    if (!m_active)
        throw AppError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    for (Column &column : m_cells) {
        switch (column.kind) {
        case FieldKind::Float:
            column.numbers.push_back(kNullNumber);
            break;
        case FieldKind::Integer:
            column.integers.push_back(kNullInteger);
            break;
        default:
            column.texts.push_back(0);
        }
    }
    ++m_rowCount;
    m_row = recordCount() - 1;
    m_eof = m_bof = false;
    notifyReset();
}

void ResultTable::clearRows() {
    for (Column &column : m_cells) {
        column.numbers.clear();
        column.integers.clear();
        column.texts.clear();
        // The last text stays, so that the next row's equal text shares it.
        if (column.strings.size() > 2)
            column.strings.erase(column.strings.begin() + 1, column.strings.end() - 1);
    }
    m_rowCount = 0;
    first();
    notifyReset();
}

std::pair<ResultTable::Column *, int> ResultTable::currentCell(int field) {
    if (!m_active || recordCount() == 0)
        throw AppError(QStringLiteral("Cannot perform this operation on a closed or empty dataset"));
    const ResultField &f = m_fields[field];
    if (f.isGroup())
        throw AppError(QStringLiteral("Field '%1' holds no value").arg(f.fullName()));
    return {&m_cells[f.column()], m_row};
}

// A text is cut to the field's size; a value of another kind than the
// field's is converted.
void ResultTable::setText(int field, const QString &text) {
    const int size = m_fields[field].size();
    const auto [column, row] = currentCell(field);
    if (column->kind == FieldKind::Text) {
        if (size > 0 && text.size() > size)
            column->setText(row, text.left(size));
        else if (text.isNull())
            column->setText(row, QStringLiteral("")); // set, so not null
        else
            column->setText(row, text);
        return;
    }
    if (column->kind == FieldKind::Float)
        column->numbers[row] = text.toDouble();
    else
        column->integers[row] = text.toLongLong();
}

void ResultTable::setInteger(int field, qint64 value) {
    const auto [column, row] = currentCell(field);
    switch (column->kind) {
    case FieldKind::Float:
        column->numbers[row] = static_cast<double>(value);
        break;
    case FieldKind::Integer:
        column->integers[row] = value;
        break;
    default:
        column->setText(row, QString::number(value));
    }
}

void ResultTable::setFloat(int field, double value) {
    const auto [column, row] = currentCell(field);
    switch (column->kind) {
    case FieldKind::Float:
        column->numbers[row] = value;
        break;
    case FieldKind::Integer:
        column->integers[row] = qRound64(value);
        break;
    default:
        column->setText(row, QString::number(value, 'g', 15));
    }
}

// The text is never null here: the null text stays entry 0 alone.
void ResultTable::Column::setText(int row, const QString &text) {
    if (strings.size() == 1 || strings.back() != text)
        strings.push_back(text);
    texts[row] = static_cast<quint32>(strings.size() - 1);
}

const ResultTable::Column *ResultTable::cellColumn(int row, int field) const {
    if (row < 0 || row >= recordCount() || field < 0 || field >= fieldCount() || m_fields[field].isGroup())
        return nullptr;
    const Column &column = m_cells[m_fields[field].column()];
    switch (column.kind) {
    case FieldKind::Float:
        return std::isnan(column.numbers[row]) ? nullptr : &column;
    case FieldKind::Integer:
        return column.integers[row] == kNullInteger ? nullptr : &column;
    default:
        return column.texts[row] == 0 ? nullptr : &column;
    }
}

QVariant ResultTable::value(int row, int field) const {
    const Column *column = cellColumn(row, field);
    if (!column)
        return {};
    switch (column->kind) {
    case FieldKind::Float:
        return column->numbers[row];
    case FieldKind::Integer:
        return column->integers[row];
    default:
        return column->text(row);
    }
}

ResultTable::CellValue ResultTable::cell(int row, int field) const {
    CellValue cell;
    const Column *column = cellColumn(row, field);
    if (!column)
        return cell;
    cell.kind = column->kind;
    switch (column->kind) {
    case FieldKind::Float:
        cell.number = column->numbers[row];
        break;
    case FieldKind::Integer:
        cell.integer = column->integers[row];
        break;
    default:
        cell.text = &column->text(row);
    }
    return cell;
}

QString ResultTable::asString(int row, int field) const {
    const Column *column = cellColumn(row, field);
    if (!column)
        return {};
    return column->kind == FieldKind::Text ? column->text(row) : value(row, field).toString();
}

qint64 ResultTable::asInteger(int row, int field) const {
    const Column *column = cellColumn(row, field);
    if (!column)
        return 0;
    switch (column->kind) {
    case FieldKind::Float:
        return std::isnan(column->numbers[row]) ? 0 : qRound64(column->numbers[row]);
    case FieldKind::Integer:
        return column->integers[row] == kNullInteger ? 0 : column->integers[row];
    default:
        return column->text(row).toLongLong();
    }
}

double ResultTable::asFloat(int row, int field) const {
    const Column *column = cellColumn(row, field);
    if (!column)
        return 0.0;
    switch (column->kind) {
    case FieldKind::Float:
        return std::isnan(column->numbers[row]) ? 0.0 : column->numbers[row];
    case FieldKind::Integer:
        return column->integers[row] == kNullInteger ? 0.0 : static_cast<double>(column->integers[row]);
    default:
        return column->text(row).toDouble();
    }
}

QString ResultTable::displayText(int row, int field) const {
    const ResultField &f = m_fields[field];
    if (f.onGetText())
        return f.onGetText()(*this, row, f);
    const Column *column = cellColumn(row, field);
    if (!column)
        return QString();
    if (column->kind == FieldKind::Float && !f.displayFormat().isEmpty())
        return FormatFloat(f.displayFormat(), column->numbers[row]);
    return plainText(row, field);
}

QString ResultTable::plainText(int row, int field) const {
    const Column *column = cellColumn(row, field);
    if (!column)
        return QString();
    switch (column->kind) {
    case FieldKind::Float:
        return generalNumber(column->numbers[row]);
    case FieldKind::Integer:
        return QString::number(column->integers[row]);
    default:
        return column->text(row);
    }
}

void ResultTable::first() {
    m_row = 0;
    m_bof = true;
    m_eof = recordCount() == 0;
    if (m_disabled == 0)
        emit afterScroll();
}

void ResultTable::next() {
    if (m_row + 1 < recordCount()) {
        ++m_row;
        m_bof = false;
        if (m_disabled == 0)
            emit afterScroll();
    } else {
        m_eof = true;
    }
}

void ResultTable::moveTo(int row) {
    if (row < 0 || row >= recordCount() || row == m_row)
        return;
    m_row = row;
    m_bof = m_eof = false;
    if (m_disabled == 0)
        emit afterScroll();
}

void ResultTable::disableControls() { ++m_disabled; }

void ResultTable::enableControls() {
    if (m_disabled == 0)
        return;
    // Titles, widths and visibility may have changed too: the views reload
    // once, whether rows came or not.
    if (--m_disabled == 0) {
        emit contentReset();
        emit afterScroll();
    }
}

void ResultTable::notifyReset() {
    if (m_disabled == 0)
        emit contentReset();
}
