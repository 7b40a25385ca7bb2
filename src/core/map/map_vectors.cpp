#include "core/map/map_vectors.h"

#include "core/drawing/vector_device.h"
#include "core/map/area_tracer.h"
#include "core/map/legend_picture.h"
#include "core/map/map_drawing.h"

#include <QBuffer>
#include <QPainter>
#include <QXmlStreamWriter>

namespace {

const QString kNoFigure = QStringLiteral(" (sem dado)");

QString number(qreal value) { return QString::number(value, 'g', 10); }

// The rings as path data. Traced rings turn at right angles only, so after
// the first point every step is a horizontal or a vertical move.
QString pathData(const QPainterPath &path) {
    QString d;
    QPointF start;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            if (i > 0)
                d += QLatin1Char('Z');
            d += QLatin1Char('M') + number(e.x) + QLatin1Char(' ') + number(e.y);
            start = e;
            continue;
        }
        // The line back to the ring's start is what "Z" draws.
        if (QPointF(e) == start && (i + 1 == path.elementCount() || path.elementAt(i + 1).isMoveTo()))
            continue;
        const QPainterPath::Element before = path.elementAt(i - 1);
        if (e.y == before.y)
            d += QLatin1Char('H') + number(e.x);
        else if (e.x == before.x)
            d += QLatin1Char('V') + number(e.y);
        else
            d += QLatin1Char('L') + number(e.x) + QLatin1Char(' ') + number(e.y);
    }
    if (!d.isEmpty())
        d += QLatin1Char('Z');
    return d;
}

void writeText(QXmlStreamWriter &xml, const PicturePiece &piece) {
    xml.writeStartElement(QStringLiteral("text"));
    xml.writeAttribute(QStringLiteral("x"), number(piece.baseline.x()));
    xml.writeAttribute(QStringLiteral("y"), number(piece.baseline.y()));
    xml.writeAttribute(QStringLiteral("font-family"), piece.font.family());
    xml.writeAttribute(QStringLiteral("font-size"), number(piece.font.pixelSize()));
    if (piece.font.bold())
        xml.writeAttribute(QStringLiteral("font-weight"), QStringLiteral("bold"));
    if (piece.font.stretch() == QFont::SemiCondensed)
        xml.writeAttribute(QStringLiteral("font-stretch"), QStringLiteral("semi-condensed"));
    xml.writeAttribute(QStringLiteral("fill"), piece.color.name());
    // The legend's title is centred with blanks.
    xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    xml.writeCharacters(piece.text);
    xml.writeEndElement();
}

void writeBox(QXmlStreamWriter &xml, const PicturePiece &piece) {
    xml.writeEmptyElement(QStringLiteral("rect"));
    xml.writeAttribute(QStringLiteral("x"), number(piece.box.x()));
    xml.writeAttribute(QStringLiteral("y"), number(piece.box.y()));
    xml.writeAttribute(QStringLiteral("width"), number(piece.box.width()));
    xml.writeAttribute(QStringLiteral("height"), number(piece.box.height()));
    xml.writeAttribute(QStringLiteral("fill"), piece.color.name());
}

void writeLayer(QXmlStreamWriter &xml, const QString &id, const QList<PicturePiece> &pieces) {
    xml.writeStartElement(QStringLiteral("g"));
    xml.writeAttribute(QStringLiteral("id"), id);
    for (const PicturePiece &piece : pieces) {
        if (piece.isText())
            writeText(xml, piece);
        else
            writeBox(xml, piece);
    }
    xml.writeEndElement();
}

QPen borderPen() { return QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin); }

} // namespace

MapVectors::MapVectors(const MapResult &map)
    : m_size(map.picture.size()), m_title(map.texts.titleLines.join(QLatin1Char(' '))),
      m_texts(MapPicture::texts(map.texts)) {
    for (const PicturePiece &piece : LegendPicture::pieces(map.legend))
        m_legend << piece.translated(MapPicture::legendAt());

    const AreaList colors(map.colorLines);
    AreaTracer tracer(map.ground);
    for (const QString &line : map.areas.lines()) {
        if (line.trimmed().isEmpty())
            continue;
        const QPoint seed = AreaList::seedOf(line) + QPoint(0, MapPicture::kTitleBand);
        const QList<QPolygon> rings = tracer.outline(seed);
        if (rings.isEmpty())
            continue;
        Area area;
        area.path.setFillRule(Qt::WindingFill);
        for (const QPolygon &ring : rings) {
            area.path.addPolygon(AreaTracer::alongBorder(ring));
            area.path.closeSubpath();
        }
        area.fill = QColor(map.picture.pixel(seed));
        const QString name = AreaList::nameOf(line);
        const int figure = colors.indexOfName(name);
        area.title = figure < 0 ? name + kNoFigure : name + QStringLiteral(": ") + map.figures[figure].text;
        m_areas << area;
    }
}

QByteArray MapVectors::svg() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter xml(&buffer);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("svg"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.2"));
    xml.writeAttribute(QStringLiteral("baseProfile"), QStringLiteral("tiny"));
    xml.writeAttribute(QStringLiteral("width"), number(m_size.width()));
    xml.writeAttribute(QStringLiteral("height"), number(m_size.height()));
    xml.writeAttribute(QStringLiteral("viewBox"), QStringLiteral("0 0 %1 %2").arg(m_size.width()).arg(m_size.height()));
    xml.writeTextElement(QStringLiteral("title"), m_title);

    writeLayer(xml, QStringLiteral("fundo"), {PicturePiece::filled(QRect(QPoint(), m_size), Qt::white)});

    xml.writeStartElement(QStringLiteral("g"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("areas"));
    xml.writeAttribute(QStringLiteral("stroke"), QStringLiteral("#000000"));
    xml.writeAttribute(QStringLiteral("stroke-width"), QStringLiteral("1"));
    xml.writeAttribute(QStringLiteral("stroke-linejoin"), QStringLiteral("miter"));
    for (const Area &area : m_areas) {
        xml.writeStartElement(QStringLiteral("path"));
        xml.writeAttribute(QStringLiteral("d"), pathData(area.path));
        xml.writeAttribute(QStringLiteral("fill"), area.fill.name());
        xml.writeTextElement(QStringLiteral("title"), area.title);
        xml.writeEndElement();
    }
    xml.writeEndElement();

    writeLayer(xml, QStringLiteral("textos"), m_texts);
    writeLayer(xml, QStringLiteral("legenda"), m_legend);
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

QByteArray MapVectors::pdf() const {
    return VectorDevice::pdf(m_size, m_title, [this](QPainter &painter) { paint(painter); });
}

void MapVectors::paint(QPainter &painter) const {
    painter.fillRect(QRect(QPoint(), m_size), Qt::white);
    painter.setPen(borderPen());
    for (const Area &area : m_areas) {
        painter.setBrush(area.fill);
        painter.drawPath(area.path);
    }
    for (const PicturePiece &piece : m_texts)
        piece.paint(painter);
    for (const PicturePiece &piece : m_legend)
        piece.paint(painter);
}
