#include "base/data/condition_lines.h"

void ConditionLines::add(const QString &condition, const QString &whereForm, const QString &andForm) {
    m_lines << (m_any ? andForm : whereForm) + condition;
    m_any = true;
}

void ConditionLines::addKey(const QString &column, qint64 key, const QString &whereForm) {
    if (key != 0)
        add(column + QStringLiteral(" = ") + QString::number(key), whereForm);
}
