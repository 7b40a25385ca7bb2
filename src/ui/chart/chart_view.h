#pragma once

#include "core/chart/engine/chart_renderer.h"

#include <QImage>
#include <QWidget>

// The chart control of the chart page: shows the chart the engine draws
// from its settings, at the control's size. Without a series bound it shows
// only its ground.
class ChartView : public QWidget {
    // Its own meta-object: the exporter finds the chart by name with
    // findChild<ChartView *>, which would take any widget of that name for
    // a chart without one.
    Q_OBJECT

public:
    explicit ChartView(QWidget *parent = nullptr);

    void bind(ChartSettings settings);
    void unbind();
    const ChartRenderer &renderer() const { return m_renderer; }

    // The whole chart at the control's size over a white ground, as the
    // export saves it.
    QImage picture() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ChartRenderer m_renderer;
};
