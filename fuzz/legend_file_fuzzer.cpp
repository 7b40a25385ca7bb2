// Legend files as a user's folder may hold them (edited by hand, damaged,
// another encoding): read as the map page reads them, loaded into a legend,
// validated and used to class values; a sound file written back reads the
// same.
#include "base/data/app_error.h"
#include "base/data/ini_file.h"
#include "core/map/map_legend.h"

#include <QLocale>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

const QString kSection = QStringLiteral("Legenda");

QString key(int k) { return QStringLiteral("Valor Final Faixa %1").arg(k); }

} // namespace

// The first byte chooses an integer or a percentage legend; the rest is the
// file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    static const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    IniFile ini;
    try {
        ini = IniFile::parse(QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)));
    } catch (const AppError &) {
        return 0;
    }
    if (IniFile::parse(ini.toBytes()).toBytes() != ini.toBytes())
        std::abort();
    MapLegend::Bounds uppers;
    for (int k = 1; k <= MapLegend::kClasses; ++k)
        uppers[k - 1] = ini.value(kSection, key(k));

    MapLegend legend(brazil);
    legend.setPercentage(data[0] & 1);
    try {
        legend.load(uppers);
    } catch (const AppError &) {
        return 0;
    }
    legend.validate();
    for (const double value : {0.0, 0.5, 1.0, 99.99, 100.0, 12345.678, 1e11, 1e12, 1e300, -1.0})
        legend.colorOf(value);
    return 0;
}
