#include "core/map/class_breaks.h"
#include "core/map/map_legend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

namespace {

using Figures = std::vector<double>;

struct Case {
    const char *name;
    Figures figures;
    Figures expected;
};

void expectCases(const std::vector<Case> &cases, Figures (*method)(Figures, int)) {
    for (const Case &c : cases)
        EXPECT_EQ(method(c.figures, ClassBreaks::kClasses), c.expected) << c.name;
}

// The squared deviations of the figures split after the given class maxima.
double deviations(Figures figures, const Figures &maxima) {
    std::sort(figures.begin(), figures.end());
    double total = 0;
    auto from = figures.begin();
    for (const double maximum : maxima) {
        const auto to = std::upper_bound(from, figures.end(), maximum);
        double mean = 0;
        for (auto it = from; it != to; ++it)
            mean += *it;
        mean /= double(to - from);
        for (auto it = from; it != to; ++it)
            total += (*it - mean) * (*it - mean);
        from = to;
    }
    EXPECT_EQ(from, figures.end());
    return total;
}

// The least deviations over every split of the distinct figures into
// `classes` runs, tried one by one.
double bruteForceLeast(const Figures &figures, int classes) {
    Figures distinct = figures;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    const int m = int(distinct.size());
    classes = std::min(classes, m);
    double least = std::numeric_limits<double>::infinity();
    // Each subset of the m - 1 gaps with classes - 1 members is a split.
    for (unsigned gaps = 0; gaps < (1u << (m - 1)); ++gaps) {
        if (__builtin_popcount(gaps) != classes - 1)
            continue;
        Figures maxima;
        for (int i = 0; i < m - 1; ++i)
            if (gaps & (1u << i))
                maxima.push_back(distinct[size_t(i)]);
        maxima.push_back(distinct.back());
        least = std::min(least, deviations(figures, maxima));
    }
    return least;
}

} // namespace

TEST(ClassBreaks, EqualIntervals) {
    expectCases(
        {
            {"one figure a class", {9, 1, 2, 3, 4, 5, 6, 7, 8}, {2, 3, 4, 5, 6, 7, 8, 9}},
            {"empty classes dropped, the rest closed up", {0, 1, 100}, {1, 100}},
            {"a figure on a cut belongs to the class below", {0, 10, 20, 80}, {10, 20, 80}},
            {"zeros", {0, 0, 0, 8}, {0, 8}},
            {"a single value", {5, 5, 5}, {5}},
            {"no figures", {}, {}},
        },
        &ClassBreaks::equalIntervals);
}

TEST(ClassBreaks, Quantiles) {
    Figures sixteen;
    for (int i = 16; i >= 1; --i)
        sixteen.push_back(i);
    expectCases(
        {
            {"two figures a class", sixteen, {2, 4, 6, 8, 10, 12, 14, 16}},
            {"a run of equal figures goes wholly into the lower class", {2, 1, 1, 1, 2, 2, 1, 2}, {1, 2}},
            {"fewer figures than classes", {3, 1, 2}, {1, 2, 3}},
            {"ties across a rank", {0, 0, 0, 0, 0, 0, 5, 9}, {0, 5, 9}},
            {"a single value", {7}, {7}},
            {"no figures", {}, {}},
        },
        &ClassBreaks::quantiles);
}

TEST(ClassBreaks, NaturalBreaks) {
    EXPECT_EQ(ClassBreaks::naturalBreaks({22, 1, 2, 3, 10, 11, 12, 20, 21}, 3), (Figures{3, 12, 22}));
    // Fewer distinct figures than classes: each its own class.
    EXPECT_EQ(ClassBreaks::naturalBreaks({4, 0, 4, 0, 9}), (Figures{0, 4, 9}));
    EXPECT_EQ(ClassBreaks::naturalBreaks({3, 3, 3}), (Figures{3}));
    EXPECT_EQ(ClassBreaks::naturalBreaks({}), Figures{});
}

// The split found is as good as the best of every split, on short series
// with ties, for each number of classes.
TEST(ClassBreaks, NaturalBreaksIsTheExactOptimum) {
    std::mt19937 random(2000);
    for (int series = 0; series < 300; ++series) {
        const int n = 2 + int(random() % 11);
        Figures figures;
        for (int i = 0; i < n; ++i)
            figures.push_back(double(random() % 40) * (series % 3 == 0 ? 1000.5 : 1.0));
        for (int classes = 1; classes <= 5; ++classes) {
            const Figures maxima = ClassBreaks::naturalBreaks(figures, classes);
            ASSERT_TRUE(std::is_sorted(maxima.begin(), maxima.end()));
            EXPECT_NEAR(deviations(figures, maxima), bruteForceLeast(figures, classes),
                        1e-6 * (1 + bruteForceLeast(figures, classes)))
                << "series " << series << ", " << classes << " classes";
        }
    }
}

// A method's classes as the legend grid shows them: bounds written as the
// legend writes them, each class beginning just above the one before, the
// unused classes blank; two figures that read the same make one class.
TEST(ClassBreaks, TheLegendShowsTheClassesAsItsOwnBounds) {
    MapLegend whole(QLocale(QLocale::Portuguese, QLocale::Brazil));
    whole.loadMaxima({3, 120, 4500});
    EXPECT_EQ(whole.uppers(), (MapLegend::Bounds{"3", "120", "4500", "", "", "", "", ""}));
    EXPECT_EQ(whole.lower(2), QStringLiteral("4"));
    EXPECT_EQ(whole.lower(3), QStringLiteral("121"));
    EXPECT_EQ(whole.classOf(4500), 3);

    MapLegend percent(QLocale(QLocale::Portuguese, QLocale::Brazil));
    percent.setPercentage(true);
    percent.loadMaxima({1.5, 8.211, 8.214, 12});
    EXPECT_EQ(percent.uppers(), (MapLegend::Bounds{"1,50", "8,21", "12,00", "", "", "", "", ""}));
    EXPECT_EQ(percent.lower(2), QStringLiteral("1,51"));
}
