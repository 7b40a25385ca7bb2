#include "usage_map.h"

#include "jet_format.h"
#include "page_file.h"

#include "base/data/app_error.h"

using JetFormat::kUsageMapSize;

namespace UsageMap {

namespace {

void setBit(QByteArray &bitmap, int at, quint32 index) {
    bitmap[at + int(index / 8)] = char(bitmap[at + int(index / 8)] | (1 << (index % 8)));
}

} // namespace

QByteArray row(const std::vector<quint32> &pages, PageFile &file) {
    QByteArray map(kUsageMapSize, '\0');
    const quint32 first = pages.empty() ? 0 : pages.front();
    if (pages.empty() || pages.back() - first < quint32(JetFormat::kInlineMapPages)) {
        JetFormat::put32(map, 1, first);
        for (const quint32 page : pages)
            setBit(map, 5, page - first);
        return map;
    }
    map[0] = 0x01;
    std::vector<QByteArray> bitmaps;
    for (const quint32 page : pages) {
        const quint32 index = page / JetFormat::kBitmapPageSpan;
        if (index >= quint32(JetFormat::kMaxBitmapPages))
            throw AppError(QStringLiteral("Não foi possível gravar o mapa de páginas: a página %1 passa do tamanho "
                                          "máximo de um arquivo Jet")
                               .arg(page));
        if (bitmaps.size() <= index)
            bitmaps.resize(index + 1);
        if (bitmaps[index].isEmpty()) {
            bitmaps[index] = QByteArray(JetFormat::kPageSize, '\0');
            bitmaps[index][0] = JetFormat::kUsageBitmapPage;
            bitmaps[index][1] = 0x01;
        }
        setBit(bitmaps[index], 4, page % JetFormat::kBitmapPageSpan);
    }
    for (size_t index = 0; index < bitmaps.size(); ++index) {
        if (!bitmaps[index].isEmpty())
            JetFormat::put32(map, 1 + 4 * int(index), file.append(bitmaps[index]));
    }
    return map;
}

} // namespace UsageMap
