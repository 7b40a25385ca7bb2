// The number formatter on any value and any picture. With the pictures the
// tables use, the text must read back as the value it shows: a figure never
// looks like another figure.
#include "base/data/format_float.h"

#include <QLocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

struct Picture {
    const char *pattern;
    int decimals;
};

const Picture kPictures[] = {{"###,##0", 0},        {"##0.00", 2}, {"#0.00", 2},
                             {"0", 0},              {"000000000000.00", 2}, {",0;-,0", 0},
                             {"###,##0.00", 2}};

// The shown text back to a number: group separators dropped, the decimal
// comma turned into a point.
double readBack(QString text) {
    text.remove(QLatin1Char('.'));
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok)
        std::abort();
    return value;
}

} // namespace

// Eight bytes are the value, the next one picks a table picture, the rest is
// a free picture.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 9)
        return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    static const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);

    const QString free = QString::fromUtf8(reinterpret_cast<const char *>(data + 9), qsizetype(size - 9));
    FormatFloat(free, value, brazil);

    if (!std::isfinite(value))
        return 0;
    const Picture &picture = kPictures[data[8] % (sizeof kPictures / sizeof kPictures[0])];
    const double shown = readBack(FormatFloat(QString::fromLatin1(picture.pattern), value, brazil));
    // Rounded to the picture's decimals: off by at most half a unit of the
    // last shown digit, or by the double's own precision on huge values.
    const double unit = std::pow(10.0, -picture.decimals);
    if (std::fabs(shown - value) > unit / 2 + std::fabs(value) * 1e-15)
        std::abort();
    return 0;
}
