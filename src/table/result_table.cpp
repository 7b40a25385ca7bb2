#include "table/result_table.h"

#include "data/app_error.h"
#include "data/format_float.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

const QVariant &nullValue() {
    static const QVariant null;
    return null;
}

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

QString generalNumber(double value) {
    QString text = QString::number(value, 'g', 15);
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
        m_cells.emplace_back();
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
    for (auto &column : m_cells)
        column.clear();
    m_rowCount = 0;
    m_active = true;
    applyFilter();
    first();
    notifyReset();
}

void ResultTable::close() {
    if (!m_active)
        return;
    m_active = false;
    for (auto &column : m_cells)
        column.clear();
    m_rowCount = 0;
    m_visible.clear();
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

void ResultTable::append() {
    if (!m_active)
        throw AppError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    for (auto &column : m_cells)
        column.emplace_back();
    ++m_rowCount;
    if (m_filtered)
        m_visible.push_back(m_rowCount - 1);
    m_row = recordCount() - 1;
    m_eof = m_bof = false;
    notifyReset();
}

void ResultTable::checkCurrentRow() const {
    if (!m_active || recordCount() == 0)
        throw AppError(QStringLiteral("Cannot perform this operation on a closed or empty dataset"));
}

void ResultTable::store(int field, QVariant value) {
    checkCurrentRow();
    const ResultField &f = m_fields[field];
    if (f.isGroup())
        throw AppError(QStringLiteral("Field '%1' holds no value").arg(f.fullName()));
    m_cells[f.column()][physicalRow(m_row)] = std::move(value);
}

void ResultTable::setText(int field, const QString &text) {
    const int size = m_fields[field].size();
    store(field, size > 0 && text.size() > size ? text.left(size) : text);
}

void ResultTable::setInteger(int field, qint64 value) { store(field, value); }
void ResultTable::setFloat(int field, double value) { store(field, value); }

int ResultTable::recordCount() const {
    if (!m_active)
        return 0;
    return m_filtered ? static_cast<int>(m_visible.size()) : m_rowCount;
}

int ResultTable::physicalRow(int row) const { return m_filtered ? m_visible[row] : row; }

const QVariant &ResultTable::value(int row, int field) const {
    if (row < 0 || row >= recordCount() || field < 0 || field >= fieldCount() || m_fields[field].isGroup())
        return nullValue();
    return m_cells[m_fields[field].column()][physicalRow(row)];
}

QString ResultTable::asString(int row, int field) const {
    const QVariant &v = value(row, field);
    return v.isNull() ? QString() : v.toString();
}

qint64 ResultTable::asInteger(int row, int field) const {
    const QVariant &v = value(row, field);
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Double)
        return qRound64(v.toDouble());
    return v.toLongLong();
}

double ResultTable::asFloat(int row, int field) const {
    const QVariant &v = value(row, field);
    return v.isNull() ? 0.0 : v.toDouble();
}

QString ResultTable::displayText(int row, int field) const {
    const ResultField &f = m_fields[field];
    if (f.onGetText())
        return f.onGetText()(*this, row, f);
    const QVariant &v = value(row, field);
    if (v.isNull())
        return QString();
    if (f.kind() == FieldKind::Float && !f.displayFormat().isEmpty())
        return FormatFloat(f.displayFormat(), v.toDouble());
    return plainText(row, field);
}

QString ResultTable::plainText(int row, int field) const {
    const QVariant &v = value(row, field);
    if (v.isNull())
        return QString();
    switch (m_fields[field].kind()) {
    case FieldKind::Float:
        return generalNumber(v.toDouble());
    case FieldKind::Integer:
        return QString::number(v.toLongLong());
    default:
        return v.toString();
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

void ResultTable::setFilter(const QString &expression) {
    m_filterText = expression;
    if (m_filtered)
        applyFilter();
}

void ResultTable::setFiltered(bool filtered) {
    if (filtered == m_filtered)
        return;
    if (filtered) {
        static const QRegularExpression form(QStringLiteral("^\\s*Tipo_Registro\\s*<>\\s*(-?\\d+)\\s*$"),
                                             QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch match = form.match(m_filterText);
        if (!match.hasMatch())
            throw AppError(QStringLiteral("Filtro não suportado: %1").arg(m_filterText));
        m_excludedKind = match.captured(1).toLongLong();
    } else {
        m_excludedKind.reset();
    }
    m_filtered = filtered;
    applyFilter();
    first();
    notifyReset();
}

void ResultTable::applyFilter() {
    m_visible.clear();
    if (!m_filtered || !m_active)
        return;
    const int kindField = findField(QStringLiteral("Tipo_Registro"));
    for (int r = 0; r < m_rowCount; ++r) {
        const QVariant &v = kindField < 0 ? nullValue() : m_cells[m_fields[kindField].column()][r];
        if (v.isNull() || v.toLongLong() != *m_excludedKind)
            m_visible.push_back(r);
    }
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
