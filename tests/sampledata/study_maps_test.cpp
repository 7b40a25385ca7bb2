// Every map of the generated study works with the map component: a 24-bit
// bitmap of areas in one neutral grey closed by black borders, and an area
// list in Windows-1252 whose names are the names the map view looks up,
// whose first point seeds the flood fill of its area and whose other points
// hold the top pixel of every vertical run of the area (the hover lookup).
#include "generated_study.h"

#include "base/data/windows1252.h"

#include <QFile>
#include <QHash>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
#include <vector>

namespace {

GeneratedStudy &study() { return GeneratedStudy::instance(); }

struct AreaLine {
    QString name;
    std::vector<QPoint> points;
};

struct MapFiles {
    QImage picture;
    int bitsPerPixel = 0;
    std::vector<AreaLine> areas;
    QByteArray listBytes;
};

MapFiles readMap(const QString &base) {
    MapFiles map;
    QFile bitmap(GeneratedStudy::file(base + QStringLiteral(".Bmp")));
    if (bitmap.open(QIODevice::ReadOnly)) {
        const QByteArray header = bitmap.read(30);
        if (header.size() == 30)
            map.bitsPerPixel = uchar(header[28]) | (uchar(header[29]) << 8);
    }
    map.picture = QImage(GeneratedStudy::file(base + QStringLiteral(".Bmp"))).convertToFormat(QImage::Format_RGB32);
    QFile list(GeneratedStudy::file(base + QStringLiteral(".Txt")));
    if (!list.open(QIODevice::ReadOnly))
        return map;
    map.listBytes = list.readAll();
    static const QRegularExpression point(QStringLiteral("\\((\\d+)/(\\d+)\\)"));
    for (const QString &line : Windows1252::decode(map.listBytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        AreaLine area{line.section(QLatin1Char('='), 0, 0), {}};
        auto it = point.globalMatch(line.section(QLatin1Char('='), 1));
        while (it.hasNext()) {
            const auto m = it.next();
            area.points.push_back(QPoint(m.captured(1).toInt(), m.captured(2).toInt()));
        }
        map.areas.push_back(area);
    }
    return map;
}

QStringList names(const QString &statement) {
    QStringList list;
    for (const QVariantList &r : study().rows(statement))
        list << r[0].toString();
    return list;
}

// Checks one map against the names its areas may bear; returns the names
// found, and in areaAt (when given) the name of the area of every pixel
// ("" for borders and the outside).
QSet<QString> checkMap(const QString &base, const QStringList &allowed, std::vector<QString> *areaAt = nullptr) {
    SCOPED_TRACE(base.toStdString());
    const MapFiles map = readMap(base);
    EXPECT_EQ(map.bitsPerPixel, 24);
    EXPECT_EQ(map.picture.size(), QSize(460, 420));
    EXPECT_FALSE(map.areas.empty());
    // Every line ends in CR LF.
    EXPECT_TRUE(map.listBytes.endsWith("\r\n"));
    EXPECT_EQ(map.listBytes.count('\n'), map.listBytes.count("\r\n"));
    const QImage &img = map.picture;
    // Every area the same neutral grey, apart from white and every class
    // colour: the map view paints the listed ones over it.
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255), grey = qRgb(238, 238, 238);
    std::vector<int> owner(size_t(img.width()) * img.height(), -1);
    QSet<QString> found;
    for (int a = 0; a < int(map.areas.size()); ++a) {
        const AreaLine &area = map.areas[size_t(a)];
        found.insert(area.name);
        EXPECT_TRUE(allowed.contains(area.name)) << qPrintable(area.name);
        if (area.points.size() < 2) {
            ADD_FAILURE() << "no points for " << qPrintable(area.name);
            continue;
        }
        const QPoint seed = area.points.front();
        if (!img.rect().contains(seed)) {
            ADD_FAILURE() << "seed outside the picture for " << qPrintable(area.name);
            continue;
        }
        const QRgb colour = img.pixel(seed);
        EXPECT_EQ(colour, grey) << qPrintable(area.name);
        if (owner[size_t(seed.y()) * img.width() + seed.x()] >= 0) {
            ADD_FAILURE() << qPrintable(area.name) << " seeds a patch another line already fills";
            continue;
        }
        // The flood fill the map component does: same colour, through
        // horizontal and vertical neighbours.
        std::vector<QPoint> stack{seed};
        std::vector<QPoint> patch;
        owner[size_t(seed.y()) * img.width() + seed.x()] = a;
        while (!stack.empty()) {
            const QPoint p = stack.back();
            stack.pop_back();
            patch.push_back(p);
            for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                const QPoint n = p + d;
                if (!img.rect().contains(n) || img.pixel(n) != colour)
                    continue;
                int &o = owner[size_t(n.y()) * img.width() + n.x()];
                if (o < 0) {
                    o = a;
                    stack.push_back(n);
                }
            }
        }
        // The fill stays inside the picture's territory: it never reaches
        // the picture's edge.
        for (const QPoint &p : patch)
            if (p.x() == 0 || p.y() == 0 || p.x() == img.width() - 1 || p.y() == img.height() - 1) {
                ADD_FAILURE() << qPrintable(area.name) << " leaks to the edge";
                break;
            }
        QSet<quint64> listed;
        for (size_t i = 1; i < area.points.size(); ++i)
            listed.insert(quint64(area.points[i].x()) << 32 | quint64(area.points[i].y()));
        QSet<quint64> inPatch;
        for (const QPoint &p : patch)
            inPatch.insert(quint64(p.x()) << 32 | quint64(p.y()));
        int missing = 0;
        for (const QPoint &p : patch) {
            const bool runTop = !inPatch.contains(quint64(p.x()) << 32 | quint64(p.y() - 1));
            if (runTop && !listed.contains(quint64(p.x()) << 32 | quint64(p.y())))
                ++missing;
        }
        EXPECT_EQ(missing, 0) << qPrintable(area.name) << ": column tops not listed";
        for (quint64 p : listed)
            EXPECT_TRUE(inPatch.contains(p)) << qPrintable(area.name) << ": a point outside its area";
    }
    // Every grey pixel belongs to a listed area, so hovering anywhere on the
    // territory names an area; no pixel has another colour.
    int stray = 0, otherColour = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            stray += c == grey && owner[size_t(y) * img.width() + x] < 0;
            otherColour += c != black && c != white && c != grey;
        }
    EXPECT_EQ(stray, 0);
    EXPECT_EQ(otherColour, 0);
    if (areaAt) {
        areaAt->assign(owner.size(), QString());
        for (size_t i = 0; i < owner.size(); ++i)
            if (owner[i] >= 0)
                (*areaAt)[i] = map.areas[size_t(owner[i])].name;
    }
    return found;
}

