#include "viewport.h"

#include <algorithm>

Viewport::Viewport(const QRectF &territory, QSize picture, int margin) : m_size(picture), m_origin(territory.topLeft()) {
    const double width = std::max(territory.width(), 1e-6);
    const double height = std::max(territory.height(), 1e-6);
    m_scale = std::min((picture.width() - 2.0 * margin) / width, (picture.height() - 2.0 * margin) / height);
    m_offset = QPointF((picture.width() - width * m_scale) / 2.0, (picture.height() - height * m_scale) / 2.0);
}
