#include "sample_geography.h"

#include "municipality_list.h"
#include "random_source.h"
#include "seed_index.h"
#include "viewport.h"

#include "base/data/app_error.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <numeric>

namespace {

// About ten municipalities per micro-region, as in the census grouping.
constexpr double kMunicipalitiesPerMicro = 10.0;
constexpr int kMicroMinimum = 5;
constexpr int kMicroMaximum = 40;
constexpr int kRelaxationRounds = 3;
constexpr int kFirmContact = 3;

// Splits seeds into count contiguous groups by cutting the longer side of
// their box again and again; the groups come out in a walking order, so
// neighbouring groups are near each other.
void bisect(std::vector<int> seeds, int count, const std::vector<QPointF> &points, RandomSource &random,
            std::vector<std::vector<int>> &groups) {
    if (count <= 1 || int(seeds.size()) <= kMicroMinimum) {
        groups.push_back(std::move(seeds));
        return;
    }
    const int leftCount = count / 2;
    const int rightCount = count - leftCount;
    const int n = int(seeds.size());
    const int low = std::max(kMicroMinimum * leftCount, n - kMicroMaximum * rightCount);
    const int high = std::min(kMicroMaximum * leftCount, n - kMicroMinimum * rightCount);
    int leftSize = int(std::lround(n * double(leftCount) / count * random.uniform(0.75, 1.25)));
    leftSize = low <= high ? std::clamp(leftSize, low, high) : int(std::lround(n * double(leftCount) / count));
    QRectF box;
    for (int s : seeds)
        box = box.united(QRectF(points[s], QSizeF(1e-9, 1e-9)));
    const bool alongX = box.width() >= box.height();
    std::sort(seeds.begin(), seeds.end(), [&](int a, int b) {
        const QPointF pa = points[a], pb = points[b];
        return alongX ? std::pair(pa.x(), pa.y()) < std::pair(pb.x(), pb.y())
                      : std::pair(pa.y(), pa.x()) < std::pair(pb.y(), pb.x());
    });
    std::vector<int> left(seeds.begin(), seeds.begin() + leftSize);
    std::vector<int> right(seeds.begin() + leftSize, seeds.end());
    bisect(std::move(left), leftCount, points, random, groups);
    bisect(std::move(right), rightCount, points, random, groups);
}

// The other group that the cells touch most often among those allowed to
// take them; -1 when they touch none.
int mostTouchedGroup(const std::vector<int> &cells, int own, const std::vector<std::vector<int>> &neighbours,
                     const std::vector<int> &groupOf, const std::function<bool(int)> &allowed) {
    std::map<int, int> contacts;
    for (int s : cells)
        for (int n : neighbours[size_t(s)])
            if (groupOf[size_t(n)] != own && allowed(groupOf[size_t(n)]))
                ++contacts[groupOf[size_t(n)]];
    if (contacts.empty())
        return -1;
    return std::max_element(contacts.begin(), contacts.end(), [](const auto &a, const auto &b) {
               return a.second < b.second;
           })->first;
}

// A straight cut through a state with bays and bends can leave a few cells
// of a group cut off from the rest of it: each such piece joins the
// neighbouring group it touches most. Islands, touching nothing, stay.
void makeContiguous(std::vector<std::vector<int>> &groups, const std::vector<std::vector<int>> &neighbours) {
    std::vector<int> groupOf(neighbours.size(), -1);
    for (int g = 0; g < int(groups.size()); ++g)
        for (int s : groups[size_t(g)])
            groupOf[size_t(s)] = g;
    bool changed = true;
    for (int round = 0; changed && round < 20; ++round) {
        changed = false;
        for (int g = 0; g < int(groups.size()); ++g) {
            std::vector<std::vector<int>> pieces;
            std::vector<char> seen(neighbours.size(), 0);
            for (int start : groups[size_t(g)]) {
                if (seen[size_t(start)])
                    continue;
                std::vector<int> piece{start};
                seen[size_t(start)] = 1;
                for (size_t i = 0; i < piece.size(); ++i)
                    for (int n : neighbours[size_t(piece[i])])
                        if (groupOf[size_t(n)] == g && !seen[size_t(n)]) {
                            seen[size_t(n)] = 1;
                            piece.push_back(n);
                        }
                pieces.push_back(std::move(piece));
            }
            if (pieces.size() < 2)
                continue;
            std::stable_sort(pieces.begin(), pieces.end(),
                             [](const auto &a, const auto &b) { return a.size() > b.size(); });
            for (size_t p = 1; p < pieces.size(); ++p) {
                const int target = mostTouchedGroup(pieces[p], g, neighbours, groupOf, [](int) { return true; });
                if (target < 0)
                    continue;
                for (int s : pieces[p])
                    groupOf[size_t(s)] = target;
                changed = true;
            }
        }
        for (auto &group : groups)
            group.clear();
        for (int s = 0; s < int(groupOf.size()); ++s)
            groups[size_t(groupOf[size_t(s)])].push_back(s);
    }
    // A group left too small joins the neighbour it touches most.
    for (int g = 0; g < int(groups.size()); ++g) {
        if (groups[size_t(g)].empty() || int(groups[size_t(g)].size()) >= kMicroMinimum)
            continue;
        const int target = mostTouchedGroup(groups[size_t(g)], g, neighbours, groupOf, [&](int other) {
            return int(groups[size_t(other)].size() + groups[size_t(g)].size()) <= kMicroMaximum;
        });
        if (target < 0)
            continue;
        for (int s : groups[size_t(g)]) {
            groupOf[size_t(s)] = target;
            groups[size_t(target)].push_back(s);
        }
        groups[size_t(g)].clear();
    }
    groups.erase(std::remove_if(groups.begin(), groups.end(), [](const auto &g) { return g.empty(); }), groups.end());
}

QString asciiFolded(const QString &text) {
    static const QRegularExpression notLetter(QStringLiteral("[^A-Za-z]"));
    return text.normalized(QString::NormalizationForm_D).remove(notLetter);
}

} // namespace