QSet<QString> setOf(const QStringList &list) { return QSet<QString>(list.begin(), list.end()); }

} // namespace

TEST(SampleStudyMaps, CountryByRegionAndByState) {
    const QStringList regions = names(QStringLiteral("select Descricao from Regiao"));
    EXPECT_EQ(checkMap(QStringLiteral("Mapas/Pais/BRREGIAO"), regions), setOf(regions));
    const QStringList states = names(QStringLiteral("select Descricao from Unidade_Federativa"));
    EXPECT_EQ(checkMap(QStringLiteral("Mapas/Pais/BRUF"), states), setOf(states));
}

TEST(SampleStudyMaps, EveryStateByMicroRegionAndByMunicipality) {
    for (const QVariantList &state : study().rows(QStringLiteral("select Unidade_Federativa, Sigla from Unidade_Federativa"))) {
        const int code = state[0].toInt();
        const QString sigla = state[1].toString();
        const QStringList micros =
            names(QStringLiteral("select Descricao from Micro_Regiao where Unidade_Federativa = %1").arg(code));
        EXPECT_EQ(checkMap(QStringLiteral("Mapas/Microrregiao/%1Micro").arg(sigla), micros), setOf(micros));
        const QStringList all =
            names(QStringLiteral("select Descricao from Municipio where Unidade_Federativa = %1").arg(code));
        const QSet<QString> onMap = checkMap(QStringLiteral("Mapas/Municipio/%1Mun").arg(sigla), all);
        for (const QString &large : names(QStringLiteral("select Descricao from Municipio where Unidade_Federativa = %1 "
                                                         "and Populacao_Cidade >= 20000 and Municipio <> 999999")
                                              .arg(code)))
            EXPECT_TRUE(onMap.contains(large)) << qPrintable(sigla + QLatin1Char(' ') + large);
    }
}

