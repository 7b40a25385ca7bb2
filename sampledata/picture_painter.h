#pragma once

#include <QImage>
#include <QList>
#include <QPolygonF>
#include <QString>
#include <QStringList>

// Draws the pictures the windows show (header, buttons with their pressed
// states, tree, chart types, file kinds, splash and logos) and writes them
// as PNG files into "Imagens/" of the program folder. docs/pictures.md
// lists them with their sizes.
class PicturePainter {
public:
    // The country's outline, one ring per state, in any units: the header
    // and the splash draw it.
    explicit PicturePainter(const QList<QPolygonF> &country);

    // Every picture's file name, in the order written.
    static QStringList fileNames();

    QImage picture(const QString &fileName) const;
    void writeAll(const QString &programFolder) const;

private:
    QImage button(const QString &name, bool pressed) const;
    QImage header() const;
    QImage splash() const;
    QImage banner() const;
    QImage institutionLogo() const;
    QImage developerLogo() const;
    void drawCountry(class QPainter &painter, const QRectF &into, const QColor &fill, const QColor &line) const;

    QList<QPolygonF> m_country;
};
