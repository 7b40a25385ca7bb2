#pragma once

#include <QStringList>

// The municipalities ticked in the picker, in two records kept sorted as a
// Portuguese reader expects: the selection the indicator query reads, one
// "name/code" entry per municipality, and the view the user reads, one
// "name - state abbreviation" line per municipality, which also tells which
// lines to tick again when a state's municipalities are listed anew.
class MunicipalityPick {
public:
    const QStringList &selection() const { return m_selection; }
    const QStringList &view() const { return m_view; }

    bool isTicked(const QString &name, const QString &stateSigla) const;
    void tick(const QString &name, const QString &code, const QString &stateSigla);
    // Unticking a municipality the view does not hold changes nothing.
    void untick(const QString &name, const QString &code, const QString &stateSigla);
    void clear();

private:
    QStringList m_selection;
    QStringList m_view;
};
