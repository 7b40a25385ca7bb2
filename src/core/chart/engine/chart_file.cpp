#include "core/chart/engine/chart_file.h"

#include "base/data/app_error.h"
#include "base/data/safe_file.h"
#include "core/chart/engine/chart_renderer.h"
#include "core/drawing/jpeg_writer.h"
#include "core/drawing/picture_bytes.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace ChartFile {
namespace {

QString titleOf(const ChartRenderer &chart) { return chart.settings().titleLines.join(QLatin1Char(' ')); }

QByteArray svg(const ChartRenderer &chart, const QSize &size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(), size));
    generator.setTitle(titleOf(chart));
    QPainter painter(&generator);
    chart.draw(painter, QRect(QPoint(), size));
    painter.end();
    return bytes;
}

QByteArray pdf(const ChartRenderer &chart, const QSize &size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        // One page the chart's size, at 72 dots per inch so that a pixel of
        // the chart is a point of the page.
        QPdfWriter writer(&buffer);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
        writer.setPageMargins(QMarginsF());
        writer.setTitle(titleOf(chart));
        writer.setCreator(QStringLiteral("Solvane"));
        QPainter painter(&writer);
        chart.draw(painter, QRect(QPoint(), size));
    }
    return bytes;
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
