#include "study_figures.h"

#include "random_source.h"
#include "sample_geography.h"

#include "base/data/app_error.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace {

double measureOf(const SampleMunicipality &m, Measure measure) {
    // Urban households hold 3.7 people on average, rural ones 4.1.
    const double urbanHouseholds = std::round(double(m.urbanPopulation) / 3.7);
    const double ruralHouseholds = std::round(double(m.ruralPopulation) / 4.1);
    switch (measure) {
    case Measure::Households:
        return urbanHouseholds + ruralHouseholds;
    case Measure::UrbanHouseholds:
        return urbanHouseholds;
    case Measure::RuralHouseholds:
        return ruralHouseholds;
    case Measure::Population:
        return double(m.urbanPopulation + m.ruralPopulation);
    case Measure::UrbanPopulation:
        return double(m.urbanPopulation);
    case Measure::RuralPopulation:
        return double(m.ruralPopulation);
    }
    return 0;
}

// A random factor with mean 1 that spreads the figures of similar towns.
double spreadFactor(RandomSource &random, double spread) {
    return spread <= 0 ? 1.0 : std::exp(spread * random.normal() - spread * spread / 2);
}

} // namespace

quint64 StudyFigures::seedFor(quint64 studySeed, const QString &code) {
    quint64 hash = 14695981039346656037ULL; // FNV-1a
    for (QChar c : code) {
        hash ^= c.unicode();
        hash *= 1099511628211ULL;
    }
    return studySeed ^ hash;
}

double StudyFigures::percentage(double numerator, double denominator) {
    return denominator > 0 ? std::round(10000.0 * numerator / denominator) / 100.0 : 0.0;
}

StudyFigures::StudyFigures(const TopicTable &table, const SampleGeography &geography, quint64 seed) {
    QHash<QString, int> indexOf;
    for (const CatalogueRow &row : table.rows)
        if (row.value) {
            indexOf.insert(row.atributo, int(m_columns.size()));
            m_columns.push_back(&row);
        }
    const auto column = [&](const QString &name) {
        const auto it = indexOf.constFind(name);
        if (it == indexOf.constEnd())
            throw AppError(QStringLiteral("Tabela %1: a coluna %2 não existe.").arg(table.code, name));
        return it.value();
    };
    for (const CatalogueRow *row : m_columns) {
        const bool percent = row->source.kind == FigureSource::Percent;
        m_numerator.push_back(percent ? column(row->source.numerator) : -1);
        m_denominator.push_back(percent ? column(row->source.denominator) : -1);
    }
    RandomSource random(seed);
    const size_t count = m_columns.size();
    for (const SampleMunicipality &m : geography.municipalities()) {
        std::vector<double> values(count, 0.0);
        std::vector<double> left(count, 0.0); // what a parent column has not yet given to its parts
        for (size_t i = 0; i < count; ++i) {
            const FigureSource &source = m_columns[i]->source;
            double v = 0;
            switch (source.kind) {
            case FigureSource::Base:
                v = double(random.roundRandomly(measureOf(m, source.measure) * source.rate *
                                                spreadFactor(random, source.spread)));
                break;
            case FigureSource::Share: {
                const int parent = column(source.parent);
                const double fraction = std::clamp(source.rate * spreadFactor(random, source.spread), 0.0, 1.0);
                v = std::min(double(random.roundRandomly(left[parent] * fraction)), left[parent]);
                left[parent] -= v;
                break;
            }
            case FigureSource::Rest: {
                const int parent = column(source.parent);
                v = left[parent];
                left[parent] = 0;
                break;
            }
            case FigureSource::Sum:
                for (const QString &part : source.parts)
                    v += values[column(part)];
                break;
            case FigureSource::Percent:
            case FigureSource::Heading:
                break;
            }
            values[i] = v;
            left[i] = v;
        }
        recomputePercentages(values);
        m_values.push_back(std::move(values));
    }
}

void StudyFigures::recomputePercentages(std::vector<double> &values) const {
    for (size_t i = 0; i < values.size(); ++i)
        if (m_numerator[i] >= 0)
            values[i] = percentage(values[m_numerator[i]], values[m_denominator[i]]);
}

std::vector<double> StudyFigures::total(const std::vector<int> &municipalities) const {
    std::vector<double> sums(m_columns.size(), 0.0);
    for (int m : municipalities) {
        const std::vector<double> &values = m_values[size_t(m)];
        for (size_t i = 0; i < sums.size(); ++i)
            sums[i] += values[i];
    }
    recomputePercentages(sums);
    return sums;
}
