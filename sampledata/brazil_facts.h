#pragma once

#include <QPointF>
#include <QString>
#include <vector>

// Public facts about Brazil's territory that the sample study is built on:
// the five regions, the 27 states with their IBGE codes, their capitals with
// a position and an urban population close to the census of 2000, and a few
// large cities that are not capitals.
struct RegionFact {
    int code;
    QString sigla;
    QString name;
};

struct StateFact {
    int code;
    int region;
    QString sigla;
    QString name;
    QString capital;
    double capitalLatitude;
    double capitalLongitude;
    int capitalPopulation;
};

struct CityFact {
    QString stateSigla;
    QString name;
    int population;
    bool metropolitanCore; // a metropolitan region forms around it
};

namespace BrazilFacts {

const std::vector<RegionFact> &regions();
const std::vector<StateFact> &states();
const std::vector<CityFact> &largeCities();

// Capitals around which a metropolitan region forms.
bool capitalIsMetropolitanCore(const QString &stateSigla);
// Capitals whose metropolitan region reaches into neighbouring states (the
// Federal District's and Teresina's development regions).
bool capitalRegionCrossesStates(const QString &stateSigla);

// The point of the state-outline drawing at a latitude and longitude. The
// drawing's projection is not published; this fit matches its extreme points
// (north of Roraima, south of Rio Grande do Sul, west of Acre, east of
// Paraíba) and the Federal District to within a few drawing units.
QPointF outlinePoint(double latitude, double longitude);

} // namespace BrazilFacts
