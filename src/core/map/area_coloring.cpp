#include "core/map/area_coloring.h"

#include "base/data/app_error.h"
#include "core/drawing/color_number.h"
#include "core/map/area_list.h"
#include "core/map/flood_fill.h"

#include <limits>

namespace {

// Colour numbers are 32-bit values; either sign reading of the 32 bits is
// accepted, as the files of other tools may write them either way.
QRgb parseColor(const QString &text, const QString &areaName) {
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<quint32>::max())
        throw AppError(
            QStringLiteral("\"%1\" não é um número de cor válido (área \"%2\" do mapa).").arg(text, areaName));
    return ColorNumber::toColor(number).rgb();
}

} // namespace

void colorAreas(QImage &picture, const AreaList &areas, const AreaList &colors, int tag) {
    if (colors.isEmpty())
        return;
    for (const QString &line : areas.lines()) {
        const QString name = AreaList::nameOf(line);
        const int colorLine = colors.indexOfName(name);
        if (colorLine < 0)
            continue;
        const QString value = AreaList::valueOf(colors.lines()[colorLine]);
        if (value.isEmpty())
            continue;
        const QPoint seed = AreaList::seedOf(line);
        floodFill(picture, QPoint(seed.x(), seed.y() + tag), parseColor(value, name));
    }
}
