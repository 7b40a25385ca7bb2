#pragma once

#include <QStringList>

// Appends the condition lines of a statement: the first in its where form,
// every later one in its and form. Statements spell these forms a little
// differently (" where ", " Where ", "   and ", "    and "), and each form
// is kept as its statement has it.
class ConditionLines {
  public:
    static inline const QString kWhere = QStringLiteral(" where ");
    static inline const QString kAnd = QStringLiteral("   and ");

    explicit ConditionLines(QStringList &lines) : m_lines(lines) {}

    void add(const QString &condition, const QString &whereForm = kWhere, const QString &andForm = kAnd);

    // "<column> = <key>", only for a key other than 0 (all territories).
    void addKey(const QString &column, qint64 key, const QString &whereForm = kWhere);

  private:
    QStringList &m_lines;
    bool m_any = false;
};
