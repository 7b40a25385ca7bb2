#pragma once

#include "selection/selection_state.h"

#include <QChar>
#include <QStringList>

// The options of the command-line exporter solvane-export.
namespace ExportCommand {

struct Options {
    QString topic;
    SelectionState selection;
    QChar separator = QLatin1Char(';');
    QString output; // empty: standard output
    bool utf8 = false;
    QString coluna; // a value column named by its data column
    QString mapa;   // the map picture's file (then the table is written only to --saida)
    bool help = false;
};

// The text of --help.
QString usage();

// Reads the options (arguments without the program name); raises BadInput.
// "--name value" and "--name=value" are the same.
Options parse(const QStringList &arguments);

} // namespace ExportCommand
