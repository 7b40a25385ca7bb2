#include "base/selection/municipality_pick.h"

#include "base/data/portuguese_collation.h"

#include <algorithm>

namespace {

bool lessThan(const QString &a, const QString &b) {
    return PortugueseCollation::compare(a.toStdString(), b.toStdString()) < 0;
}

QString selectionEntry(const QString &name, const QString &code) { return name + QLatin1Char('/') + code; }
QString viewLine(const QString &name, const QString &stateSigla) { return name + QStringLiteral(" - ") + stateSigla; }

// Inserts text at its sorted place; a text the list holds already is not
// added twice.
void insertSorted(QStringList &list, const QString &text) {
    const auto at = std::lower_bound(list.begin(), list.end(), text, lessThan);
    if (at == list.end() || *at != text)
        list.insert(at, text);
}

} // namespace

bool MunicipalityPick::isTicked(const QString &name, const QString &stateSigla) const {
    return m_view.contains(viewLine(name, stateSigla));
}

void MunicipalityPick::tick(const QString &name, const QString &code, const QString &stateSigla) {
    insertSorted(m_view, viewLine(name, stateSigla));
    insertSorted(m_selection, selectionEntry(name, code));
}

void MunicipalityPick::untick(const QString &name, const QString &code, const QString &stateSigla) {
    if (!m_view.removeOne(viewLine(name, stateSigla)))
        return;
    m_selection.removeOne(selectionEntry(name, code));
}

void MunicipalityPick::clear() {
    m_view.clear();
    m_selection.clear();
}
