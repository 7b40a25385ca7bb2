#pragma once

#include <QStringList>

// How the classes of a thematic map are made. The study's own classes
// (doubling bounds from the column's maximum, or the saved legend) are the
// default; the other three are computed from the figures that colour an
// area of the map (ClassBreaks).
enum class ClassMethod { Doubling, EqualIntervals, Quantiles, NaturalBreaks };

// The methods' names on the command line, in the order of ClassMethod.
inline const QStringList kClassMethodNames = {QStringLiteral("dobro"), QStringLiteral("intervalos"),
                                              QStringLiteral("quantis"), QStringLiteral("quebras")};
