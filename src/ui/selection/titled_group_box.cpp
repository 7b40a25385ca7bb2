#include "ui/selection/titled_group_box.h"

#include "core/drawing/color_number.h"

#include <QLabel>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace {
const qint64 kTabColour = 11509398;
}

TitledGroupBox::TitledGroupBox(const QString &title, const QString &tabText, const QString &tabName, QWidget *parent)
    : QGroupBox(title, parent), m_tab(new QLabel(tabText, this)) {
    m_tab->setObjectName(tabName);
    m_tab->setAutoFillBackground(true);
    QPalette palette = m_tab->palette();
    palette.setColor(QPalette::Window, ColorNumber::toColor(kTabColour));
    palette.setColor(QPalette::WindowText, Qt::white);
    m_tab->setPalette(palette);
    m_tab->setAlignment(Qt::AlignCenter);
}

void TitledGroupBox::resizeEvent(QResizeEvent *event) {
    QGroupBox::resizeEvent(event);
    placeTab();
}

void TitledGroupBox::placeTab() {
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect label = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    // The tab's text is the title's without its outer bar; centre it where
    // that text is drawn.
    const int width = m_tab->fontMetrics().horizontalAdvance(m_tab->text()) + 2;
    m_tab->setGeometry(label.center().x() - width / 2, label.top(), width, label.height());
    m_tab->raise();
}
