#pragma once

#include <QHash>
#include <QPoint>
#include <QSize>
#include <QStringList>

#include <optional>

// A list of "name=value" lines as the map files hold them: the area list
// (name=(x/y),(x/y),...) and the colour list (name=colour number). Names are
// compared ignoring letter case and the first matching line wins. Lookups by
// name and by point text go through indexes built on first use, so a hover
// over a large map does not scan the whole list.
class AreaList {
  public:
    AreaList() = default;
    explicit AreaList(const QStringList &lines) : m_lines(lines) {}

    const QStringList &lines() const { return m_lines; }
    void setLines(const QStringList &lines);
    bool isEmpty() const { return m_lines.isEmpty(); }

    // Index of the first line with this name, or -1.
    int indexOfName(const QString &name) const;

    // Index of the first line that contains the text "(x/y)" of the point
    // anywhere, or -1.
    int indexOfPoint(QPoint point) const;

    // Stores name=points: the line replaces the first line found (by name, or
    // with sameNames by the first point, the seed) or is appended.
    void store(const QString &name, const QList<QPoint> &points, bool sameNames);

    // Everything before the first "=" (empty when the line has none).
    static QString nameOf(const QString &line);
    // Everything after the first "=" (empty when the line has none).
    static QString valueOf(const QString &line);
    static QString pointText(QPoint point);

    // The largest coordinate of a point: the side of the largest picture
    // the map draws on. A point outside the picture colours nothing.
    static constexpr int kLargestCoordinate = 32767;

    // The seed of an area line: x between the first "(" and the first "/"
    // after the "=", y between that "/" and the next ")". Raises AppError
    // when they are not two integers from -kLargestCoordinate to
    // kLargestCoordinate.
    static QPoint seedOf(const QString &line);

    // The lines of a text file read as Windows-1252, split at CR LF, LF or CR.
    // Raises AppError when the file cannot be read.
    static QStringList readFile(const QString &path);

    // Checks the area list read from path against its map bitmap, so that a
    // damaged list is named instead of drawing a wrong map: every line that
    // is not blank must name an area and begin with a seed inside the
    // bitmap, and at least one line must. Raises AppError naming the file
    // and the first damaged line.
    static void checkForMap(const QStringList &lines, const QString &path, QSize bitmap);

  private:
    // The seed's two integers, or none when the line does not begin its
    // points with "(x/y)".
    static std::optional<QPoint> parseSeed(const QString &line);
    void invalidate();

    QStringList m_lines;
    mutable std::optional<QHash<QString, int>> m_names;
    mutable std::optional<QHash<quint64, int>> m_points;
};
