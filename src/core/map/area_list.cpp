#include "core/map/area_list.h"

#include "base/data/app_error.h"
#include "base/data/input_file.h"
#include "base/data/text_utils.h"
#include "base/data/windows1252.h"

#include <QRect>
#include <QRegularExpression>

#include <limits>

namespace {

constexpr QChar kEquals = QLatin1Char('=');

// An integer written exactly as QString::number writes it (no sign but "-",
// no leading zeros, no blanks). Only such texts can equal a point's text.
std::optional<int> canonicalInt(QStringView text) {
    const bool negative = text.startsWith(QLatin1Char('-'));
    const QStringView digits = negative ? text.mid(1) : text;
    if (digits.isEmpty() || digits.size() > 10 || (digits.size() > 1 && digits.front() == QLatin1Char('0')))
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    if (negative)
        value = -value;
    if ((negative && value == 0) || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

quint64 pointKey(int x, int y) { return (quint64(quint32(x)) << 32) | quint32(y); }

template <typename Key> void firstWins(QHash<Key, int> &index, const Key &key, int line) {
    if (!index.contains(key))
        index.insert(key, line);
}

} // namespace

void AreaList::setLines(const QStringList &lines) {
    m_lines = lines;
    invalidate();
}

void AreaList::invalidate() {
    m_names.reset();
    m_points.reset();
}

int AreaList::indexOfName(const QString &name) const {
    if (!m_names) {
        m_names.emplace();
        m_names->reserve(m_lines.size());
        for (int i = 0; i < m_lines.size(); ++i)
            firstWins(*m_names, nameOf(m_lines[i]).toCaseFolded(), i);
    }
    return m_names->value(name.toCaseFolded(), -1);
}

// Any occurrence of "(x/y)" in a line begins at a "(" and ends at the first
// ")" after it with no "(" between; the index holds every such group of
// every line whose numbers are written as QString::number writes them, so
// a lookup answers exactly what a text search of the lines would.
int AreaList::indexOfPoint(QPoint point) const {
    if (!m_points) {
        m_points.emplace();
        for (int i = 0; i < m_lines.size(); ++i) {
            const QStringView line(m_lines[i]);
            qsizetype open = line.indexOf(QLatin1Char('('));
            while (open >= 0) {
                qsizetype end = open + 1;
                while (end < line.size() && line[end] != QLatin1Char('(') && line[end] != QLatin1Char(')'))
                    ++end;
                if (end < line.size() && line[end] == QLatin1Char(')')) {
                    const QStringView inner = line.mid(open + 1, end - open - 1);
                    const qsizetype slash = inner.indexOf(QLatin1Char('/'));
                    if (slash >= 0) {
                        const auto x = canonicalInt(inner.left(slash));
                        const auto y = canonicalInt(inner.mid(slash + 1));
                        if (x && y)
                            firstWins(*m_points, pointKey(*x, *y), i);
                    }
                }
                open = line.indexOf(QLatin1Char('('), end);
            }
        }
    }
    return m_points->value(pointKey(point.x(), point.y()), -1);
}

void AreaList::store(const QString &name, const QList<QPoint> &points, bool sameNames) {
    QStringList texts;
    texts.reserve(points.size());
    for (const QPoint p : points)
        texts << pointText(p);
    const QString line = name + kEquals + texts.join(QLatin1Char(','));
    const int index = sameNames ? indexOfPoint(points.value(0)) : indexOfName(name);
    if (index >= 0)
        m_lines[index] = line;
    else
        m_lines.append(line);
    invalidate();
}

QString AreaList::nameOf(const QString &line) {
    const qsizetype at = line.indexOf(kEquals);
    return at < 0 ? QString() : line.left(at);
}

QString AreaList::valueOf(const QString &line) {
    const qsizetype at = line.indexOf(kEquals);
    return at < 0 ? QString() : line.mid(at + 1);
}

QString AreaList::pointText(QPoint point) {
    return QLatin1Char('(') + QString::number(point.x()) + QLatin1Char('/') + QString::number(point.y()) +
           QLatin1Char(')');
}

std::optional<QPoint> AreaList::parseSeed(const QString &line) {
    const QString points = valueOf(line);
    const qsizetype open = points.indexOf(QLatin1Char('('));
    const qsizetype slash = points.indexOf(QLatin1Char('/'));
    const qsizetype close = points.indexOf(QLatin1Char(')'));
    if (open < 0 || slash <= open || close <= slash)
        return std::nullopt;
    bool xOk = false;
    bool yOk = false;
    const int x = points.mid(open + 1, slash - open - 1).toInt(&xOk);
    const int y = points.mid(slash + 1, close - slash - 1).toInt(&yOk);
    if (!xOk || !yOk)
        return std::nullopt;
    return QPoint(x, y);
}

QPoint AreaList::seedOf(const QString &line) {
    const std::optional<QPoint> seed = parseSeed(line);
    if (!seed)
        throw AppError(QStringLiteral("A linha \"%1\" da lista de áreas do mapa não começa por um ponto (x/y) de "
                                      "números inteiros.")
                           .arg(TextUtils::shortened(line)));
    // The seed is moved by the map's offset before use; a number no picture
    // could reach is a damaged list, refused before that sum can overflow.
    const auto reachable = [](int n) { return n >= -kLargestCoordinate && n <= kLargestCoordinate; };
    if (!reachable(seed->x()) || !reachable(seed->y()))
        throw AppError(QStringLiteral("A linha \"%1\" da lista de áreas do mapa começa por um ponto fora de "
                                      "qualquer mapa (coordenadas de -%2 a %2).")
                           .arg(TextUtils::shortened(line))
                           .arg(kLargestCoordinate));
    return *seed;
}

void AreaList::checkForMap(const QStringList &lines, const QString &path, QSize bitmap) {
    const auto damaged = [&](qsizetype index, const QString &why) {
        return AppError(QStringLiteral("A linha %1 da lista de áreas do mapa %2 %3: \"%4\"")
                            .arg(index + 1)
                            .arg(path, why, TextUtils::shortened(lines[index])));
    };
    int areas = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        if (nameOf(lines[i]).trimmed().isEmpty())
            throw damaged(i, QStringLiteral("não nomeia uma área (nome=(x/y),(x/y),...)"));
        const std::optional<QPoint> seed = parseSeed(lines[i]);
        if (!seed)
            throw damaged(i, QStringLiteral("não começa por um ponto (x/y) de números inteiros"));
        if (!QRect(QPoint(), bitmap).contains(*seed))
            throw damaged(i, QStringLiteral("começa por um ponto fora do mapa, que tem %1 x %2 pixels")
                                 .arg(bitmap.width())
                                 .arg(bitmap.height()));
        ++areas;
    }
    if (areas == 0)
        throw AppError(QStringLiteral("A lista de áreas do mapa %1 está vazia: não nomeia nenhuma área.").arg(path));
}

QStringList AreaList::readFile(const QString &path) {
    const QByteArray bytes =
        InputFile::read(path, QStringLiteral("Não foi possível ler a lista de áreas do mapa %1").arg(path));
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = Windows1252::decode(bytes).split(lineEnd);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
