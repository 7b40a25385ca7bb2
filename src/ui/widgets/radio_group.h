#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

// A titled group of radio buttons laid out in columns, filled column by
// column, with one chosen item by index (-1 none). Choosing in code emits
// nothing; a user's click emits clicked(index).
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    RadioGroup(const QString &title, const QStringList &items, int columns, QWidget *parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    int count() const;
    QRadioButton *button(int index) const;

signals:
    void clicked(int index);

private:
    QButtonGroup *m_group;
};