// The municipalities of a micro-region touch one another on the map
// (islands aside).
TEST(SampleStudyMaps, MicroRegionsAreContiguous) {
    for (const QVariantList &state : study().rows(QStringLiteral("select Unidade_Federativa, Sigla from Unidade_Federativa"))) {
        const QString sigla = state[1].toString();
        std::vector<QString> areaAt;
        checkMap(QStringLiteral("Mapas/Municipio/%1Mun").arg(sigla),
                 names(QStringLiteral("select Descricao from Municipio where Unidade_Federativa = %1").arg(state[0].toInt())),
                 &areaAt);
        const int w = 460, h = 420;
        QHash<QString, QSet<QString>> touching;
        // Areas around one border pixel touch.
        for (int y = 1; y + 1 < h; ++y)
            for (int x = 1; x + 1 < w; ++x) {
                if (!areaAt[size_t(y) * w + x].isEmpty())
                    continue;
                QSet<QString> around;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (!areaAt[size_t(y + dy) * w + x + dx].isEmpty())
                            around.insert(areaAt[size_t(y + dy) * w + x + dx]);
                for (const QString &a : around)
                    touching[a].unite(around).remove(a);
            }
        for (const QVariantList &micro : study().rows(
                 QStringLiteral("select Micro_Regiao, Descricao from Micro_Regiao where Unidade_Federativa = %1")
                     .arg(state[0].toInt()))) {
            QSet<QString> members;
            for (const QString &m : names(QStringLiteral("select Descricao from Municipio where Micro_Regiao = %1")
                                              .arg(micro[0].toInt())))
                if (!touching.value(m).isEmpty())
                    members.insert(m);
            if (members.isEmpty())
                continue;
            // Split into pieces of touching members; only one piece may
            // touch other municipalities (the others are islands).
            int inland = 0;
            QSet<QString> reached;
            for (const QString &start : members) {
                if (reached.contains(start))
                    continue;
                bool touchesOthers = false;
                QStringList queue{start};
                reached.insert(start);
                while (!queue.isEmpty()) {
                    for (const QString &n : touching.value(queue.takeFirst())) {
                        if (!members.contains(n))
                            touchesOthers = true;
                        else if (!reached.contains(n)) {
                            reached.insert(n);
                            queue << n;
                        }
                    }
                }
                inland += touchesOthers;
            }
            EXPECT_LE(inland, 1) << qPrintable(sigla + QLatin1Char(' ') + micro[1].toString());
        }
    }
}

TEST(SampleStudyMaps, EveryMetropolitanRegionByMunicipality) {
    const auto regions = study().rows(QStringLiteral("select distinct Regiao_Metropolitana, Sigla from Regiao_Metropolitana"));
    ASSERT_FALSE(regions.empty());
    for (const QVariantList &region : regions) {
        const QStringList members =
            names(QStringLiteral("select Descricao from Municipio where Regiao_Metropolitana = %1").arg(region[0].toInt()));
        EXPECT_EQ(checkMap(QStringLiteral("Mapas/Regiao_Metropolitana/") + region[1].toString(), members),
                  setOf(members));
    }
}
