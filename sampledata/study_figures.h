#pragma once

#include "topic_catalogue.h"

#include <vector>

class SampleGeography;

// The figures of one data table: a value for every value column of its
// catalogue and every municipality, and the sums and recomputed
// percentages of any set of municipalities.
class StudyFigures {
public:
    StudyFigures(const TopicTable &table, const SampleGeography &geography, quint64 seed);

    // The value columns, in catalogue order.
    const std::vector<const CatalogueRow *> &columns() const { return m_columns; }
    // The municipality's figures, one per value column.
    const std::vector<double> &municipality(int index) const { return m_values[size_t(index)]; }
    // Absolute figures summed over the municipalities, percentages
    // recomputed from those sums (0 where the denominator is 0).
    std::vector<double> total(const std::vector<int> &municipalities) const;

    // The seed of a table's figures: the study's seed mixed with the table's
    // code, so each table's figures stay the same whatever else changes.
    static quint64 seedFor(quint64 studySeed, const QString &code);

    // 100 x numerator / denominator to two decimals, 0 for a zero denominator.
    static double percentage(double numerator, double denominator);

private:
    void recomputePercentages(std::vector<double> &values) const;

    std::vector<const CatalogueRow *> m_columns;
    std::vector<int> m_numerator;   // per column: index of the numerator, -1 unless a percentage
    std::vector<int> m_denominator; // per column: index of the denominator
    std::vector<std::vector<double>> m_values;
};