SampleGeography SampleGeography::build(const MunicipalityList &list, const StateOutlines &outlines, quint64 seed) {
    SampleGeography geography;
    geography.m_outlines = outlines;
    for (const StateFact &fact : BrazilFacts::states())
        geography.m_states.push_back({fact, {}, {}});
    std::vector<std::vector<int>> facts(geography.m_states.size());
    for (int i = 0; i < int(list.all().size()); ++i) {
        const int state = geography.stateIndexOfCode(list.all()[i].stateCode);
        if (state >= 0)
            facts[state].push_back(i);
    }
    RandomSource random(seed);
    for (int s = 0; s < int(geography.m_states.size()); ++s) {
        if (facts[s].empty())
            throw AppError(QStringLiteral("A lista de municípios não tem nenhum município de %1.")
                               .arg(geography.m_states[s].fact.name));
        std::vector<int> members;
        for (int f : facts[s]) {
            const MunicipalityFact &fact = list.all()[f];
            members.push_back(int(geography.m_municipalities.size()));
            geography.m_municipalities.push_back({fact.code, fact.name, s, {}});
        }
        geography.settleState(s, members, random);
    }
    geography.assignPopulations(random);
    geography.nameMicroRegions();
    geography.formMetropolitanRegions();
    return geography;
}

int SampleGeography::stateIndexOfCode(int code) const {
    for (int s = 0; s < int(m_states.size()); ++s)
        if (m_states[s].fact.code == code)
            return s;
    return -1;
}

int SampleGeography::regionIndexOfState(int state) const {
    const auto &regions = BrazilFacts::regions();
    for (int r = 0; r < int(regions.size()); ++r)
        if (regions[r].code == m_states[state].fact.region)
            return r;
    return -1;
}

