#include "ui/selection/lookup_list.h"

#include "base/data/query.h"
#include "ui/selection/drop_down_style.h"

#include <QAbstractItemView>
#include <QSignalBlocker>

LookupList::LookupList(QWidget *parent) : QComboBox(parent) {
    DropDownStyle::apply(this);
    setMaxVisibleItems(10);
    connect(this, &QComboBox::activated, this, &LookupList::userPick);
}

void LookupList::setQuery(Query *query, const QString &keyField, const QString &listField) {
    m_query = query;
    m_keyField = keyField;
    m_listField = listField;
    connect(query, &Query::afterOpen, this, &LookupList::reload);
}

void LookupList::setKey(int key) {
    m_key = key;
    showKey();
}

QVariant LookupList::fieldValue(const QString &field) const {
    const int row = currentIndex();
    if (row < 0 || !m_query->isActive())
        return {};
    const int column = m_query->fieldIndex(field);
    return column < 0 ? QVariant() : m_query->value(row, column);
}

void LookupList::setDropDownWidth(int width, bool alignRight) {
    view()->setMinimumWidth(width);
    m_alignRight = alignRight;
}

void LookupList::showPopup() {
    QComboBox::showPopup();
    if (!m_alignRight)
        return;
    QWidget *popup = view()->window();
    const int right = mapToGlobal(QPoint(width(), 0)).x();
    popup->move(right - popup->width(), popup->y());
}

void LookupList::reload() {
    const QSignalBlocker blocker(this);
    clear();
    // The texts go in at once and the keys beside them: one insertion
    // instead of one per row, for lists of hundreds of places.
    const int keyColumn = m_query->fieldIndex(m_keyField);
    const int listColumn = m_query->fieldIndex(m_listField);
    const int rows = m_query->recordCount();
    QStringList texts;
    texts.reserve(rows);
    m_keys.clear();
    m_keys.reserve(rows);
    for (int row = 0; row < rows; ++row) {
        texts << m_query->value(row, listColumn).toString();
        m_keys << m_query->value(row, keyColumn).toInt();
    }
    addItems(texts);
    showKey();
}

void LookupList::showKey() {
    const QSignalBlocker blocker(this);
    setCurrentIndex(static_cast<int>(m_keys.indexOf(m_key)));
}

void LookupList::userPick(int index) {
    m_key = m_keys.value(index);
    emit picked();
}
