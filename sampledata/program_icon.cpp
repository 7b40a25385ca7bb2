#include "program_icon.h"

#include "base/data/app_error.h"
#include "output_file.h"

#include <QBuffer>
#include <QLineF>
#include <QPainter>
#include <QSvgGenerator>

namespace {

constexpr double kSide = 256;

// The outline's points closer together than this (in icon units) add nothing
// at any size the icon is shown; leaving them out keeps the SVG small.
constexpr double kDetail = 0.6;

QList<QPolygonF> fitted(const QList<QPolygonF> &country, const QRectF &into) {
    QRectF box;
    for (const QPolygonF &ring : country)
        box = box.united(ring.boundingRect());
    if (box.isEmpty())
        return {};
    const double scale = std::min(into.width() / box.width(), into.height() / box.height());
    const QPointF origin = into.center() - QPointF(box.width(), box.height()) * scale / 2;
    QList<QPolygonF> rings;
    for (const QPolygonF &ring : country) {
        QPolygonF kept;
        for (const QPointF &point : ring) {
            const QPointF placed = origin + (point - box.topLeft()) * scale;
            if (kept.isEmpty() || QLineF(kept.last(), placed).length() >= kDetail)
                kept << placed;
        }
        if (kept.size() >= 3)
            rings << kept;
    }
    return rings;
}

} // namespace

ProgramIcon::ProgramIcon(const QList<QPolygonF> &country) : m_country(fitted(country, QRectF(6, 6, 244, 244))) {}

const QList<int> &ProgramIcon::sizes() {
    static const QList<int> list = {16, 24, 32, 48, 64, 128, 256};
    return list;
}

void ProgramIcon::draw(QPainter &p) const {
    p.setRenderHint(QPainter::Antialiasing);
    // The states drawn twice, first with a wide border, then filled over it
    // without one: only the country's outer border stays, no state lines.
    const QColor green(90, 170, 90), darkGreen(30, 90, 30);
    p.setPen(QPen(darkGreen, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(darkGreen);
    for (const QPolygonF &ring : m_country)
        p.drawPolygon(ring);
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    for (const QPolygonF &ring : m_country)
        p.drawPolygon(ring);
    // The house, larger than in the header so that it reads at 16 pixels.
    const QColor maroon(128, 0, 0);
    p.setPen(QPen(maroon, 7, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(255, 245, 220));
    p.drawRect(QRectF(78, 126, 100, 78));
    p.setBrush(QColor(200, 40, 30));
    p.drawPolygon(QPolygonF({{56, 134}, {128, 64}, {200, 134}}));
    p.setBrush(QColor(120, 70, 20));
    p.drawRect(QRectF(114, 152, 28, 52));
}

QImage ProgramIcon::picture(int size) const {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(size / kSide, size / kSide);
    draw(p);
    return image;
}

QByteArray ProgramIcon::svg() const {
    QBuffer buffer;
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(int(kSide), int(kSide)));
    generator.setViewBox(QRectF(0, 0, kSide, kSide));
    generator.setTitle(QStringLiteral("Solvane"));
    generator.setDescription(QStringLiteral("Uma casa sobre o contorno do Brasil"));
    QPainter p(&generator);
    draw(p);
    p.end();
    return buffer.data();
}

void ProgramIcon::writeTheme(const QString &folder) const {
    for (const int size : sizes()) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!picture(size).save(&buffer, "PNG"))
            throw AppError(QStringLiteral("Não foi possível desenhar o ícone de %1 pixels.").arg(size));
        OutputFile::write(QStringLiteral("%1/hicolor/%2x%2/apps/solvane.png").arg(folder).arg(size), buffer.data());
    }
    OutputFile::write(folder + QStringLiteral("/hicolor/scalable/apps/solvane.svg"), svg());
}