SampleGeography::Placement SampleGeography::placeSeeds(int state, int count, RandomSource &random) const {
    const StateFact &fact = m_states[state].fact;
    const Viewport viewport(m_outlines.bounds(fact.sigla), kMapSize, kMapMargin);
    LabelRaster raster(kMapSize);
    raster.fillRings(viewport, m_outlines.rings(fact.sigla), 0);
    std::vector<QPoint> inside;
    for (int y = 0; y < raster.height(); ++y)
        for (int x = 0; x < raster.width(); ++x)
            if (raster.at(x, y) == 0)
                inside.push_back(QPoint(x, y));
    if (inside.empty())
        throw AppError(QStringLiteral("O contorno de %1 não cobre nenhum ponto do mapa.").arg(fact.name));

    // The capital stands at its real place, moved onto the nearest pixel of
    // the state when the outline's coarse coast leaves it in the sea.
    QPointF capital = viewport.toPixel(BrazilFacts::outlinePoint(fact.capitalLatitude, fact.capitalLongitude));
    const QPoint capitalPixel(int(std::floor(capital.x())), int(std::floor(capital.y())));
    if (raster.at(capitalPixel.x(), capitalPixel.y()) != 0) {
        const auto nearest = std::min_element(inside.begin(), inside.end(), [&](QPoint a, QPoint b) {
            return QPointF(a - capitalPixel).manhattanLength() < QPointF(b - capitalPixel).manhattanLength();
        });
        capital = QPointF(*nearest) + QPointF(0.5, 0.5);
    }
    std::vector<QPointF> seeds{capital};
    while (int(seeds.size()) < count) {
        const QPoint p = inside[size_t(random.below(int(inside.size())))];
        seeds.push_back(QPointF(p.x() + random.uniform(), p.y() + random.uniform()));
    }
    // A few rounds of moving each seed to the middle of its cell even out
    // the cells without making them all alike.
    for (int round = 0; round < kRelaxationRounds && count > 1; ++round) {
        const SeedIndex index(seeds);
        std::vector<QPointF> sums(seeds.size(), QPointF());
        std::vector<int> counts(seeds.size(), 0);
        for (QPoint p : inside) {
            const QPointF centre = QPointF(p) + QPointF(0.5, 0.5);
            const int s = index.nearest(centre);
            sums[s] += centre;
            ++counts[s];
        }
        for (size_t s = 1; s < seeds.size(); ++s)
            if (counts[s] > 0)
                seeds[s] = sums[s] / counts[s];
    }
    // Cells that touch on the state's map (the micro-region map is drawn at
    // this same scale), found where neighbouring pixels change cell.
    const SeedIndex index(seeds);
    std::vector<int> cell(size_t(raster.width()) * raster.height(), -1);
    for (QPoint p : inside)
        cell[size_t(p.y()) * raster.width() + p.x()] = index.nearest(QPointF(p) + QPointF(0.5, 0.5));
    // A contact of a pixel or two may vanish under the border lines, so
    // cells touch only along a few pixels at least.
    std::map<std::pair<int, int>, int> contact;
    for (QPoint p : inside) {
        const int a = cell[size_t(p.y()) * raster.width() + p.x()];
        for (const QPoint n : {p + QPoint(1, 0), p + QPoint(0, 1)}) {
            const int b = raster.at(n.x(), n.y()) == 0 ? cell[size_t(n.y()) * raster.width() + n.x()] : -1;
            if (b >= 0 && b != a)
                ++contact[std::minmax(a, b)];
        }
    }
    Placement placement;
    for (QPointF &s : seeds)
        placement.seeds.push_back(viewport.toDrawing(s));
    placement.neighbours.resize(seeds.size());
    for (const auto &[pair, length] : contact)
        if (length >= kFirmContact) {
            placement.neighbours[size_t(pair.first)].push_back(pair.second);
            placement.neighbours[size_t(pair.second)].push_back(pair.first);
        }
    return placement;
}

