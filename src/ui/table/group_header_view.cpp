#include "ui/table/group_header_view.h"

#include "base/table/result_field.h"
#include "core/table/cell_colors.h"
#include "ui/table/result_table_model.h"

#include <QMouseEvent>
#include <QPainter>

GroupHeaderView::GroupHeaderView(QWidget *parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(true);
    setHighlightSections(false);
    setSectionsMovable(false);
    setDefaultAlignment(Qt::AlignCenter);
    connect(this, &QHeaderView::sectionClicked, this, [this] {
        const int column = columnAt(m_pressPos);
        if (column >= 0)
            emit titleClicked(column);
    });
}

ResultTableModel *GroupHeaderView::tableModel() const { return qobject_cast<ResultTableModel *>(model()); }

int GroupHeaderView::titleRows() const {
    const ResultTableModel *m = tableModel();
    return m ? m->maxDepth() + 1 : 1;
}

int GroupHeaderView::titleRowHeight() const { return fontMetrics().height() + 6; }

QSize GroupHeaderView::sizeHint() const {
    QSize size = QHeaderView::sizeHint();
    size.setHeight(titleRows() * titleRowHeight());
    return size;
}

QRect GroupHeaderView::span(int column) const {
    const ResultTableModel *m = tableModel();
    const int level = m->depth(column);
    int left = INT_MAX, right = INT_MIN;
    for (int c = column; c < m->columnCount(); ++c) {
        if (c > column && m->depth(c) <= level)
            break; // past the last member
        if (m->field(c).isGroup() || isSectionHidden(c))
            continue;
        left = qMin(left, sectionViewportPosition(c));
        right = qMax(right, sectionViewportPosition(c) + sectionSize(c));
    }
    if (left > right)
        return {};
    const int top = level * titleRowHeight();
    const int bottom = m->field(column).isGroup() ? top + titleRowHeight() : height();
    return QRect(left, top, right - left, bottom - top);
}

int GroupHeaderView::columnAt(const QPoint &pos) const {
    const ResultTableModel *m = tableModel();
    if (!m)
        return -1;
    for (int c = 0; c < m->columnCount(); ++c)
        if (span(c).contains(pos))
            return c;
    return -1;
}

void GroupHeaderView::mousePressEvent(QMouseEvent *event) {
    m_pressPos = event->position().toPoint();
    QHeaderView::mousePressEvent(event);
}

void GroupHeaderView::paintEvent(QPaintEvent *) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), CellColors::titleBackground());
    const ResultTableModel *m = tableModel();
    if (!m)
        return;
    painter.setPen(palette().color(QPalette::WindowText));
    const QColor line = palette().color(QPalette::Mid);
    for (int c = 0; c < m->columnCount(); ++c) {
        const QRect rect = span(c);
        if (rect.isEmpty() || !rect.intersects(viewport()->rect()))
            continue;
        painter.setPen(line);
        painter.drawLine(rect.topRight(), rect.bottomRight());
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        painter.setPen(palette().color(QPalette::WindowText));
        const QString title = m->field(c).displayLabel();
        if (m->field(c).isGroup()) {
            // One line, kept in the part of the span in view and shortened
            // when the span is narrower than the title.
            const QRect shown = rect.intersected(viewport()->rect()).adjusted(2, 1, -2, -1);
            painter.drawText(shown, Qt::AlignCenter, fontMetrics().elidedText(title, Qt::ElideRight, shown.width()));
        } else {
            painter.drawText(rect.adjusted(2, 1, -2, -1), Qt::AlignCenter | Qt::TextWordWrap, title);
        }
    }
}
