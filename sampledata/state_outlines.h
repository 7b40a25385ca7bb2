#pragma once

#include <QHash>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QString>

// The outlines of the 27 states, read from the drawing of the package
// "@svg-maps/brazil" (CC BY 4.0). Each state is one or more closed rings
// (the mainland and its islands) in the drawing's units.
class StateOutlines {
public:
    // Raises AppError when the file is missing or a state has no outline.
    static StateOutlines read(const QString &svgPath, const QStringList &siglas);

    QList<QPolygonF> rings(const QString &sigla) const { return m_rings.value(sigla); }
    // The rings of every state named, in that order: the country's outline.
    QList<QPolygonF> rings(const QStringList &siglas) const;
    QRectF bounds(const QString &sigla) const;
    QRectF bounds(const QStringList &siglas) const;

    // The rings of one path's "d" text: "m"/"M" moves, "l"/"L" and implicit
    // line-tos, "h", "v", "z". Other commands raise AppError.
    static QList<QPolygonF> parsePath(const QString &d);

private:
    QHash<QString, QList<QPolygonF>> m_rings;
};
