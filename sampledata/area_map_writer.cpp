#include "area_map_writer.h"

#include "output_file.h"

#include "base/data/app_error.h"
#include "base/data/windows1252.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>
#include <QSet>
#include <algorithm>

namespace {

// Patches smaller than this, left over where borders meet, join the border
// when their area has a proper patch elsewhere.
constexpr int kCrumb = 3;

const QRgb kOutside = qRgb(255, 255, 255);
const QRgb kBorder = qRgb(0, 0, 0);
// Near white, and far from every class colour the map view paints.
const QRgb kAreaFill = qRgb(238, 238, 238);

} // namespace

AreaMapWriter::AreaMapWriter(const LabelRaster &labels, const std::function<QString(int)> &nameOf)
    : m_nameOf(nameOf) {
    const int w = labels.width(), h = labels.height();
    // A pixel whose label differs from its right or lower neighbour's is
    // border: any two touching pixels of different areas then have one
    // border pixel between them.
    std::vector<char> border(size_t(w) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int l = labels.at(x, y);
            border[size_t(y) * w + x] = (l != labels.at(x + 1, y) || l != labels.at(x, y + 1));
        }
    findPatches(labels, border);
    paint(labels, border);
}

void AreaMapWriter::findPatches(const LabelRaster &labels, std::vector<char> &border) {
    const int w = labels.width(), h = labels.height();
    std::vector<int> component(size_t(w) * h, -1);
    std::vector<std::vector<int>> members;
    std::vector<int> stack;
    for (int start = 0; start < w * h; ++start) {
        if (border[start] || component[start] >= 0 || labels.at(start % w, start / w) < 0)
            continue;
        const int label = labels.at(start % w, start / w);
        const int id = int(members.size());
        members.emplace_back();
        stack.push_back(start);
        component[start] = id;
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            members[id].push_back(i);
            const int x = i % w, y = i / w;
            const int next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
            for (const auto &n : next) {
                if (n[0] < 0 || n[1] < 0 || n[0] >= w || n[1] >= h)
                    continue;
                const int j = n[1] * w + n[0];
                if (!border[j] && component[j] < 0 && labels.at(n[0], n[1]) == label) {
                    component[j] = id;
                    stack.push_back(j);
                }
            }
        }
    }
    QHash<int, int> largest;
    for (const std::vector<int> &patch : members) {
        const int label = labels.at(patch[0] % w, patch[0] / w);
        largest[label] = std::max(largest.value(label), int(patch.size()));
    }
    for (const std::vector<int> &patch : members) {
        const int label = labels.at(patch[0] % w, patch[0] / w);
        if (int(patch.size()) < kCrumb && largest.value(label) >= kCrumb) {
            for (int i : patch)
                border[i] = 1;
            continue;
        }
        Patch p{label, {}, {}};
        double cx = 0, cy = 0;
        std::vector<char> inPatch; // marks within the patch's box
        int left = w, right = 0, top = h, bottom = 0;
        for (int i : patch) {
            cx += i % w;
            cy += i / w;
            left = std::min(left, i % w);
            right = std::max(right, i % w);
            top = std::min(top, i / w);
            bottom = std::max(bottom, i / w);
        }
        cx /= double(patch.size());
        cy /= double(patch.size());
        // The seed: the patch's pixel nearest to its centre of mass.
        int seed = patch[0];
        double best = 1e300;
        for (int i : patch) {
            const double d = (i % w - cx) * (i % w - cx) + (i / w - cy) * (i / w - cy);
            if (d < best || (d == best && i < seed)) {
                best = d;
                seed = i;
            }
        }
        p.seed = QPoint(seed % w, seed / w);
        const int bw = right - left + 1;
        inPatch.assign(size_t(bw) * (bottom - top + 1), 0);
        for (int i : patch)
            inPatch[size_t(i / w - top) * bw + (i % w - left)] = 1;
        for (int x = left; x <= right; ++x)
            for (int y = top; y <= bottom; ++y)
                if (inPatch[size_t(y - top) * bw + (x - left)] &&
                    (y == top || !inPatch[size_t(y - 1 - top) * bw + (x - left)]))
                    p.columnTops.push_back(QPoint(x, y));
        m_patches.push_back(std::move(p));
    }
    std::stable_sort(m_patches.begin(), m_patches.end(), [](const Patch &a, const Patch &b) {
        return a.label < b.label;
    });
}

void AreaMapWriter::paint(const LabelRaster &labels, const std::vector<char> &border) {
    const int w = labels.width(), h = labels.height();
    QSet<int> inList;
    for (const Patch &p : m_patches)
        inList.insert(p.label);
    m_picture = QImage(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(m_picture.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int l = labels.at(x, y);
            if (border[size_t(y) * w + x])
                line[x] = kBorder;
            else if (l < 0 || !inList.contains(l))
                line[x] = kOutside;
            else
                line[x] = kAreaFill;
        }
    }
}

QStringList AreaMapWriter::areaLines() const {
    const auto point = [](QPoint p) { return QStringLiteral("(%1/%2)").arg(p.x()).arg(p.y()); };
    QStringList lines;
    for (const Patch &p : m_patches) {
        QStringList points{point(p.seed)};
        for (QPoint top : p.columnTops)
            points << point(top);
        lines << m_nameOf(p.label) + QLatin1Char('=') + points.join(QLatin1Char(','));
    }
    return lines;
}

void AreaMapWriter::write(const QString &basePath) const {
    QBuffer bitmap;
    bitmap.open(QIODevice::WriteOnly);
    QImageWriter writer(&bitmap, "bmp");
    if (!writer.write(m_picture))
        throw AppError(QStringLiteral("Não foi possível gravar o mapa %1.Bmp: %2").arg(basePath, writer.errorString()));
    OutputFile::write(basePath + QStringLiteral(".Bmp"), bitmap.data());
    QByteArray list;
    for (const QString &line : areaLines())
        list += Windows1252::encode(line) + "\r\n";
    OutputFile::write(basePath + QStringLiteral(".Txt"), list);
}
