#include "ui/widgets/radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(const QString &title, const QStringList &items, int columns, QWidget *parent)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this)) {
    auto *layout = new QGridLayout(this);
    const int perColumn = (static_cast<int>(items.size()) + columns - 1) / qMax(1, columns);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items[i], this);
        m_group->addButton(button, i);
        layout->addWidget(button, i % perColumn, i / perColumn);
    }
    connect(m_group, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
}

int RadioGroup::itemIndex() const { return m_group->checkedId(); }

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton *chosen = m_group->button(index)) {
        chosen->setChecked(true);
    } else if (QAbstractButton *checked = m_group->checkedButton()) {
        m_group->setExclusive(false);
        checked->setChecked(false);
        m_group->setExclusive(true);
    }
}

int RadioGroup::count() const { return static_cast<int>(m_group->buttons().size()); }

QRadioButton *RadioGroup::button(int index) const { return qobject_cast<QRadioButton *>(m_group->button(index)); }
