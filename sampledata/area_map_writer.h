#pragma once

#include "label_raster.h"

#include <QImage>
#include <QPoint>
#include <QStringList>
#include <functional>
#include <vector>

// Turns a picture of labelled areas into a map bitmap and its area list.
// Areas are separated by 1-pixel black lines, so that a flood fill through
// horizontal and vertical neighbours never crosses from one area into
// another; every area is filled with the same neutral light grey, apart
// from the white outside the map and from every class colour, so that an
// area the map leaves uncoloured (one the table does not list) reads as no
// class. The area list has one line per patch of an area: its name, "=", a
// seed pixel inside the patch, then the top pixel of every vertical run of
// the patch in each column (what the hover lookup searches for).
class AreaMapWriter {
public:
    struct Patch {
        int label;
        QPoint seed;
        std::vector<QPoint> columnTops;
    };

    AreaMapWriter(const LabelRaster &labels, const std::function<QString(int)> &nameOf);

    const QImage &picture() const { return m_picture; }
    const std::vector<Patch> &patches() const { return m_patches; }
    QStringList areaLines() const;

    // Writes base + ".Bmp" (24-bit) and base + ".Txt" (Windows-1252, CR LF),
    // each through a temporary file that replaces the old one only when
    // complete. Raises AppError when a file cannot be written.
    void write(const QString &basePath) const;

private:
    void findPatches(const LabelRaster &labels, std::vector<char> &border);
    void paint(const LabelRaster &labels, const std::vector<char> &border);

    std::function<QString(int)> m_nameOf;
    std::vector<Patch> m_patches;
    QImage m_picture;
};
