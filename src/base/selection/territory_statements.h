#pragma once

#include <QStringList>

// The statements of the territory lists, line by line as the lists' queries
// hold them. Every list but the picker's adds a constant entry with key 0
// ("<Todas>", "<Todos>") read from the one-row table Pais, standing for all
// territories. A key of 0 adds no condition. The first condition line of a
// statement takes its " where" form, every later one its "   and" form.
namespace TerritoryStatements {

// The lists of the filter panel as they open at start-up.
QStringList regions();
QStringList statesAtStart();
QStringList microRegionsAtStart();
QStringList metroRegionsAtStart();
QStringList municipalitiesAtStart();

// The refills that follow a pick in the list above.
QStringList states(int region);
QStringList microRegions(int region, int state);
QStringList metroRegions(int region, int state);
// Inside a metropolitan region every municipality is listed; elsewhere only
// those of 20000 or more urban inhabitants.
QStringList municipalities(int region, int state, int microRegion, int metroRegion);

// The municipality picker: its state list (restricted to the filter panel's
// region before each showing) and the municipalities of 20000 or more urban
// inhabitants of the picker's state, narrowed by the filter panel's
// micro-region or metropolitan region when the panel has a state chosen.
QStringList pickerStatesAtStart();
QStringList pickerStates(int region);
QStringList pickerMunicipalitiesAtStart();
QStringList pickerMunicipalities(int panelState, int panelMicroRegion, int panelMetroRegion, int pickerState);

} // namespace TerritoryStatements
