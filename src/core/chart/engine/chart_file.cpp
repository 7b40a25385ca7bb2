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

#include <memory>
#include <new>

namespace ChartFile {
namespace {

QString titleOf(const ChartRenderer &chart) { return chart.settings().titleLines.join(QLatin1Char(' ')); }

// Draws the chart on a vector device and ends the drawing, which writes the
// device's file into its buffer. Qt's painting is built without exceptions:
// one for want of memory leaves the painter and the device half way, and
// ending them again (their destructors do) throws from a destructor, which
// aborts the program. So on failure they are let go of, never ended again,
// and the failure goes on to the caller. (The device writes into a buffer
// in memory: an end that fails can only be for want of memory.)
template <typename Device>
void drawAndEnd(const ChartRenderer &chart, const QSize &size, std::unique_ptr<Device> device) {
    auto painter = std::make_unique<QPainter>(device.get());
    try {
        chart.draw(*painter, QRect(QPoint(), size));
        if (!painter->end())
            throw std::bad_alloc();
    } catch (...) {
        painter.release();
        device.release();
        throw;
    }
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
    drawAndEnd(chart, size, std::move(generator));
    return bytes;
}

QByteArray pdf(const ChartRenderer &chart, const QSize &size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // One page the chart's size, at 72 dots per inch so that a pixel of the
    // chart is a point of the page.
    auto writer = std::make_unique<QPdfWriter>(&buffer);
    writer->setResolution(72);
    writer->setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
    writer->setPageMargins(QMarginsF());
    writer->setTitle(titleOf(chart));
    writer->setCreator(QStringLiteral("Solvane"));
    drawAndEnd(chart, size, std::move(writer));
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
