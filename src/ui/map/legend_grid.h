#pragma once

#include "core/map/class_breaks.h"

#include <QTableWidget>

#include <array>

class MapLegend;

// The legend grid stgLegendaMapa: 4 x 10 cells, the first two rows (title
// and headers) and the first three columns fixed, so only the upper bounds
// of the eight classes (column 3, rows 2 to 9) are typed. The cells are
// drawn as in the map picture. Every change of a typed bound goes to the
// legend at once; Delete on a row clears its bounds. Each class row shows
// in a tool-tip how many areas of the current map fall into its class, and
// how many fall into none. Its context menu offers the ways of making the
// classes ("Classes: dobro", "intervalos iguais", "quantis", "quebras
// naturais").
class LegendGrid : public QTableWidget {
    Q_OBJECT

  public:
    explicit LegendGrid(MapLegend &legend, QWidget *parent = nullptr);

    // Shows the legend's bounds.
    void refresh();
    // The areas per class of the map just drawn ([0]: in no class); empty
    // counts remove the tool-tips.
    void setAreaCounts(const std::array<int, 9> &counts);
    void clearAreaCounts();

    // The edited text of an upper bound changed (row 2 to 9).
    void stgLegendaMapaSetEditText(int row, const QString &text);

  signals:
    // The user changed a bound.
    void edited();
    // The user chose a way of making the classes from the context menu.
    void classesChosen(ClassMethod method);

  protected:
    void keyPressEvent(QKeyEvent *event) override;

  private:
    MapLegend &m_legend;
};