void SampleGeography::settleState(int state, const std::vector<int> &members, RandomSource &random) {
    SampleState &area = m_states[state];
    area.municipalities = members;
    const int count = int(members.size());
    const Placement placement = placeSeeds(state, count, random);
    const std::vector<QPointF> &seeds = placement.seeds;

    const int microCount = std::max(1, int(std::lround(count / kMunicipalitiesPerMicro)));
    std::vector<int> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::vector<std::vector<int>> groups;
    bisect(order, microCount, seeds, random, groups);
    makeContiguous(groups, placement.neighbours);

    // The capital takes the first seed; the other municipalities, in the
    // list's order (neighbours mostly follow each other there), fill the
    // groups one after the other.
    int capital = members.front();
    for (int m : members)
        if (m_municipalities[m].name == area.fact.capital)
            capital = m;
    m_municipalities[capital].capital = true;
    std::vector<int> others;
    for (int m : members)
        if (m != capital)
            others.push_back(m);
    size_t next = 0;
    for (std::vector<int> &group : groups) {
        std::sort(group.begin(), group.end(), [&](int a, int b) {
            return std::pair(seeds[a].y(), seeds[a].x()) < std::pair(seeds[b].y(), seeds[b].x());
        });
        SampleMicroRegion micro{area.fact.code * 1000 + int(area.micros.size()) + 1, {}, state, {}};
        for (int seed : group) {
            const int m = seed == 0 ? capital : others[next++];
            m_municipalities[m].position = seeds[seed];
            m_municipalities[m].micro = int(m_micros.size());
            micro.members.push_back(m);
        }
        area.micros.push_back(int(m_micros.size()));
        m_micros.push_back(std::move(micro));
    }
}

void SampleGeography::assignPopulations(RandomSource &random) {
    QHash<QString, const CityFact *> large;
    for (const CityFact &city : BrazilFacts::largeCities())
        large.insert(city.stateSigla + QLatin1Char('/') + city.name, &city);
    for (SampleMunicipality &m : m_municipalities) {
        const StateFact &state = m_states[m.state].fact;
        const CityFact *city = large.value(state.sigla + QLatin1Char('/') + m.name);
        // Heavy-tailed sizes: a median town of about 5 000 urban inhabitants,
        // about one in eight above 20 000, none beyond 60 % of its capital.
        const double drawn = std::exp(std::log(5000.0) + 1.25 * random.normal());
        if (m.capital)
            m.urbanPopulation = state.capitalPopulation;
        else if (city)
            m.urbanPopulation = city->population;
        else
            m.urbanPopulation = std::clamp(qint64(drawn), qint64(400), qint64(state.capitalPopulation * 0.6));
        // The smaller the town, the larger its rural share.
        const double ratio = 1.2 * std::pow(double(m.urbanPopulation) / 3000.0, -0.45) * std::exp(0.4 * random.normal());
        m.ruralPopulation = qint64(double(m.urbanPopulation) * std::clamp(ratio, 0.005, 4.0));
    }
}

void SampleGeography::nameMicroRegions() {
    for (SampleMicroRegion &micro : m_micros) {
        const int largest = *std::max_element(micro.members.begin(), micro.members.end(), [&](int a, int b) {
            return m_municipalities[a].urbanPopulation < m_municipalities[b].urbanPopulation;
        });
        micro.name = m_municipalities[largest].name;
    }
}

