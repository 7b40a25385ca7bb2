#include "core/chart/engine/chart_file.h"

#include "base/data/app_error.h"
#include "base/data/safe_file.h"
#include "core/chart/engine/chart_renderer.h"
#include "core/drawing/jpeg_writer.h"
#include "core/drawing/picture_bytes.h"
#include "core/drawing/vector_device.h"

#include <QBuffer>
#include <QSvgGenerator>

#include <memory>

namespace ChartFile {
namespace {

QString titleOf(const ChartRenderer &chart) { return chart.settings().titleLines.join(QLatin1Char(' ')); }

void drawChart(const ChartRenderer &chart, const QSize &size, QPainter &painter) {
    chart.draw(painter, QRect(QPoint(), size));
}

QByteArray svg(const ChartRenderer &chart, const QSize &size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    auto generator = std::make_unique<QSvgGenerator>();
    generator->setOutputDevice(&buffer);
    generator->setSize(size);
    generator->setViewBox(QRect(QPoint(), size));
    generator->setTitle(titleOf(chart));
    VectorDevice::drawAndEnd(std::move(generator), [&](QPainter &painter) { drawChart(chart, size, painter); });
    return bytes;
}

QByteArray pdf(const ChartRenderer &chart, const QSize &size) {
    return VectorDevice::pdf(size, titleOf(chart), [&](QPainter &painter) { drawChart(chart, size, painter); });
}

} // namespace

QByteArray compose(const ChartRenderer &chart, const QSize &size, Format format) {
    switch (format) {
    case Format::Bmp:
        return PictureBytes::encode(chart.picture(size), "BMP");
    case Format::Png:
        return PictureBytes::encode(chart.picture(size), "PNG");
    case Format::Jpeg:
        return JpegWriter::encode(chart.picture(size));
    case Format::Svg:
        return svg(chart, size);
    case Format::Pdf:
        break;
    }
    return pdf(chart, size);
}

void save(const QString &path, const ChartRenderer &chart, const QSize &size) {
    const auto format = formatOf(path);
    if (!format)
        throw AppError(QStringLiteral("Erro ao gravar o gráfico em \"%1\": formato de arquivo desconhecido.").arg(path));
    SafeFile::write(path, compose(chart, size, *format));
}

} // namespace ChartFile
