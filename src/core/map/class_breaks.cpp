#include "core/map/class_breaks.h"

#include <algorithm>
#include <limits>

namespace ClassBreaks {
namespace {

// The distinct figures, ascending, with how many times each occurs.
struct Runs {
    std::vector<double> values;
    std::vector<long double> weights;
};

Runs runsOf(std::vector<double> figures) {
    std::sort(figures.begin(), figures.end());
    Runs runs;
    for (const double figure : figures) {
        if (!runs.values.empty() && runs.values.back() == figure) {
            runs.weights.back() += 1;
        } else {
            runs.values.push_back(figure);
            runs.weights.push_back(1);
        }
    }
    return runs;
}

// The squared deviations of a class of consecutive runs [from, to), from
// prefix sums of the weights, the weighted figures and their squares. The
// figures are taken less the middle one, and summed in long double, so that
// large counts keep their precision.
class Deviations {
  public:
    explicit Deviations(const Runs &runs) : m_w(runs.values.size() + 1), m_s(m_w.size()), m_q(m_w.size()) {
        const long double origin = runs.values[runs.values.size() / 2];
        for (size_t i = 0; i < runs.values.size(); ++i) {
            const long double v = runs.values[i] - origin;
            m_w[i + 1] = m_w[i] + runs.weights[i];
            m_s[i + 1] = m_s[i] + runs.weights[i] * v;
            m_q[i + 1] = m_q[i] + runs.weights[i] * v * v;
        }
    }
    long double of(size_t from, size_t to) const {
        const long double s = m_s[to] - m_s[from];
        return std::max<long double>(0, m_q[to] - m_q[from] - s * s / (m_w[to] - m_w[from]));
    }

  private:
    std::vector<long double> m_w, m_s, m_q;
};

// One row of Fisher's table: best[j] is the least deviation of the first j
// runs split into c classes, given the row for c - 1, and start[j] where
// its last class starts. The last class's start never moves back as j
// grows (the splits of one-dimensional clusters are monotone), so each
// half of the row searches only the starts its middle leaves it.
void fillRow(const Deviations &d, const std::vector<long double> &previous, std::vector<long double> &best,
             std::vector<size_t> &start, size_t c, size_t from, size_t to, size_t lowStart, size_t highStart) {
    if (from > to)
        return;
    const size_t j = from + (to - from) / 2;
    long double least = std::numeric_limits<long double>::infinity();
    size_t chosen = lowStart;
    for (size_t i = std::max(lowStart, c - 1); i <= std::min(highStart, j - 1); ++i) {
        const long double total = previous[i] + d.of(i, j);
        if (total < least) {
            least = total;
            chosen = i;
        }
    }
    best[j] = least;
    start[j] = chosen;
    if (j > from)
        fillRow(d, previous, best, start, c, from, j - 1, lowStart, chosen);
    fillRow(d, previous, best, start, c, j + 1, to, chosen, highStart);
}

} // namespace

std::vector<double> equalIntervals(std::vector<double> figures, int classes) {
    if (figures.empty())
        return {};
    const auto [low, high] = std::minmax_element(figures.begin(), figures.end());
    const double smallest = *low;
    const double step = (*high - smallest) / classes;
    std::vector<double> cuts(static_cast<size_t>(classes));
    for (int i = 1; i < classes; ++i)
        cuts[size_t(i - 1)] = smallest + step * i;
    cuts.back() = *high;
    std::vector<double> largest(static_cast<size_t>(classes), -std::numeric_limits<double>::infinity());
    std::vector<bool> used(static_cast<size_t>(classes), false);
    for (const double figure : figures) {
        const size_t k = size_t(std::lower_bound(cuts.begin(), cuts.end(), figure) - cuts.begin());
        used[k] = true;
        largest[k] = std::max(largest[k], figure);
    }
    std::vector<double> maxima;
    for (size_t k = 0; k < cuts.size(); ++k)
        if (used[k])
            maxima.push_back(largest[k]);
    return maxima;
}

std::vector<double> quantiles(std::vector<double> figures, int classes) {
    std::sort(figures.begin(), figures.end());
    const size_t n = figures.size();
    std::vector<double> maxima;
    size_t previousEnd = 0;
    for (int i = 1; i <= classes; ++i) {
        size_t end = size_t(i) * n / size_t(classes);
        while (end > 0 && end < n && figures[end] == figures[end - 1])
            ++end;
        if (end <= previousEnd)
            continue;
        maxima.push_back(figures[end - 1]);
        previousEnd = end;
    }
    return maxima;
}

std::vector<double> naturalBreaks(std::vector<double> figures, int classes) {
    if (figures.empty())
        return {};
    const Runs runs = runsOf(std::move(figures));
    const size_t m = runs.values.size();
    const size_t k = std::min(size_t(classes), m);
    const Deviations d(runs);
    // starts[c][j]: where the last of c classes over the first j runs starts.
    std::vector<std::vector<size_t>> starts(k + 1, std::vector<size_t>(m + 1, 0));
    std::vector<long double> previous(m + 1, std::numeric_limits<long double>::infinity());
    for (size_t j = 1; j <= m; ++j)
        previous[j] = d.of(0, j);
    for (size_t c = 2; c <= k; ++c) {
        std::vector<long double> best(m + 1, std::numeric_limits<long double>::infinity());
        fillRow(d, previous, best, starts[c], c, c, m, c - 1, m - 1);
        previous.swap(best);
    }
    std::vector<double> maxima(k);
    size_t end = m;
    for (size_t c = k; c >= 1; --c) {
        maxima[c - 1] = runs.values[end - 1];
        end = c > 1 ? starts[c][end] : 0;
    }
    return maxima;
}

std::vector<double> of(ClassMethod method, std::vector<double> figures) {
    switch (method) {
    case ClassMethod::EqualIntervals:
        return equalIntervals(std::move(figures));
    case ClassMethod::Quantiles:
        return quantiles(std::move(figures));
    case ClassMethod::NaturalBreaks:
        return naturalBreaks(std::move(figures));
    case ClassMethod::Doubling:
        break;
    }
    return {};
}

QString menuName(ClassMethod method) {
    switch (method) {
    case ClassMethod::EqualIntervals:
        return QStringLiteral("intervalos iguais");
    case ClassMethod::Quantiles:
        return QStringLiteral("quantis");
    case ClassMethod::NaturalBreaks:
        return QStringLiteral("quebras naturais");
    case ClassMethod::Doubling:
        break;
    }
    return QStringLiteral("dobro");
}

} // namespace ClassBreaks