void SampleGeography::formMetropolitanRegions() {
    struct Core {
        int municipality;
        qint64 population;
    };
    std::vector<Core> cores;
    QHash<QString, bool> largeCore;
    for (const CityFact &city : BrazilFacts::largeCities())
        if (city.metropolitanCore)
            largeCore.insert(city.stateSigla + QLatin1Char('/') + city.name, true);
    for (int m = 0; m < int(m_municipalities.size()); ++m) {
        const SampleMunicipality &municipality = m_municipalities[m];
        const QString sigla = m_states[municipality.state].fact.sigla;
        if ((municipality.capital && BrazilFacts::capitalIsMetropolitanCore(sigla)) ||
            largeCore.contains(sigla + QLatin1Char('/') + municipality.name))
            cores.push_back({m, municipality.urbanPopulation});
    }
    std::sort(cores.begin(), cores.end(), [](const Core &a, const Core &b) { return a.population > b.population; });
    std::vector<char> taken(m_municipalities.size(), 0);
    for (const Core &core : cores)
        taken[core.municipality] = 1;

    QHash<QString, int> siglaUses;
    for (const Core &core : cores) {
        const SampleMunicipality &centre = m_municipalities[core.municipality];
        // A bigger city draws in more neighbours: 6 around 250 000 urban
        // inhabitants, about 25 around ten million.
        const int size = std::clamp(int(std::lround(6 + 12 * std::log10(double(core.population) / 250000.0))), 6, 30);
        const bool crossesStates =
            centre.capital && BrazilFacts::capitalRegionCrossesStates(m_states[centre.state].fact.sigla);
        std::vector<int> candidates;
        for (int m = 0; m < int(m_municipalities.size()); ++m)
            if (!taken[m] && (crossesStates || m_municipalities[m].state == centre.state))
                candidates.push_back(m);
        const auto distance = [&](int m) {
            const QPointF d = m_municipalities[m].position - centre.position;
            return d.x() * d.x() + d.y() * d.y();
        };
        const int neighbours = std::min(size - 1, int(candidates.size()));
        std::partial_sort(candidates.begin(), candidates.begin() + neighbours, candidates.end(),
                          [&](int a, int b) { return distance(a) < distance(b); });
        SampleMetropolitanRegion region;
        region.code = int(m_metropolitans.size()) + 1;
        region.core = core.municipality;
        region.name = QStringLiteral("RM de ") + centre.name;
        const QString stateSigla = m_states[centre.state].fact.sigla;
        QString sigla = QStringLiteral("RM") + stateSigla + asciiFolded(centre.name).left(3).toUpper();
        const int uses = siglaUses.value(sigla);
        siglaUses.insert(sigla, uses + 1);
        if (uses > 0)
            sigla += QString::number(uses + 1);
        region.sigla = sigla;
        region.members.push_back(core.municipality);
        for (int i = 0; i < neighbours; ++i) {
            region.members.push_back(candidates[i]);
            taken[candidates[i]] = 1;
        }
        for (int m : region.members) {
            m_municipalities[m].metropolitan = int(m_metropolitans.size());
            if (std::find(region.states.begin(), region.states.end(), m_municipalities[m].state) == region.states.end())
                region.states.push_back(m_municipalities[m].state);
        }
        m_metropolitans.push_back(std::move(region));
    }
}

LabelRaster SampleGeography::stateRaster(const Viewport &viewport, const std::vector<int> &states) const {
    LabelRaster raster(viewport.size());
    for (int s : states)
        raster.fillRings(viewport, m_outlines.rings(m_states[s].fact.sigla), s);
    raster.fillEnclosedGaps();
    return raster;
}

LabelRaster SampleGeography::municipalityRaster(const Viewport &viewport, const std::vector<int> &states) const {
    LabelRaster raster = stateRaster(viewport, states);
    std::vector<SeedIndex> indexes;
    std::vector<std::vector<int>> owners;
    QHash<int, int> slot;
    for (int s : states) {
        std::vector<QPointF> seeds;
        std::vector<int> owner;
        for (int m : m_states[s].municipalities) {
            seeds.push_back(viewport.toPixel(m_municipalities[m].position));
            owner.push_back(m);
        }
        slot.insert(s, int(indexes.size()));
        indexes.emplace_back(seeds);
        owners.push_back(std::move(owner));
    }
    for (int y = 0; y < raster.height(); ++y)
        for (int x = 0; x < raster.width(); ++x) {
            const int s = raster.at(x, y);
            if (s < 0)
                continue;
            const int k = slot.value(s);
            raster.set(x, y, owners[k][indexes[k].nearest(QPointF(x + 0.5, y + 0.5))]);
        }
    return raster;
}

QRectF SampleGeography::cellBounds(const std::vector<int> &municipalities) const {
    std::vector<int> states;
    for (int m : municipalities)
        if (std::find(states.begin(), states.end(), m_municipalities[m].state) == states.end())
            states.push_back(m_municipalities[m].state);
    QStringList siglas;
    for (int s : states)
        siglas << m_states[s].fact.sigla;
    // Measured on a fine picture of the states the cells lie in.
    const QRectF stateBox = m_outlines.bounds(siglas);
    const Viewport viewport(stateBox, QSize(920, 840), 0);
    const LabelRaster raster = municipalityRaster(viewport, states);
    std::vector<char> wanted(m_municipalities.size(), 0);
    for (int m : municipalities)
        wanted[m] = 1;
    QRectF box;
    for (int y = 0; y < raster.height(); ++y)
        for (int x = 0; x < raster.width(); ++x) {
            const int m = raster.at(x, y);
            if (m >= 0 && wanted[m])
                box = box.united(QRectF(viewport.toDrawing(QPointF(x, y)), viewport.toDrawing(QPointF(x + 1, y + 1))));
        }
    return box;
}
