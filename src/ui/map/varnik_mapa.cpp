#include "ui/map/varnik_mapa.h"

#include "base/data/scope_guard.h"
#include "core/map/area_coloring.h"
#include "core/map/area_hover.h"
#include "core/map/outline_trace.h"

#include <QInputDialog>
#include <QMouseEvent>
#include <QPainter>

namespace {

const QString kPresetName = QStringLiteral("< Informe o Nome da Área do Mapa >");

} // namespace

TVarnikMapa::TVarnikMapa(QWidget *parent) : QWidget(parent) {
    // Hover naming needs every move, not only those with a button held.
    setMouseTracking(true);
}

void TVarnikMapa::setPicture(const QImage &picture) {
    m_picture = picture.convertToFormat(QImage::Format_RGB32);
    updateGeometry();
    update();
}

void TVarnikMapa::SetVKAreasMapa(const QStringList &lines) {
    if (&lines != &m_areas.lines())
        m_areas.setLines(lines);
}

void TVarnikMapa::SetVKCorAreasMapa(const QStringList &lines) {
    if (&lines != &m_colors.lines())
        m_colors.setLines(lines);
}

void TVarnikMapa::VKColoreAreasMapa() {
    const ScopeGuard repaint([this] { update(); });
    colorAreas(m_picture, m_areas, m_colors, m_tag);
}

QSize TVarnikMapa::sizeHint() const { return m_picture.isNull() ? QWidget::sizeHint() : m_picture.size(); }

void TVarnikMapa::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

void TVarnikMapa::mouseMoveEvent(QMouseEvent *event) {
    m_pointer = event->position().toPoint();
    QString name = areaNameAt(m_picture, m_pointer, m_areas, m_tag);
    if (m_marksAreasWithoutData && !name.isEmpty() && m_colors.indexOfName(name) < 0)
        name += QStringLiteral(" (sem dado)");
    showAreaName(name);
}

void TVarnikMapa::mousePressEvent(QMouseEvent *event) { m_pressed = event->button() == Qt::LeftButton; }

// A click is a left press and release on the component; it works on the
// position of the last mouse move.
void TVarnikMapa::mouseReleaseEvent(QMouseEvent *event) {
    const bool clicked = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (clicked)
        click();
}

void TVarnikMapa::showAreaName(const QString &name) {
    if (m_labelNomeArea)
        m_labelNomeArea->setText(name);
    if (m_panelNomeArea)
        m_panelNomeArea->setText(name);
}

void TVarnikMapa::click() {
    if (m_tag != 0)
        return;
    const OutlineTrace trace = m_checaCorFronteira
                                   ? traceAlongBorder(m_picture, m_pointer, m_corFronteira.rgb(), m_corSelecao.rgb())
                                   : traceAlongColor(m_picture, m_pointer);
    if (trace.isEmpty())
        return;
    // The outline stays painted while the user names the area; afterwards
    // the picture is put back as it was, whatever happens meanwhile.
    const ScopeGuard restore([this, &trace] {
        restoreOutline(m_picture, trace);
        update();
    });
    update();

    bool accepted = false;
    const QString answer = QInputDialog::getText(this, QStringLiteral("Área do Mapa"), QStringLiteral("Descrição:"),
                                                 QLineEdit::Normal, kPresetName, &accepted);
    if (!accepted || answer == kPresetName || answer.trimmed().isEmpty())
        return;
    m_areas.store(answer, trace.points, m_nomesIguais);
}
