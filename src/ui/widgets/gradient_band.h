#pragma once

#include <QColor>
#include <QWidget>

// A band filled with a horizontal gradient, as the background of a header.
class GradientBand : public QWidget {
    Q_OBJECT

public:
    enum class Direction { LeftToRight, RightToLeft };

    explicit GradientBand(QWidget *parent = nullptr);

    // The gradient runs from the start colour to the end colour in the
    // given direction.
    void setGradient(const QColor &start, const QColor &end, Direction direction);
    QColor startColor() const { return m_start; }
    QColor endColor() const { return m_end; }
    Direction direction() const { return m_direction; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_start = Qt::white;
    QColor m_end = Qt::white;
    Direction m_direction = Direction::LeftToRight;
};
