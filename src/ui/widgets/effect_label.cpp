#include "ui/widgets/effect_label.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

EffectLabel::EffectLabel(const QString &caption, QWidget *parent) : QLabel(caption, parent) {}

void EffectLabel::setTextColor(const QColor &color) {
    m_textColor = color;
    update();
}

void EffectLabel::setShadow(const QColor &color, QPoint offset) {
    m_shadowColor = color;
    m_shadowOffset = offset;
    updateGeometry();
    update();
}

void EffectLabel::setOutline(const QColor &color) {
    m_outlineColor = color;
    updateGeometry();
    update();
}

QSize EffectLabel::sizeHint() const {
    const QFontMetrics metrics(font());
    const int outline = m_outlineColor.isValid() ? 2 : 0;
    return {metrics.horizontalAdvance(text()) + qAbs(m_shadowOffset.x()) + 2 * outline,
            metrics.height() + qAbs(m_shadowOffset.y()) + 2 * outline};
}

void EffectLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics(font());
    const int outline = m_outlineColor.isValid() ? 2 : 0;
    QPainterPath path;
    path.addText(outline, outline + metrics.ascent(), font(), text());

    if (m_shadowColor.isValid()) {
        // The shadow is stroked a little wider than the letters so that it
        // carries light text on a light band.
        const QPainterPath shadow = path.translated(m_shadowOffset);
        painter.strokePath(shadow, QPen(m_shadowColor, outline ? 2 : 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.fillPath(shadow, m_shadowColor);
    }
    if (outline)
        painter.strokePath(path, QPen(m_outlineColor, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, m_textColor);
}
