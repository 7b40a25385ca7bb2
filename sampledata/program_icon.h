#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPolygonF>

class QPainter;

// The program's icon, the house over Brazil's outline of the window's
// header, drawn as vectors on a square of 256 units so that every size of
// the desktop's icon theme and the scalable drawing come from one picture.
class ProgramIcon {
public:
    // The country's outline, one ring per state, in any units.
    explicit ProgramIcon(const QList<QPolygonF> &country);

    QImage picture(int size) const;
    // The same drawing as an SVG document.
    QByteArray svg() const;
    // Writes "hicolor/NxN/apps/solvane.png" for each of the theme's sizes and
    // "hicolor/scalable/apps/solvane.svg" into the folder.
    void writeTheme(const QString &folder) const;

    static const QList<int> &sizes();

private:
    void draw(QPainter &painter) const;

    QList<QPolygonF> m_country;
};
