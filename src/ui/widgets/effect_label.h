#pragma once

#include <QColor>
#include <QLabel>
#include <QPoint>

// A one-line caption drawn with an optional drop shadow and an optional
// outline around its letters, for titles on a coloured band.
class EffectLabel : public QLabel {
    Q_OBJECT

public:
    explicit EffectLabel(const QString &caption, QWidget *parent = nullptr);

    void setTextColor(const QColor &color);
    QColor textColor() const { return m_textColor; }
    // An invalid colour means no shadow.
    void setShadow(const QColor &color, QPoint offset);
    QColor shadowColor() const { return m_shadowColor; }
    QPoint shadowOffset() const { return m_shadowOffset; }
    // An invalid colour means no outline.
    void setOutline(const QColor &color);
    QColor outlineColor() const { return m_outlineColor; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_textColor = Qt::black;
    QColor m_shadowColor;
    QPoint m_shadowOffset;
    QColor m_outlineColor;
};
