#include "ui/chart/chart_view.h"

#include <QPainter>

ChartView::ChartView(QWidget *parent) : QWidget(parent), m_renderer(ChartSettings{}) {
    setObjectName(QStringLiteral("dbchtGrafico"));
    // Every pixel is drawn by the chart: no need to clear the ground first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartView::bind(ChartSettings settings) {
    m_renderer = ChartRenderer(std::move(settings));
    update();
}

void ChartView::unbind() {
    m_renderer = ChartRenderer(ChartSettings{});
    update();
}

QImage ChartView::picture() const { return m_renderer.picture(size()); }

void ChartView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    m_renderer.draw(painter, rect());
}
