#pragma once

#include "base/data/study_schema.h"

#include <QComboBox>
#include <QList>
#include <QVariant>

class Query;

// A drop-down list over the rows of a query: it shows the list field of each
// row and keeps the key field of the row the user picked. The rows are read
// again every time the query opens; the key stays, and a key that the new
// rows lack shows as an empty text. Setting the key in code emits nothing;
// only a pick by the user emits picked().
class LookupList : public QComboBox {
    Q_OBJECT

public:
    explicit LookupList(QWidget *parent = nullptr);

    void setQuery(Query *query, const QString &keyField, const QString &listField = StudySchema::kDescricao);

    int key() const { return m_key; }
    void setKey(int key);

    // A column of the row that holds the key; null when no row does.
    QVariant fieldValue(const QString &field) const;

    // The drop-down at least this wide, and flush with the list's right edge.
    void setDropDownWidth(int width, bool alignRight = false);

    void showPopup() override;

signals:
    void picked();

private:
    void reload();
    void showKey();
    void userPick(int index);

    Query *m_query = nullptr;
    QString m_keyField;
    QString m_listField;
    // The key of each row, in the list's order.
    QList<int> m_keys;
    int m_key = 0;
    bool m_alignRight = false;
};
