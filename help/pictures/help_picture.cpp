#include "pictures/help_picture.h"

#include <QHash>
#include <algorithm>
#include <utility>
#include <vector>

namespace HelpPicture {

QImage paletted(const QImage &grabbed) {
    constexpr size_t kColours = 256;
    const QImage picture = grabbed.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, qint64> counts;
    for (int y = 0; y < picture.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            ++counts[line[x]];
    }
    std::vector<std::pair<qint64, QRgb>> byUse;
    byUse.reserve(counts.size());
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        byUse.emplace_back(it.value(), it.key());
    // Ties go by colour, so the same picture always gets the same palette.
    const size_t kept = std::min(kColours, byUse.size());
    std::partial_sort(byUse.begin(), byUse.begin() + kept, byUse.end(),
                      [](const auto &a, const auto &b) { return a.first != b.first ? a.first > b.first : a.second < b.second; });
    QList<QRgb> palette;
    for (size_t i = 0; i < kept; ++i)
        palette << byUse[i].second;
    return picture.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
}

} // namespace HelpPicture
