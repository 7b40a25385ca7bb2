#pragma once

#include "base/chart/chart_choice.h"
#include "base/map/class_method.h"
#include "base/selection/selection_state.h"

#include <QChar>
#include <QSize>
#include <QStringList>
#include <optional>

// The options of the command-line exporter solvane-export.
namespace ExportCommand {

struct Options {
    QString topic;
    SelectionState selection;
    QChar separator = QLatin1Char(';');
    QString output; // empty: standard output
    QString workbook; // --planilha: the table as the export dialog's workbook
    QString relatorio; // --relatorio: the printed report of the selection, as PDF
    bool utf8 = false;
    QString coluna; // a value column named by its data column
    QString mapa;   // the map picture's file (then the table is written only to --saida)
    std::optional<ClassMethod> classes; // how the map's classes are made; dobro: the saved legend, if any
    QString legendaArquivo; // --legenda: the map's classes as delimited text; "-": standard output
    QString grafico; // the chart's file (then the table is written only to --saida)
    std::optional<ChartPicture> tipo; // unset: pie, or points for a percentage column
    std::optional<QChar> identificador; // the identifier's first letter; unset: "Valor"
    bool legenda = true;
    QSize tamanho{900, 600}; // the chart's width and height in pixels
    QString studyFolder; // --estudo: empty for the program's folder
    bool help = false;
};

// Whether --mapa or --grafico names a workbook (ending in ".xlsx", any
// letter case): the workbook the export dialog writes on that page. The
// workbook of --planilha must end so too.
bool isWorkbook(const QString &path);

// The text of --help, from the same table of options the parser reads.
QString usage();

// Reads the options (arguments without the program name); raises BadInput
// for the first fault in argument order, then for what the options together
// lack. "--name value" and "--name=value" are the same, except that a value
// after a blank is never a word starting with "--" ("--saida --utf8" lacks
// its file name); a switch takes no value; a repeated option's last value
// wins; every word that is not a "--" option of the table is unknown.
Options parse(const QStringList &arguments);

} // namespace ExportCommand
