#include "map_set_writer.h"

#include "area_map_writer.h"
#include "output_file.h"
#include "sample_geography.h"
#include "viewport.h"

#include <QFileInfo>
#include <numeric>

namespace MapSetWriter {
namespace {

void writeMap(const LabelRaster &raster, const std::function<QString(int)> &nameOf, const QString &base, Counts &counts) {
    const AreaMapWriter writer(raster, nameOf);
    writer.write(base);
    ++counts.maps;
    counts.bytes += QFileInfo(base + QStringLiteral(".Bmp")).size() + QFileInfo(base + QStringLiteral(".Txt")).size();
}

} // namespace

Counts write(const SampleGeography &geography, const QString &programFolder) {
    const QString maps = programFolder + QStringLiteral("/Mapas/");
    Counts counts;
    const auto &states = geography.states();
    const auto &municipalities = geography.municipalities();
    std::vector<int> allStates(states.size());
    std::iota(allStates.begin(), allStates.end(), 0);
    QStringList siglas;
    for (const SampleState &s : states)
        siglas << s.fact.sigla;

    const Viewport country(geography.outlines().bounds(siglas), SampleGeography::kMapSize, SampleGeography::kMapMargin);
    LabelRaster byState = geography.stateRaster(country, allStates);
    writeMap(byState, [&](int s) { return states[size_t(s)].fact.name; }, maps + QStringLiteral("Pais/BRUF"), counts);
    std::vector<int> regionOf(states.size());
    for (int s : allStates)
        regionOf[size_t(s)] = geography.regionIndexOfState(s);
    byState.relabel(regionOf);
    writeMap(byState, [](int r) { return BrazilFacts::regions()[size_t(r)].name; },
             maps + QStringLiteral("Pais/BRREGIAO"), counts);

    std::vector<int> microOf(municipalities.size());
    for (size_t m = 0; m < municipalities.size(); ++m)
        microOf[m] = municipalities[m].micro;
    const auto municipalityName = [&](int m) { return municipalities[size_t(m)].name; };
    for (int s : allStates) {
        const QString sigla = states[size_t(s)].fact.sigla;
        const Viewport viewport(geography.outlines().bounds(sigla), SampleGeography::kMapSize,
                                SampleGeography::kMapMargin);
        LabelRaster raster = geography.municipalityRaster(viewport, {s});
        writeMap(raster, municipalityName, maps + QStringLiteral("Municipio/") + sigla + QStringLiteral("Mun"), counts);
        raster.relabel(microOf);
        writeMap(raster, [&](int micro) { return geography.micros()[size_t(micro)].name; },
                 maps + QStringLiteral("Microrregiao/") + sigla + QStringLiteral("Micro"), counts);
    }

    for (const SampleMetropolitanRegion &region : geography.metropolitans()) {
        const Viewport viewport(geography.cellBounds(region.members), SampleGeography::kMapSize,
                                SampleGeography::kMapMargin);
        LabelRaster raster = geography.municipalityRaster(viewport, region.states);
        std::vector<int> member(municipalities.size(), -1);
        for (int m : region.members)
            member[size_t(m)] = m;
        raster.relabel(member);
        writeMap(raster, municipalityName, maps + QStringLiteral("Regiao_Metropolitana/") + region.sigla, counts);
    }
    OutputFile::makeFolder(maps + QStringLiteral("Legendas"));
    return counts;
}

} // namespace MapSetWriter
