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
    const int keyColumn = m_query->fieldIndex(m_keyField);
    const int listColumn = m_query->fieldIndex(m_listField);
    for (int row = 0; row < m_query->recordCount(); ++row)
        addItem(m_query->value(row, listColumn).toString(), m_query->value(row, keyColumn).toInt());
    showKey();
}

void LookupList::showKey() {
    const QSignalBlocker blocker(this);
    setCurrentIndex(findData(m_key));
}

void LookupList::userPick(int index) {
    m_key = itemData(index).toInt();
    emit picked();
}
