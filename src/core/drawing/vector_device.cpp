#include "core/drawing/vector_device.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>

namespace VectorDevice {

QByteArray pdf(const QSize &size, const QString &title, const std::function<void(QPainter &)> &draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    auto writer = std::make_unique<QPdfWriter>(&buffer);
    writer->setResolution(72);
    writer->setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
    writer->setPageMargins(QMarginsF());
    writer->setTitle(title);
    writer->setCreator(QStringLiteral("Solvane"));
    drawAndEnd(std::move(writer), draw);
    return bytes;
}

} // namespace VectorDevice
