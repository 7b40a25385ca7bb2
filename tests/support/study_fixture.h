#pragma once

#include <QString>

// A tiny study in the schema the program reads: two regions, three states,
// micro-regions, one metropolitan region over two states, a handful of
// municipalities with accented names, the topic tree, a catalogue, notes and
// two data tables (one of them the digit-named "03").
QString studyFixtureSql();
