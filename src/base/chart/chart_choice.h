#pragma once

#include <QChar>

// The six type pictures of the chart page, in their row order. Both pie
// pictures draw the donut series: in 3D (a pie) or flat.
enum class ChartPicture { Pizza, Roda, Ponto, LinVert, BarHori, BarVert };

// What the user chose beside the chart: the type picture, the identifier
// (the first letter of "Valor", "Percentual", "Descrição" or "Nenhum") and
// whether the legend shows.
struct ChartChoice {
    ChartPicture picture = ChartPicture::Pizza;
    QChar identifier = QLatin1Char('V');
    bool legend = true;
};
