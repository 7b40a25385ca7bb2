#pragma once

#include "brazil_facts.h"
#include "label_raster.h"
#include "state_outlines.h"

#include <QPointF>
#include <QString>
#include <vector>

class MunicipalityList;
class RandomSource;
class Viewport;

struct SampleMunicipality {
    int code;
    QString name;
    int state; // index into states()
    QPointF position; // seed of its cell, in the outline drawing's units
    qint64 urbanPopulation = 0;
    qint64 ruralPopulation = 0;
    int micro = -1;        // index into micros()
    int metropolitan = -1; // index into metropolitans(), -1 when none
    bool capital = false;
};

struct SampleState {
    StateFact fact;
    std::vector<int> municipalities;
    std::vector<int> micros;
};

struct SampleMicroRegion {
    int code;
    QString name; // its most populous municipality
    int state;
    std::vector<int> members;
};

struct SampleMetropolitanRegion {
    int code;
    QString sigla; // also the name of its map files
    QString name;
    int core;
    std::vector<int> members; // the core first
    std::vector<int> states;  // every state it reaches, the core's first
};

// The territory of the sample study: the real states and municipalities,
// each municipality given a synthetic urban and rural population and a
// place inside its state's outline (its cell is the part of the state
// nearest to that place), grouped into contiguous micro-regions and into
// metropolitan regions around capitals and big cities.
class SampleGeography {
public:
    static constexpr QSize kMapSize{460, 420};
    static constexpr int kMapMargin = 4;

    static SampleGeography build(const MunicipalityList &list, const StateOutlines &outlines, quint64 seed);

    const std::vector<SampleState> &states() const { return m_states; }
    const std::vector<SampleMunicipality> &municipalities() const { return m_municipalities; }
    const std::vector<SampleMicroRegion> &micros() const { return m_micros; }
    const std::vector<SampleMetropolitanRegion> &metropolitans() const { return m_metropolitans; }
    const StateOutlines &outlines() const { return m_outlines; }

    int stateIndexOfCode(int code) const;
    int regionIndexOfState(int state) const;

    // Labels every pixel of the given states with its state's index.
    LabelRaster stateRaster(const Viewport &viewport, const std::vector<int> &states) const;
    // Labels every pixel of the given states with the index of the
    // municipality whose cell holds it.
    LabelRaster municipalityRaster(const Viewport &viewport, const std::vector<int> &states) const;

    // The drawing's box around a set of municipalities' cells.
    QRectF cellBounds(const std::vector<int> &municipalities) const;

private:
    struct Placement {
        std::vector<QPointF> seeds;              // in the drawing's units, the capital first
        std::vector<std::vector<int>> neighbours; // seeds whose cells touch on the state's map
    };
    Placement placeSeeds(int state, int count, RandomSource &random) const;
    void settleState(int state, const std::vector<int> &members, RandomSource &random);
    void assignPopulations(RandomSource &random);
    void nameMicroRegions();
    void formMetropolitanRegions();

    StateOutlines m_outlines;
    std::vector<SampleState> m_states;
    std::vector<SampleMunicipality> m_municipalities;
    std::vector<SampleMicroRegion> m_micros;
    std::vector<SampleMetropolitanRegion> m_metropolitans;
};
