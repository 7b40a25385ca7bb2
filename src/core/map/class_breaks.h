#pragma once

#include "base/map/class_method.h"

#include <QString>

#include <vector>

// The three computed methods over a series of figures. Each returns the
// largest figure of every class that holds one, ascending: at most
// `classes` of them, fewer when classes are left empty or there are fewer
// distinct figures. A run of equal figures always falls into one class. No
// figures, no classes.
namespace ClassBreaks {

inline constexpr int kClasses = 8;

// The range from the smallest to the largest figure cut into equal parts;
// a class holds the figures above the cut before it up to its own cut (the
// first class holds the smallest figure too).
std::vector<double> equalIntervals(std::vector<double> figures, int classes = kClasses);

// The figures sorted; class i ends at rank floor(i * n / classes), moved on
// past every following figure equal to the one at that rank.
std::vector<double> quantiles(std::vector<double> figures, int classes = kClasses);

// Fisher's exact optimum (Jenks's natural breaks): the split into
// min(classes, distinct figures) classes of consecutive figures that
// minimises the sum of squared deviations from each class's mean.
std::vector<double> naturalBreaks(std::vector<double> figures, int classes = kClasses);

// The classes of a computed method; none for Doubling.
std::vector<double> of(ClassMethod method, std::vector<double> figures);

// The method's name in the legend grid's menu: "dobro", "intervalos
// iguais", "quantis", "quebras naturais".
QString menuName(ClassMethod method);

} // namespace ClassBreaks
